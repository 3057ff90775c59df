#include "data/RecipeFinder.h"

#include "data/Database.h"
#include "data/EngineError.h"
#include "data/Schema.h"
#include "data/SqliteStatement.h"

#include <QHash>
#include <sqlite3.h>
#include <algorithm>
#include <vector>

namespace {

// Finds the place of a record by its key. Keys are decimal counters as the key generator draws
// them, so those index a table directly; any other key (written by hand, say) is hashed.
class KeyIndex {
public:
    void insert(QByteArrayView key, int place)
    {
        const qint64 number = counterValue(key);
        if (number < 0 || number > kLargestCounter) {
            m_others.insert(key.toByteArray(), place);
            return;
        }
        if (size_t(number) >= m_byCounter.size())
            m_byCounter.resize(size_t(number) + 1, -1);
        m_byCounter[size_t(number)] = place;
    }
    // -1 when no record has the key.
    int find(QByteArrayView key) const
    {
        const qint64 number = counterValue(key);
        if (number >= 0 && number <= kLargestCounter)
            return size_t(number) < m_byCounter.size() ? m_byCounter[size_t(number)] : -1;
        return m_others.value(QByteArray::fromRawData(key.data(), key.size()), -1);
    }

private:
    static constexpr qint64 kLargestCounter = 16'000'000;  // a table of 64 MB at most

    // The number a key is the decimal text of, without leading zeros; -1 for any other text.
    static qint64 counterValue(QByteArrayView key)
    {
        if (key.isEmpty() || key.size() > 9 || (key.size() > 1 && key.front() == '0'))
            return -1;
        qint64 number = 0;
        for (char digit : key) {
            if (digit < '0' || digit > '9')
                return -1;
            number = number * 10 + (digit - '0');
        }
        return number;
    }

    std::vector<int> m_byCounter;
    QHash<QByteArray, int> m_others;
};

} // namespace

// Everything a search looks at. Recipes and ingredients keep the place they were first read
// at, so that a change can be written over them; `order` lists the stored recipes as the
// recipe list shows them.
struct RecipeFinder::Collection {
    // What the rows were read at: the connection, the tables' layout, other connections'
    // commits and this connection's changed rows, as counted then.
    struct Mark {
        quint64 connection = 0;
        qint64 schemaVersion = -1;
        qint64 dataVersion = -1;
        qint64 ownChanges = -1;
        qint64 generation = -1;  // of the notes of this connection's changes since; -1: none taken

        // The same rows, but for what this connection changed since.
        bool sameRowsAs(const Mark &other) const
        {
            return connection == other.connection && schemaVersion == other.schemaVersion
                && dataVersion == other.dataVersion;
        }
    } mark;

    KeyIndex ingredientKeys;
    // By place: names cut to the field's width and case folded. A key that lines name but
    // no ingredient has gets an empty name, which no start names.
    QStringList ingredients;

    struct Recipe {
        FoundRecipe found;
        bool nameIsNull = false;
        bool stored = false;  // false once the recipe is deleted
    };
    KeyIndex recipeKeys;
    std::vector<Recipe> recipes;
    // By recipe place: where its ingredients' places stand in `lines`. A recipe read again
    // gets its lines at the end; its old ones stay unused until everything is read again.
    struct LineSpan {
        int start = 0;
        int count = 0;
    };
    std::vector<LineSpan> linesOf;
    std::vector<int> lines;
    std::vector<int> order;

    int ingredientPlace(QByteArrayView key)
    {
        int place = ingredientKeys.find(key);
        if (place < 0) {
            place = int(ingredients.size());
            ingredientKeys.insert(key, place);
            ingredients.append(QString());
        }
        return place;
    }
    int recipePlace(QByteArrayView key)
    {
        int place = recipeKeys.find(key);
        if (place < 0) {
            place = int(recipes.size());
            recipeKeys.insert(key, place);
            recipes.emplace_back().found.id = QString::fromUtf8(key);
            linesOf.emplace_back();
        }
        return place;
    }
    static void setName(Recipe &recipe, QByteArrayView name)
    {
        recipe.nameIsNull = name.isNull();
        recipe.found.name = QString::fromUtf8(name);
    }
};

