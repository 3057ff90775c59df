#pragma once

#include "exchange/RecipeExporter.h"

// Writes recipes as blocks of the native exchange file, appending to a file that exists.
// Values the plain layout cannot carry are written in the escaped layout (NativeFormat).
class NativeExporter : public RecipeExporter {
public:
    explicit NativeExporter(TdmMain1 &tables) : RecipeExporter(tables) {}

protected:
    void writeRecipe(LineWriter &out, const ExportedRecipe &recipe) override;

private:
    static bool needsEscape(const ExportedRecipe &recipe);
    void writeHeader(LineWriter &out, const ExportedRecipe &recipe);
    void writeMemo(LineWriter &out, const QStringList &lines);
    void writeIngredientLines(LineWriter &out, const ExportedRecipe &recipe);
    QString value(const QString &text) const;

    bool m_escaped = false;
};
