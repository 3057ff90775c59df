#include "reports_ui/RadioGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent), m_buttons(new QButtonGroup(this)), m_grid(new QGridLayout(this))
{
}

void RadioGroup::clearItems()
{
    for (QAbstractButton *button : m_buttons->buttons()) {
        m_buttons->removeButton(button);
        delete button;
    }
    m_items.clear();
}

void RadioGroup::addItem(const QString &text)
{
    // An ampersand in the text is shown, not taken for a mnemonic.
    auto *button = new QRadioButton(QString(text).replace(QLatin1Char('&'), QLatin1String("&&")), this);
    m_buttons->addButton(button, int(m_items.size()));
    m_items << text;
    arrangeButtons();
}

int RadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *button = m_buttons->button(index))
        button->setChecked(true);
}

QString RadioGroup::selectedItem() const
{
    const int index = itemIndex();
    return index >= 0 ? m_items[index] : QString();
}

void RadioGroup::setColumns(int columns)
{
    m_columns = std::max(columns, 1);
    arrangeButtons();
}

void RadioGroup::arrangeButtons()
{
    const int count = int(m_items.size());
    const int rows = std::max((count + m_columns - 1) / m_columns, 1);
    for (int index = 0; index < count; ++index) {
        QAbstractButton *button = m_buttons->button(index);
        m_grid->removeWidget(button);
        m_grid->addWidget(button, index % rows, index / rows);
    }
}
