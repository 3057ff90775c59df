#pragma once

#include <QString>
#include <QtGlobal>
#include <utility>
#include <vector>

class TDataSet;
class TTable;

// The posting rule of the importers. A record the table engine refuses for an integrity
// reason (a key already there, a required value missing, ...) is cancelled and dropped, and
// the import goes on; the common case is an ingredient a recipe lists twice. Any other
// refusal cancels the record and ends the import.
class ImportPoster {
public:
    // True when the record was stored, false when it was dropped.
    bool post(TDataSet &table);
    int droppedCount() const { return m_dropped; }
    // The table engine's message for the record dropped last.
    const QString &lastRefusal() const { return m_lastRefusal; }

    // The rows stored since the last call of keepStored(), for the recipe being read.
    void keepStored() { m_stored.clear(); }
    // Deletes those rows again, newest first, and forgets them.
    void removeStored();

private:
    int m_dropped = 0;
    QString m_lastRefusal;
    std::vector<std::pair<TTable *, qint64>> m_stored;
};
