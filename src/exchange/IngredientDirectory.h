#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class ImportPoster;
class TTable;

// The importers' way to the ingredient table: the key of an ingredient by its name, ignoring
// letter case, from an in-memory map read once, so each look-up costs the same however
// large the table is. A name the table lacks gets a new ingredient. The ingredients made for
// the recipe being read are remembered until that recipe is kept or rolled back.
class IngredientDirectory {
public:
    IngredientDirectory(TTable &ingredients, ImportPoster &poster);

    // The first stored ingredient of that name (in the view's key order), or a new one;
    // empty when the table refused the new ingredient.
    QString keyFor(const QString &name);
    void keepNew() { m_new.clear(); }
    void forgetNew();

private:
    void load();
    QString comparableName(const QString &name) const;

    TTable &m_table;
    ImportPoster &m_poster;
    int m_keyField;
    int m_nameField;
    int m_nameSize;
    QHash<QString, QString> m_keys;
    QStringList m_new;
};
