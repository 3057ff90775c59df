#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class LineWriter;
class TTable;
class TdmMain1;

// One recipe as an export writes it: the recipe's fields and its ingredient lines in order.
struct ExportedLine {
    QString ingredient, order, amount, measurement, description;
};

struct ExportedRecipe {
    QString name, meal, category, prepTime, servings, cookTime;
    QStringList instructions, notes;
    QList<ExportedLine> lines;
};

// What the exports of every format share: finding the recipes, reading each one with its
// lines, and the file they are appended to. A format writes one recipe at a time.
class RecipeExporter {
public:
    using Progress = std::function<void(int recipesWritten)>;

    explicit RecipeExporter(TdmMain1 &tables) : m_tables(tables) {}
    virtual ~RecipeExporter();
    RecipeExporter(const RecipeExporter &) = delete;
    RecipeExporter &operator=(const RecipeExporter &) = delete;

    void setProgress(Progress progress) { m_progress = std::move(progress); }
    // Each recipe by its key, in the order given, whatever the main window shows; a key that is
    // no longer stored (another copy deleted the recipe) writes nothing. Returns the number of
    // recipes written.
    int exportKeys(const QString &fileName, const QStringList &recipeKeys);
    // For each name, in the order given, the first recipe of that name in name order, ignoring
    // letter case, among those the data module's recipe view shows; a name it does not show
    // writes nothing. Returns the number of recipes written.
    int exportRecipes(const QString &fileName, const QStringList &names);

protected:
    virtual void writeRecipe(LineWriter &out, const ExportedRecipe &recipe) = 0;

private:
    struct LineFields {
        int ingredientId, order, amount, measurement, description;
    };

    int exportEach(const QString &fileName, const QStringList &items, TTable &recipes, TTable &lines,
                   const std::function<bool(const QString &)> &locate);
    void readIngredientNames();
    void readRecipe(TTable &recipes, TTable &lines);

    TdmMain1 &m_tables;
    Progress m_progress;
    QHash<QString, QString> m_ingredientNames;  // key to name, read once per export
    LineFields m_lineFields{};
    ExportedRecipe m_recipe;
};
