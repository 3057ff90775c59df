#include "data/RecipeFinder.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "data/SqliteStatement.h"

#include <QHash>
#include <sqlite3.h>
#include <algorithm>
#include <vector>

// Everything a search looks at, in the order the recipe list shows the recipes. The lines of
// recipe r name the ingredients lines[lineStart[r]] up to lines[lineStart[r + 1]].
struct RecipeFinder::Collection {
    qint64 dataVersion = -1;   // other connections' commits, as counted when read
    qint64 ownChanges = -1;    // this connection's changed rows, likewise
    QStringList ingredients;   // names, cut to the field's width and case folded
    QList<FoundRecipe> recipes;
    std::vector<int> lineStart;
    std::vector<int> lines;
};

namespace {

int ingredientNameWidth()
{
    return Schema::findTable(QStringLiteral("INGREDIE"))->field(QStringLiteral("Ingredient"))->size;
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

qint64 dataVersion(TDatabase &db)
{
    SqliteStatement &version = db.statement(QStringLiteral("PRAGMA data_version"));
    StatementRun run(version);
    version.step();
    return version.int64Value(0);
}

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

// Case is folded here rather than in SQL, whose NOCASE folds only ASCII letters.
KeyIndex readIngredients(TDatabase &db, QStringList &names)
{
    SqliteStatement &rows = db.statement(QStringLiteral("SELECT \"Ingredient_ID\", \"Ingredient\" FROM \"INGREDIE\""),
                                         QStringLiteral("INGREDIE"));
    StatementRun run(rows);
    KeyIndex keys;
    const int width = ingredientNameWidth();
    while (rows.step()) {
        keys.insert(rows.textView(0), int(names.size()));
        names << QString::fromUtf8(rows.textView(1)).left(width).toCaseFolded();
    }
    return keys;
}

KeyIndex readRecipes(TDatabase &db, QList<FoundRecipe> &recipes)
{
    SqliteStatement &rows = db.statement(
        QStringLiteral("SELECT \"Recipe_ID\", \"Name\" FROM \"Recipe\" ORDER BY \"Name\" COLLATE NOCASE, \"Recipe_ID\""),
        QStringLiteral("Recipe"));
    StatementRun run(rows);
    KeyIndex keys;
    while (rows.step()) {
        const QByteArrayView key = rows.textView(0);
        keys.insert(key, int(recipes.size()));
        recipes.append({QString::fromUtf8(key), QString::fromUtf8(rows.textView(1))});
    }
    return keys;
}

// Lines of a missing recipe or ingredient name nothing.
void readLines(TDatabase &db, const KeyIndex &recipeKeys, qsizetype recipeCount, const KeyIndex &ingredientKeys,
               std::vector<int> &lineStart, std::vector<int> &lines)
{
    SqliteStatement &rows =
        db.statement(QStringLiteral("SELECT \"Recipe_ID\", \"Ingredient_ID\" FROM \"REC_INGR\""), QStringLiteral("REC_INGR"));
    StatementRun run(rows);
    std::vector<std::pair<int, int>> pairs;  // recipe, ingredient
    while (rows.step()) {
        const int recipe = recipeKeys.find(rows.textView(0));
        const int ingredient = ingredientKeys.find(rows.textView(1));
        if (recipe >= 0 && ingredient >= 0)
            pairs.emplace_back(recipe, ingredient);
    }
    lineStart.assign(size_t(recipeCount) + 1, 0);
    for (const auto &[r, i] : pairs)
        ++lineStart[size_t(r) + 1];
    for (size_t r = 1; r < lineStart.size(); ++r)
        lineStart[r] += lineStart[r - 1];
    lines.resize(pairs.size());
    std::vector<int> next(lineStart.begin(), lineStart.end() - 1);
    for (const auto &[r, i] : pairs)
        lines[size_t(next[size_t(r)]++)] = i;
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

// Read again when another connection committed or this one changed rows since it was read.
const RecipeFinder::Collection &RecipeFinder::collection()
{
    const qint64 version = dataVersion(m_db);
    const qint64 ownChanges = sqlite3_total_changes64(m_db.handle());
    if (m_collection && m_collection->dataVersion == version && m_collection->ownChanges == ownChanges)
        return *m_collection;
    auto read = std::make_unique<Collection>();
    read->dataVersion = version;
    read->ownChanges = ownChanges;
    const KeyIndex ingredientKeys = readIngredients(m_db, read->ingredients);
    const KeyIndex recipeKeys = readRecipes(m_db, read->recipes);
    readLines(m_db, recipeKeys, read->recipes.size(), ingredientKeys, read->lineStart, read->lines);
    m_collection = std::move(read);
    return *m_collection;
}

QList<FoundRecipe> RecipeFinder::find(const IngredientCriteria &criteria)
{
    const Collection &all = collection();
    auto holds = [&all](int recipe, const std::vector<char> &named) {
        for (int line = all.lineStart[size_t(recipe)]; line < all.lineStart[size_t(recipe) + 1]; ++line)
            if (named[size_t(all.lines[size_t(line)])])
                return true;
        return false;
    };
    std::vector<int> found(size_t(all.recipes.size()));
    for (size_t r = 0; r < found.size(); ++r)
        found[r] = int(r);
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
        recipes.append(all.recipes[recipe]);
    return recipes;
}
