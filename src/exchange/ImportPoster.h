#pragma once

class TDataSet;

// The posting rule of the importers. A record the table engine refuses for an integrity
// reason (a key already there, a required value missing, ...) is cancelled and dropped, and
// the import goes on; the common case is an ingredient a recipe lists twice. Any other
// refusal cancels the record and ends the import.
class ImportPoster {
public:
    // True when the record was stored, false when it was dropped.
    bool post(TDataSet &table);
    int droppedCount() const { return m_dropped; }
    void countDrop() { ++m_dropped; }

private:
    int m_dropped = 0;
};
