#pragma once

// A data module on a fresh database in a temporary directory, with helpers that store
// recipes through the shared views and read the tables back whole through local queries.

#include "DataModuleFixture.h"
#include "data/DataSetHelpers.h"
#include "data/Query.h"
#include "exchange/LineReader.h"
#include "exchange/MealMasterImporter.h"
#include "exchange/NativeImporter.h"

#include <QHash>
#include <QList>

struct StoredLine {
    QString ingredient, order, amount, measurement, description;
    bool operator==(const StoredLine &o) const = default;
};

struct StoredRecipe {
    QString id, name, meal, category, prepTime, servings, cookTime;
    QStringList instructions, notes;
    QList<StoredLine> lines;
    // Everything but the key, which every import gives anew.
    bool sameContent(const StoredRecipe &o) const
    {
        return name == o.name && meal == o.meal && category == o.category && prepTime == o.prepTime
               && servings == o.servings && cookTime == o.cookTime && instructions == o.instructions
               && notes == o.notes && lines == o.lines;
    }
};

inline char *toString(const StoredLine &l)
{
    return QTest::toString(QStringList{l.ingredient, l.order, l.amount, l.measurement, l.description}.join(u'|'));
}

// A recipe as one line of text in the native header notation, and its lines likewise, so
// that expectations read like the file they come from.
inline QString headerOf(const StoredRecipe &r)
{
    return QStringList{r.name, r.meal, r.category, r.prepTime, r.servings, r.cookTime}.join(u'|');
}

inline QStringList linesOf(const StoredRecipe &r)
{
    QStringList result;
    for (const StoredLine &l : r.lines)
        result << QStringList{l.ingredient, l.order, l.amount, l.measurement, l.description}.join(u'|');
    return result;
}

// One block of the native file, CR LF ended, with every line given.
inline QByteArray nativeBlock(const QByteArray &header, const QList<QByteArray> &instructions,
                              const QList<QByteArray> &notes, const QList<QByteArray> &lines)
{
    QByteArray text = "Platewright\r\n" + header + "\r\nInstructions\r\n";
    for (const QByteArray &line : instructions)
        text += line + "\r\n";
    text += "Notes\r\n";
    for (const QByteArray &line : notes)
        text += line + "\r\n";
    text += "Ingredients List\r\n";
    for (const QByteArray &line : lines)
        text += line + "\r\n";
    return text;
}

// A Meal-Master recipe whose title ends in an e acute of code page 437, as in the archives.
inline const QByteArray kMealMasterPate = "MMMMM----- Recipe via Meal-Master (tm) v8.05\r\n \r\n"
                                          "      Title: Frosted Liver Pat\x82\r\n Categories: Appetizers\r\n"
                                          "   Servings: 12\r\n \r\n      1 lb Chicken livers\r\n \r\n  Chill.\r\nMMMMM\r\n";

class ExchangeFixture : public DataModuleFixture {
public:
    using DataModuleFixture::DataModuleFixture;

    QString path(const QString &fileName) const { return environment().path() + u'/' + fileName; }
    void writeFile(const QString &fileName, const QByteArray &bytes) const { QVERIFY(::writeFile(path(fileName), bytes)); }
    QByteArray readFile(const QString &fileName) const { return ::readFile(path(fileName)); }

    // Imports what the reader gives with the Meal-Master importer, or else the native one.
    ImportSummary importFrom(bool mealMaster, LineReader &reader)
    {
        if (mealMaster)
            return MealMasterImporter(dm()).importFrom(reader);
        return NativeImporter(dm()).importFrom(reader);
    }
    ImportSummary importText(bool mealMaster, const QByteArray &text)
    {
        LineReader reader(text);
        return importFrom(mealMaster, reader);
    }

    // Stores a recipe with its lines ("ingredient|amount|measurement|description") through
    // the data module's views, as the editors do; returns its key.
    QString addRecipe(const StoredRecipe &recipe, const QStringList &lines = {})
    {
        TTable &recipes = dm().tblRecipe;
        recipes.insert();
        const QStringList values{recipe.name, recipe.meal, recipe.category, recipe.prepTime, recipe.servings, recipe.cookTime};
        const char *fields[] = {"Name", "Meal", "Category", "PrepTime", "Servings", "CookTime"};
        for (int i = 0; i < 6; ++i)
            recipes.fieldByName(QLatin1String(fields[i])).setAsString(values[i]);
        recipes.fieldByName("Instructions").setAsLines(recipe.instructions);
        recipes.fieldByName("Notes").setAsLines(recipe.notes);
        recipes.post();
        const QString id = recipes.fieldByName("Recipe_ID").asString();
        for (const QString &line : lines)
            addLine(line.split(u'|'));
        return id;
    }

