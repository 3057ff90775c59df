#pragma once

#include "exchange/ImportSession.h"

#include <QString>

class LineReader;
class ValueCursor;
class TdmMain1;

// Reads a native exchange file and adds each of its recipes to the collection as a new
// recipe with a key of its own, creating the ingredients the ingredient table lacks.
class NativeImporter {
public:
    explicit NativeImporter(TdmMain1 &tables) : m_tables(tables) {}

    void setProgress(ImportSession::Progress progress) { m_progress = std::move(progress); }
    // How long completed recipes may wait before they are made durable (0: after each one).
    void setCommitInterval(int milliseconds) { m_commitIntervalMs = milliseconds; }
    ImportSummary importFile(const QString &fileName);
    ImportSummary importFrom(LineReader &reader);

private:
    void readBlock(ImportSession &session);
    void readHeader(ImportSession &session, const QString &line);
    QStringList readSection(ImportSession &session, QLatin1String endLine);
    void readIngredientLine(ImportSession &session, const QString &line);
    QString value(ValueCursor &values) const;

    TdmMain1 &m_tables;
    ImportSession::Progress m_progress;
    int m_commitIntervalMs = ImportTransactions::kDefaultCommitIntervalMs;
    bool m_escaped = false;  // the block being read is in the escaped layout
};