namespace {

using Collection = RecipeFinder::Collection;

// Read once, so that the thread that reads ahead looks up nothing shared.
int ingredientNameWidth()
{
    static const int width = Schema::findTable(QStringLiteral("INGREDIE"))->field(QStringLiteral("Ingredient"))->size;
    return width;
}

QString comparableName(QByteArrayView stored)
{
    return QString::fromUtf8(stored).left(ingredientNameWidth()).toCaseFolded();
}

// The starts as names are compared: blanks around them dropped, cut to the width of the name
// field (a longer name was cut when it was stored), letter case folded. An empty start names
// nothing and is left out.
QStringList comparableStarts(const QStringList &starts)
{
    QStringList result;
    for (const QString &start : starts) {
        const QString trimmed = start.trimmed();
        if (!trimmed.isEmpty())
            result << trimmed.left(ingredientNameWidth()).toCaseFolded();
    }
    result.removeDuplicates();
    return result;
}

// Which ingredients a start names, by ingredient.
std::vector<char> ingredientsNamed(const QStringList &names, const QStringList &starts)
{
    std::vector<char> named(size_t(names.size()), 0);
    for (qsizetype i = 0; i < names.size(); ++i)
        named[size_t(i)] = std::any_of(starts.begin(), starts.end(),
                                       [&](const QString &start) { return names[i].startsWith(start); });
    return named;
}

// The one value a statement returns, such as a pragma's.
qint64 singleValue(TDatabase &db, const QString &sql)
{
    SqliteStatement &value = db.statement(sql);
    StatementRun run(value);
    value.step();
    return value.int64Value(0);
}

// SQLite compares UTF-8 bytes, which puts characters in the order of their code points;
// UTF-16 puts surrogates below U+E000, so they are moved above it here. With `noCase`, the
// ASCII letters are folded as NOCASE does. A shorter text comes first when it starts the
// longer one.
int compareAsStored(QStringView a, QStringView b, bool noCase)
{
    auto codePointOrder = [noCase](QChar c) {
        const char16_t unit = c.unicode();
        if (noCase && unit >= u'A' && unit <= u'Z')
            return int(unit) + ('a' - 'A');
        return unit >= 0xE000 ? int(unit) - 0x800 : unit >= 0xD800 ? int(unit) + 0x2000 : int(unit);
    };
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i)
        if (const int difference = codePointOrder(a[i]) - codePointOrder(b[i]))
            return difference;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool sameName(const Collection::Recipe &a, const Collection::Recipe &b)
{
    return a.nameIsNull == b.nameIsNull && compareAsStored(a.found.name, b.found.name, true) == 0;
}

// The recipe list's order: by name as above (a recipe without a name first), then by key.
bool listedBefore(const Collection::Recipe &a, const Collection::Recipe &b)
{
    if (a.nameIsNull != b.nameIsNull)
        return a.nameIsNull;
    if (const int byName = compareAsStored(a.found.name, b.found.name, true))
        return byName < 0;
    return compareAsStored(a.found.id, b.found.id, false) < 0;
}

// This connection's changes are noted as they are made, in temporary tables that only it
// sees, so that a finder can read again just the recipes and ingredients they touched. A
// finder starts a new generation of notes whenever it has read, and later takes the notes
// of that generation and after, so that several finders can share one connection. Within a
// generation a recipe is noted once, however many of its lines an import stores. Dropping a
// table drops its triggers; a finder then reads everything and makes them again.

// A table whose changes are noted: the key it notes, the columns whose change matters and the
// table of notes.
struct Watched {
    const char *table;
    const char *key;
    const char *columns;
    const char *notes;
};

const Watched kWatched[] = {
    {"Recipe", "Recipe_ID", R"("Recipe_ID", "Name")", "FinderRecipes"},
    {"REC_INGR", "Recipe_ID", R"("Recipe_ID", "Ingredient_ID")", "FinderRecipes"},
    {"INGREDIE", "Ingredient_ID", R"("Ingredient_ID", "Ingredient")", "FinderIngredients"},
};

QStringList trackingSql()
{
    QStringList sql{
        QStringLiteral(R"(CREATE TEMP TABLE IF NOT EXISTS "FinderGeneration" ("Number" INTEGER NOT NULL))"),
        QStringLiteral(
            R"(INSERT INTO temp."FinderGeneration" SELECT 0 WHERE NOT EXISTS (SELECT * FROM temp."FinderGeneration"))")};
    for (const char *notes : {"FinderRecipes", "FinderIngredients"})
        sql << QStringLiteral(R"(CREATE TEMP TABLE IF NOT EXISTS "%1"
                                 ("Key" TEXT, "Generation" INTEGER, PRIMARY KEY ("Key", "Generation")) WITHOUT ROWID)")
                   .arg(QLatin1String(notes))
            << QStringLiteral(R"(CREATE INDEX IF NOT EXISTS temp."%1ByGeneration" ON "%1" ("Generation"))")
                   .arg(QLatin1String(notes));
    for (const Watched &watched : kWatched) {
        auto note = [&watched](const char *row) {
            return QStringLiteral(R"(INSERT OR IGNORE INTO "%1" SELECT %2."%3", "Number" FROM "FinderGeneration";)")
                .arg(QLatin1String(watched.notes), QLatin1String(row), QLatin1String(watched.key));
        };
        const QString trigger =
            QStringLiteral(R"(CREATE TEMP TRIGGER IF NOT EXISTS "Finder%1%2" AFTER %3 ON main."%1" BEGIN %4 END)");
        const QLatin1String table(watched.table);
        sql << trigger.arg(table, QStringLiteral("Added"), QStringLiteral("INSERT"), note("NEW"))
            << trigger.arg(table, QStringLiteral("Changed"), QStringLiteral("UPDATE OF ") + QLatin1String(watched.columns),
                           note("OLD") + note("NEW"))
            << trigger.arg(table, QStringLiteral("Deleted"), QStringLiteral("DELETE"), note("OLD"));
    }
    return sql;
}

// Starts a new generation of notes and returns its number.
qint64 newGeneration(TDatabase &db)
{
    db.statement(QStringLiteral("UPDATE temp.\"FinderGeneration\" SET \"Number\" = \"Number\" + 1")).exec();
    return singleValue(db, QStringLiteral("SELECT \"Number\" FROM temp.\"FinderGeneration\""));
}

qint64 startTracking(TDatabase &db)
{
    static const QStringList sql = trackingSql();
    for (const QString &statement : sql)
        db.statement(statement).exec();
    return newGeneration(db);
}

// The keys noted in the generation given and after.
QList<QByteArray> notedSince(TDatabase &db, const char *notes, qint64 generation)
{
    SqliteStatement &rows = db.statement(
        QStringLiteral("SELECT DISTINCT \"Key\" FROM temp.\"%1\" WHERE \"Generation\" >= ?").arg(QLatin1String(notes)));
    rows.bind(0, generation);
    StatementRun run(rows);
    QList<QByteArray> keys;
    while (rows.step())
        keys.append(rows.textView(0).toByteArray());
    return keys;
}

void readIngredients(sqlite3 *connection, Collection &all)
{
    SqliteStatement rows(connection, QStringLiteral("SELECT \"Ingredient_ID\", \"Ingredient\" FROM \"INGREDIE\""),
                         QStringLiteral("INGREDIE"));
    StatementRun run(rows);
    while (rows.step()) {
        const int place = all.ingredientPlace(rows.textView(0));
        all.ingredients[place] = comparableName(rows.textView(1));
    }
}

// Both reads run on an index alone: the names in the list's order, then the keys.
void readRecipes(sqlite3 *connection, Collection &all)
{
    QHash<qint64, int> placeOfRow;
    {
        SqliteStatement rows(
            connection, QStringLiteral("SELECT rowid, \"Name\" FROM \"Recipe\" ORDER BY \"Name\" COLLATE NOCASE"),
            QStringLiteral("Recipe"));
        StatementRun run(rows);
        while (rows.step()) {
            placeOfRow.insert(rows.int64Value(0), int(all.recipes.size()));
            Collection::setName(all.recipes.emplace_back(), rows.textView(1));
        }
    }
    all.linesOf.resize(all.recipes.size());
    {
        SqliteStatement rows(
            connection, QStringLiteral("SELECT rowid, \"Recipe_ID\" FROM \"Recipe\" ORDER BY \"Recipe_ID\""),
            QStringLiteral("Recipe"));
        StatementRun run(rows);
        while (rows.step()) {
            const int place = placeOfRow.value(rows.int64Value(0), -1);
            if (place < 0)
                continue;
            Collection::Recipe &recipe = all.recipes[size_t(place)];
            recipe.found.id = QString::fromUtf8(rows.textView(1));
            recipe.stored = true;
            all.recipeKeys.insert(rows.textView(1), place);
        }
    }
    for (size_t place = 0; place < all.recipes.size(); ++place)
        if (all.recipes[place].stored)
            all.order.push_back(int(place));
    // The index orders recipes of one name as it likes; the list orders them by key.
    for (auto from = all.order.begin(); from != all.order.end();) {
        const Collection::Recipe &first = all.recipes[size_t(*from)];
        const auto to = std::find_if_not(from, all.order.end(),
                                         [&](int place) { return sameName(first, all.recipes[size_t(place)]); });
        if (to - from > 1)
            std::sort(from, to, [&all](int a, int b) { return listedBefore(all.recipes[size_t(a)], all.recipes[size_t(b)]); });
        from = to;
    }
}

// Lines of a recipe that is not stored are left out. They come grouped by recipe, in the
// order of the table's key, and are laid out by recipe place, which is the list's order, so
// that a search walks them from first to last.
void readLines(sqlite3 *connection, Collection &all)
{
    SqliteStatement rows(
        connection, QStringLiteral("SELECT \"Recipe_ID\", \"Ingredient_ID\" FROM \"REC_INGR\" ORDER BY \"Recipe_ID\""),
        QStringLiteral("REC_INGR"));
    StatementRun run(rows);
    std::vector<std::pair<int, int>> read;  // recipe place, ingredient place
    QByteArray recipeKey;
    int place = -1;
    bool first = true;
    while (rows.step()) {
        if (const QByteArrayView key = rows.textView(0); first || key != recipeKey) {
            recipeKey = key.toByteArray();
            place = all.recipeKeys.find(key);
            first = false;
        }
        if (place >= 0)
            read.emplace_back(place, all.ingredientPlace(rows.textView(1)));
    }
    for (const auto &[recipe, ingredient] : read)
        ++all.linesOf[size_t(recipe)].count;
    int start = 0;
    for (Collection::LineSpan &span : all.linesOf) {
        span.start = start;
        start += span.count;
        span.count = 0;
    }
    all.lines.resize(read.size());
    for (const auto &[recipe, ingredient] : read) {
        Collection::LineSpan &span = all.linesOf[size_t(recipe)];
        all.lines[size_t(span.start + span.count++)] = ingredient;
    }
}

void readIngredient(TDatabase &db, Collection &all, const QByteArray &key)
{
    SqliteStatement &row = db.statement(
        QStringLiteral("SELECT \"Ingredient\" FROM \"INGREDIE\" WHERE \"Ingredient_ID\" = ?"), QStringLiteral("INGREDIE"));
    row.bind(0, QString::fromUtf8(key));
    StatementRun run(row);
    const int place = all.ingredientPlace(key);
    all.ingredients[place] = row.step() ? comparableName(row.textView(0)) : QString();
}

// Takes the recipe out of the list's order, reads it as stored now, and puts it back where
// its name now places it, unless it is gone.
void readRecipe(TDatabase &db, Collection &all, const QByteArray &key)
{
    const int place = all.recipePlace(key);
    auto placedBefore = [&all](int a, int b) { return listedBefore(all.recipes[size_t(a)], all.recipes[size_t(b)]); };
    if (all.recipes[size_t(place)].stored) {
        const auto at = std::lower_bound(all.order.begin(), all.order.end(), place, placedBefore);
        if (at != all.order.end() && *at == place)
            all.order.erase(at);
    }
    Collection::Recipe &recipe = all.recipes[size_t(place)];
    all.linesOf[size_t(place)] = {int(all.lines.size()), 0};
    {
        SqliteStatement &row = db.statement(QStringLiteral("SELECT \"Name\" FROM \"Recipe\" WHERE \"Recipe_ID\" = ?"),
                                            QStringLiteral("Recipe"));
        row.bind(0, recipe.found.id);
        StatementRun run(row);
        recipe.stored = row.step();
        if (recipe.stored)
            Collection::setName(recipe, row.textView(0));
    }
    if (!recipe.stored)
        return;
    {
        SqliteStatement &rows = db.statement(
            QStringLiteral("SELECT \"Ingredient_ID\" FROM \"REC_INGR\" WHERE \"Recipe_ID\" = ?"), QStringLiteral("REC_INGR"));
        rows.bind(0, recipe.found.id);
        StatementRun run(rows);
        while (rows.step()) {
            all.lines.push_back(all.ingredientPlace(rows.textView(0)));
            ++all.linesOf[size_t(place)].count;
        }
    }
    all.order.insert(std::lower_bound(all.order.begin(), all.order.end(), place, placedBefore), place);
}

// Reads everything in one read transaction, so that the recipes, their lines and their
// ingredients agree even when another copy commits meanwhile. Inside a transaction of the
// program's own, that transaction already does so.
std::unique_ptr<Collection> readEverything(sqlite3 *connection, bool inTransaction)
{
    auto all = std::make_unique<Collection>();
    if (!inTransaction)
        SqliteStatement(connection, QStringLiteral("BEGIN")).exec();
    try {
        readIngredients(connection, *all);
        readRecipes(connection, *all);
        readLines(connection, *all);
    } catch (...) {
        if (!inTransaction)
            sqlite3_exec(connection, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    if (!inTransaction)
        sqlite3_exec(connection, "COMMIT", nullptr, nullptr, nullptr);
    return all;
}

// The same on a connection of its own, for a thread of its own.
std::unique_ptr<Collection> readEverythingFrom(const QByteArray &fileName)
{
    sqlite3 *connection = nullptr;
    const int rc = sqlite3_open_v2(fileName.constData(), &connection, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3 *)> closing(connection, sqlite3_close);
    if (rc != SQLITE_OK)
        throw EngineError(EngineError::DiskError,
                          QStringLiteral("Cannot read the recipes: %1").arg(QString::fromUtf8(sqlite3_errstr(rc))));
    sqlite3_busy_timeout(connection, TDatabase::kBusyTimeoutMs);
    return readEverything(connection, false);
}

Collection::Mark markNow(TDatabase &db)
{
    return {db.connectionSerial(), singleValue(db, QStringLiteral("PRAGMA schema_version")),
            singleValue(db, QStringLiteral("PRAGMA data_version")), sqlite3_total_changes64(db.handle())};
}

// Beyond this many recipes changed (an import, say) reading everything is quicker.
constexpr qsizetype kLargestChange = 1000;

// This connection's changes since the rows were read: too many to read one by one.
bool tooManyChangesSince(TDatabase &db, qint64 generation)
{
    SqliteStatement &count = db.statement(
        QStringLiteral("SELECT count(DISTINCT \"Key\") FROM temp.\"FinderRecipes\" WHERE \"Generation\" >= ?"));
    count.bind(0, generation);
    StatementRun run(count);
    return count.step() && count.int64Value(0) > kLargestChange;
}

// Whether what was read can serve now: the rows are the same but for this connection's
// changes since, which were noted and are few enough to read one by one.
bool canCatchUp(TDatabase &db, const Collection &all, const Collection::Mark &now)
{
    return all.mark.sameRowsAs(now)
        && (all.mark.ownChanges == now.ownChanges
            || (all.mark.generation >= 0 && !tooManyChangesSince(db, all.mark.generation)));
}

} // namespace

RecipeFinder::RecipeFinder(TDatabase &db) : m_db(db) {}

RecipeFinder::~RecipeFinder() = default;

QStringList RecipeFinder::namesFromText(const QString &text)
{
    QStringList names;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QString name = part.trimmed();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}


// Everything is read again when another connection committed, when the tables were made
// anew, or when this connection changed more than a few recipes; a smaller change of this
// connection's own is read recipe by recipe. Inside a transaction, whose end may undo what
// was read, nothing read is kept.
const RecipeFinder::Collection &RecipeFinder::collection()
{
    if (m_readingAhead.valid())
        m_collection = m_readingAhead.get();
    const Collection::Mark now = markNow(m_db);
    const bool keep = !m_db.inTransaction();
    if (Collection *all = m_collection.get(); keep && all && canCatchUp(m_db, *all, now)) {
        if (all->mark.ownChanges != now.ownChanges) {
            for (const QByteArray &key : notedSince(m_db, "FinderIngredients", all->mark.generation))
                readIngredient(m_db, *all, key);
            for (const QByteArray &key : notedSince(m_db, "FinderRecipes", all->mark.generation))
                readRecipe(m_db, *all, key);
            all->mark.generation = newGeneration(m_db);
            all->mark.ownChanges = sqlite3_total_changes64(m_db.handle());
        }
        return *all;
    }
    m_noting = keep;
    Collection::Mark mark = now;
    mark.generation = m_noting ? startTracking(m_db) : -1;
    mark.ownChanges = keep ? sqlite3_total_changes64(m_db.handle()) : -1;
    m_collection = readEverything(m_db.handle(), !keep);
    m_collection->mark = mark;
    return *m_collection;
}

// Until the cook first searches, nothing is noted: noting costs a little on every row this
// connection stores. (The import window stores on a connection of its own; what it stores
// is read as another copy's change.)
bool RecipeFinder::readAhead()
{
    if (m_readingAhead.valid()) {
        if (m_readingAhead.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return m_newerRowsReady;
        try {
            m_collection = m_readingAhead.get();
            m_newerRowsReady = true;
        } catch (...) {
            // The next search reads for itself and says what fails.
        }
    }
    if (!m_db.isOpen() || m_db.inTransaction())
        return m_newerRowsReady;
    Collection::Mark now = markNow(m_db);
    if (m_collection && canCatchUp(m_db, *m_collection, now))
        return m_newerRowsReady;
    const QByteArray fileName = sqlite3_db_filename(m_db.handle(), "main");
    if (fileName.isEmpty())
        return m_newerRowsReady;  // a database in memory is not shared with another connection
    // What this connection changes from here on is noted; it is read on top of what the thread
    // reads, which may already hold it.
    if (m_noting) {
        now.generation = startTracking(m_db);
        now.ownChanges = sqlite3_total_changes64(m_db.handle());
    }
    m_readingAhead = std::async(std::launch::async, [fileName, now] {
        std::unique_ptr<Collection> all = readEverythingFrom(fileName);
        all->mark = now;
        return all;
    });
    return m_newerRowsReady;
}

QList<FoundRecipe> RecipeFinder::find(const IngredientCriteria &criteria)
{
    const Collection &all = collection();
    m_newerRowsReady = false;
    auto holds = [&all](int recipe, const std::vector<char> &named) {
        const Collection::LineSpan span = all.linesOf[size_t(recipe)];
        const auto first = all.lines.begin() + span.start;
        return std::any_of(first, first + span.count, [&named](int ingredient) { return named[size_t(ingredient)]; });
    };
    std::vector<int> found = all.order;
    for (const QString &start : comparableStarts(criteria.with)) {
        const std::vector<char> named = ingredientsNamed(all.ingredients, {start});
        std::erase_if(found, [&](int recipe) { return !holds(recipe, named); });
    }
    const QStringList excluded = comparableStarts(criteria.without);
    if (!excluded.isEmpty()) {
        const std::vector<char> named = ingredientsNamed(all.ingredients, excluded);
        std::erase_if(found, [&](int recipe) { return holds(recipe, named); });
    }
    QList<FoundRecipe> recipes;
    recipes.reserve(qsizetype(found.size()));
    for (int recipe : found)
        recipes.append(all.recipes[size_t(recipe)].found);
    return recipes;
}
