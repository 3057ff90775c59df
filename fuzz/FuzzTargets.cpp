#include "FuzzTargets.h"

#include "FuzzEnvironment.h"
#include "data/EngineError.h"
#include "data/SysInfo.h"
#include "data/Utilities.h"
#include "data/dmmain.h"
#include "exchange/ExchangeError.h"
#include "exchange/LineReader.h"
#include "exchange/MealMasterImporter.h"
#include "exchange/NativeImporter.h"

#include <QFile>
#include <QSqlQuery>

namespace {

void check(bool holds, const char *promise)
{
    if (!holds)
        throw FuzzInvariantBroken(promise);
}

QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

int countRows(TDatabase &db, const QString &sql)
{
    QSqlQuery query(db.connection());
    if (!query.exec(sql) || !query.next())
        throw FuzzInvariantBroken("cannot count the stored rows");
    return query.value(0).toInt();
}

int storedRecipes(TDatabase &db)
{
    return countRows(db, QStringLiteral("SELECT count(*) FROM \"Recipe\""));
}

int orphanLines(TDatabase &db)
{
    return countRows(db, QStringLiteral("SELECT count(*) FROM \"REC_INGR\" l WHERE NOT EXISTS "
                                        "(SELECT 1 FROM \"Recipe\" r WHERE r.\"Recipe_ID\" = l.\"Recipe_ID\")"));
}

// One input's changes live in a transaction around the import that is always rolled back, so
// every input starts from the same database and the file does not grow from run to run.
class DiscardedChanges {
public:
    explicit DiscardedChanges(TDatabase &db) : m_db(db) { m_db.startTransaction(); }
    ~DiscardedChanges()
    {
        try {
            while (m_db.inTransaction())
                m_db.rollback();
        } catch (...) {
        }
    }
    DiscardedChanges(const DiscardedChanges &) = delete;
    DiscardedChanges &operator=(const DiscardedChanges &) = delete;

    // Rolls back the transaction opened here, which must be the only one still open.
    void discard()
    {
        m_db.rollback();
        check(!m_db.inTransaction(), "the import leaves no transaction open");
    }

private:
    TDatabase &m_db;
};

void checkNoViewEditing(TdmMain1 &tables)
{
    for (TTable *table : tables.allTables())
        check(!table->isEditing(), "the import leaves no view in insert or edit");
}

template <class Importer>
int importBytes(const uint8_t *data, size_t size)
{
    TdmMain1 &tables = FuzzEnvironment::instance().dataModule();
    TDatabase &db = tables.Database1;
    DiscardedChanges changes(db);
    const int recipesBefore = storedRecipes(db);
    LineReader reader(bytesOf(data, size));
    try {
        const ImportSummary summary = Importer(tables).importFrom(reader);
        check(summary.recipesStored <= summary.recipesRead, "no more recipes are stored than read");
        check(storedRecipes(db) == recipesBefore + summary.recipesStored, "the summary counts the stored recipes");
    } catch (const ExchangeError &) {
        // The file's fault, reported to the user; what was stored must still be whole.
    }
    check(orphanLines(db) == 0, "no ingredient line is stored without its recipe");
    checkNoViewEditing(tables);
    changes.discard();
    return 0;
}

// The filter is applied as the windows apply it; a refused expression must leave the view
// with the filter it had.
void applyFilter(TTable &view, const QString &expression)
{
    try {
        view.setFilter(expression);
    } catch (const EngineError &error) {
        if (error.code() != EngineError::FilterSyntax)
            throw;
        check(view.filter().isEmpty(), "a refused filter leaves the old one in force");
        return;
    }
    check(view.filter() == expression, "an accepted filter is the view's filter");
    view.setFilter(QString());
}

const QString kEnableKey = QStringLiteral("Enable Nifty Forms");
const QString kPictureKey = QStringLiteral("Nifty Forms File");

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write the scratch settings file");
}

QByteArray readFile(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of a settings file as bytes, without their line ends. Carriage returns at the end
// of a line count as part of its line end: one before the LF is, and a stray one more means
// nothing to a reader, which trims the value.
QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines)
        while (line.endsWith('\r'))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool isLineOfOurKeys(const QByteArray &line)
{
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0)
        return false;
    const QString key = QString::fromUtf8(line.left(equals)).trimmed();
    return key.compare(kEnableKey, Qt::CaseInsensitive) == 0 || key.compare(kPictureKey, Qt::CaseInsensitive) == 0;
}

// Every line of the old file but those of the keys written is still there, in its order and
// byte for byte; a byte-order mark that opened the file still opens it.
bool keepsOtherLines(QByteArray before, QByteArray after)
{
    const QByteArray byteOrderMark("\xEF\xBB\xBF");
    if (before.startsWith(byteOrderMark)) {
        if (!after.startsWith(byteOrderMark))
            return false;
        before.remove(0, byteOrderMark.size());
        after.remove(0, byteOrderMark.size());
    }
    const QList<QByteArray> now = linesOf(after);
    qsizetype at = 0;
    for (const QByteArray &line : linesOf(before)) {
        if (isLineOfOurKeys(line))
            continue;
        while (at < now.size() && now[at] != line)
            ++at;
        if (at == now.size())
            return false;
        ++at;
    }
    return true;
}

} // namespace

int fuzzNativeImport(const uint8_t *data, size_t size)
{
    return importBytes<NativeImporter>(data, size);
}

int fuzzMealMasterImport(const uint8_t *data, size_t size)
{
    return importBytes<MealMasterImporter>(data, size);
}

int fuzzFilter(const uint8_t *data, size_t size)
{
    FuzzEnvironment &environment = FuzzEnvironment::instance();
    const QString expression = QString::fromUtf8(bytesOf(data, size));
    applyFilter(environment.dataModule().tblRecipe, expression);
    applyFilter(environment.dayView(), expression);
    return 0;
}

// Reads the two settings as the program does at start and in the setup window, then changes
// one of them: it must read back as written, and the other must stay as it was.
int fuzzSettings(const uint8_t *data, size_t size)
{
    FuzzEnvironment &environment = FuzzEnvironment::instance();
    const QString fileName = environment.scratchFile(QStringLiteral("Recipe.Ini"));
    writeFile(fileName, bytesOf(data, size));
    TSysInfo settings(environment.dataModule().Database1, nullptr, fileName);
    const QString enabled = settings.ReadIniValue(kEnableKey, QStringLiteral("True"));
    const QString picture = settings.ReadIniValue(kPictureKey, TSysInfo::defaultNiftyFormsFile());
    check(!enabled.isEmpty() && enabled.size() <= TIniFile::kMaxValueLength, "a read setting has a value that fits");
    check(!picture.isEmpty() && picture.size() <= TIniFile::kMaxValueLength, "a read setting has a value that fits");

    const QString flipped = BoolToText(!TextToBool(enabled));
    settings.WriteIniValue(kEnableKey, flipped, QStringLiteral("True"));
    check(settings.ReadIniValue(kEnableKey, QStringLiteral("True")) == flipped, "a written setting reads back");
    check(settings.ReadIniValue(kPictureKey, TSysInfo::defaultNiftyFormsFile()) == picture,
          "writing one setting leaves the other as it was");
    check(keepsOtherLines(bytesOf(data, size), readFile(fileName)), "writing a setting keeps every other line");
    return 0;
}

void releaseFuzzEnvironment()
{
    FuzzEnvironment::release();
}
