#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;

// A captioned group of radio buttons built from a list of texts and laid out in columns,
// filled top to bottom and then left to right. At most one item is selected, and none is
// after the items are replaced.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString &caption, QWidget *parent = nullptr);

    void clearItems();
    void addItem(const QString &text);
    QStringList items() const { return m_items; }

    // -1 when no item is selected.
    int itemIndex() const;
    void setItemIndex(int index);
    QString selectedItem() const;

    int columns() const { return m_columns; }
    void setColumns(int columns);

private:
    void arrangeButtons();

    QButtonGroup *const m_buttons;
    QGridLayout *const m_grid;
    QStringList m_items;
    int m_columns = 1;
};
