#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class ImportPoster;
class TTable;

// One lookup list (categories, measurements, descriptions) as the Meal-Master import fills
// it: a value is searched by the list's key, exactly, in a set read once, and added to the
// list when absent. Values added for the recipe being read are remembered until that recipe
// is kept or rolled back.
class LookupListValues {
public:
    LookupListValues(TTable &list, ImportPoster &poster);

    void ensure(const QString &value);
    void keepNew() { m_new.clear(); }
    void forgetNew();

private:
    QString storedForm(const QString &value) const;

    TTable &m_list;
    ImportPoster &m_poster;
    int m_size;
    QSet<QString> m_values;
    QStringList m_new;
};
