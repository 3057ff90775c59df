#include "exchange/IngredientDirectory.h"

#include "data/Table.h"
#include "exchange/ImportPoster.h"

IngredientDirectory::IngredientDirectory(TTable &ingredients, ImportPoster &poster)
    : m_table(ingredients),
      m_poster(poster),
      m_keyField(ingredients.fieldIndex(QStringLiteral("Ingredient_ID"))),
      m_nameField(ingredients.fieldIndex(QStringLiteral("Ingredient"))),
      m_nameSize(ingredients.fieldByName(QStringLiteral("Ingredient")).size())
{
    ingredients.fieldByName(QStringLiteral("Ingredient_ID"));  // raises the engine's error when missing
    load();
}

// Names are compared as the table stores them: cut to the field's width.
QString IngredientDirectory::comparableName(const QString &name) const
{
    const QString stored = m_nameSize > 0 && name.size() > m_nameSize ? name.left(m_nameSize) : name;
    return stored.toCaseFolded();
}

void IngredientDirectory::load()
{
    const int rows = m_table.recordCount();
    m_keys.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        const QString name = comparableName(m_table.valueAt(row, m_nameField).toString());
        if (!m_keys.contains(name))
            m_keys.insert(name, m_table.valueAt(row, m_keyField).toString());
    }
}

QString IngredientDirectory::keyFor(const QString &name)
{
    const QString comparable = comparableName(name);
    const auto found = m_keys.constFind(comparable);
    if (found != m_keys.constEnd())
        return found.value();
    // Another copy of the program may have added it since the map was read; the import
    // holds the write lock here, so what the table says now stays true. Names are matched
    // regardless of case, as in the map, which lets the look-up use the name index.
    const QString stored = m_table
                               .lookup(m_table.fieldInfo(m_nameField).def.name, name,
                                       m_table.fieldInfo(m_keyField).def.name, true)
                               .toString();
    if (!stored.isEmpty()) {
        m_keys.insert(comparable, stored);
        return stored;
    }
    m_table.insert();
    m_table.field(m_nameField).setAsString(name);
    const QString key = m_table.field(m_keyField).asString();
    if (!m_poster.post(m_table))
        return {};
    m_keys.insert(comparable, key);
    m_new.append(comparable);
    return key;
}

void IngredientDirectory::forgetNew()
{
    for (const QString &name : std::as_const(m_new))
        m_keys.remove(name);
    m_new.clear();
}