    QVariantList column(const QString &sql)
    {
        TQuery query(dm().Database1);
        query.setSql(sql);
        query.open();
        QVariantList values;
        for (int row = 0; row < query.recordCount(); ++row)
            values << query.valueAt(row, 0);
        return values;
    }

    int count(const QString &table) { return column(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(table)).value(0).toInt(); }

    QStringList listValues(const QString &table, const QString &field)
    {
        QStringList values;
        for (const QVariant &v : column(QStringLiteral("SELECT \"%1\" FROM \"%2\" ORDER BY 1").arg(field, table)))
            values << v.toString();
        return values;
    }

    // Every recipe in key order (keys as numbers), each with its lines in Order order.
    QList<StoredRecipe> recipes()
    {
        const QHash<QString, QList<StoredLine>> lines = allLines();
        TQuery query(dm().Database1);
        query.setSql(QStringLiteral("SELECT Recipe_ID, Name, Meal, Category, PrepTime, Servings, CookTime, Instructions, "
                                    "Notes FROM \"Recipe.DB\" ORDER BY CAST(Recipe_ID AS INTEGER)"));
        query.open();
        QList<StoredRecipe> result;
        for (int row = 0; row < query.recordCount(); ++row) {
            auto text = [&](int column) { return query.valueAt(row, column).toString(); };
            StoredRecipe r{text(0), text(1), text(2), text(3), text(4), text(5), text(6),
                           FieldText::splitLines(text(7)), FieldText::splitLines(text(8)), {}};
            r.lines = lines.value(r.id);
            result << r;
        }
        return result;
    }

    QStringList names()
    {
        QStringList result;
        for (const StoredRecipe &r : recipes())
            result << r.name;
        return result;
    }

    // Fails the running test when a recipe was left half stored or a view in the middle of an edit.
    void verifyNothingHalfDone()
    {
        QCOMPARE(orphanLines(), 0);
        for (TTable *table : dm().allTables())
            QVERIFY2(!table->isEditing(), qPrintable(table->tableName()));
    }

    // Lines whose recipe is not stored: a half-stored recipe leaves these behind.
    int orphanLines()
    {
        return column(QStringLiteral("SELECT count(*) FROM \"REC_INGR.DB\" l WHERE NOT EXISTS "
                                     "(SELECT 1 FROM \"Recipe.DB\" r WHERE r.Recipe_ID = l.Recipe_ID)"))
            .value(0)
            .toInt();
    }

private:
    void addLine(const QStringList &parts)
    {
        const QString key = addIngredient(parts.value(0));
        TTable &lines = dm().tblRecipeIngredient;
        lines.insert();
        lines.fieldByName("Ingredient_ID").setAsString(key);
        lines.fieldByName("Amount").setAsString(parts.value(1));
        lines.fieldByName("Measurement").setAsString(parts.value(2));
        lines.fieldByName("Description").setAsString(parts.value(3));
        lines.post();
    }

    QHash<QString, QList<StoredLine>> allLines()
    {
        TQuery query(dm().Database1);
        query.setSql(QStringLiteral(
            "SELECT l.Recipe_ID, i.Ingredient, l.\"Order\", l.Amount, l.Measurement, l.Description "
            "FROM \"REC_INGR.DB\" l LEFT JOIN \"INGREDIE.DB\" i ON i.Ingredient_ID = l.Ingredient_ID "
            "ORDER BY l.Recipe_ID, l.\"Order\", l.rowid"));
        query.open();
        QHash<QString, QList<StoredLine>> result;
        for (int row = 0; row < query.recordCount(); ++row) {
            auto text = [&](int column) { return query.valueAt(row, column).toString(); };
            result[text(0)] << StoredLine{text(1), text(2), text(3), text(4), text(5)};
        }
        return result;
    }
};
