#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

class LineWriter;
class TdmMain1;

// Writes recipes as blocks of the native exchange file, appending to a file that exists.
// A recipe is found by name in the data module's recipe view, so the category filter of the
// main window applies: a name the view does not show is skipped without a message.
class NativeExporter {
public:
    using Progress = std::function<void(int recipesWritten)>;

    explicit NativeExporter(TdmMain1 &tables) : m_tables(tables) {}

    void setProgress(Progress progress) { m_progress = std::move(progress); }
    // One block for each name, in the order given: the first recipe of that name in name
    // order, ignoring letter case. Returns the number of blocks written.
    int exportRecipes(const QString &fileName, const QStringList &names);

private:
    struct LineFields {
        int ingredientId, order, amount, measurement, description;
    };

    void prepare();
    bool locateRecipe(const QString &name);
    void readIngredientNames();
    void writeBlock(LineWriter &out);
    void writeHeader(LineWriter &out);
    void writeMemo(LineWriter &out, const QString &fieldName);
    void writeIngredientLines(LineWriter &out);

    TdmMain1 &m_tables;
    Progress m_progress;
    QHash<QString, QString> m_ingredientNames;  // key to name, read once per export
    LineFields m_lineFields{};
    bool m_findsNameByKey = false;
};
