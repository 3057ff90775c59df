#include "exchange/LookupListValues.h"

#include "data/Table.h"
#include "exchange/ImportPoster.h"

LookupListValues::LookupListValues(TTable &list, ImportPoster &poster)
    : m_list(list), m_poster(poster), m_size(list.field(0).size())
{
    const int rows = list.recordCount();
    m_values.reserve(rows);
    for (int row = 0; row < rows; ++row)
        m_values.insert(list.valueAt(row, 0).toString());
}

// The key as the list stores it: cut to the field's width (an empty text stays empty).
QString LookupListValues::storedForm(const QString &value) const
{
    return m_size > 0 && value.size() > m_size ? value.left(m_size) : value;
}

void LookupListValues::ensure(const QString &value)
{
    const QString key = storedForm(value);
    if (m_values.contains(key))
        return;
    // Another copy of the program may have added it since the set was read; the import
    // holds the write lock here, so what the table says now stays true.
    const QString field = m_list.fieldInfo(0).def.name;
    if (!m_list.lookup(field, key, field).isNull()) {
        m_values.insert(key);
        return;
    }
    m_list.insert();
    m_list.field(0).setAsString(value);
    m_poster.post(m_list);
    // A refused value is not offered again: the list would refuse it the same way.
    m_values.insert(key);
    m_new.append(key);
}

void LookupListValues::forgetNew()
{
    for (const QString &value : std::as_const(m_new))
        m_values.remove(value);
    m_new.clear();
}
