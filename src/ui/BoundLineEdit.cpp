#include "ui/BoundLineEdit.h"

#include "ui/CommandGuard.h"
#include "ui/FieldLink.h"

#include <QSignalBlocker>

BoundLineEdit::BoundLineEdit(QWidget *parent)
    : QLineEdit(parent), m_link(new FieldLink(this, [this] { fill(); }))
{
    connect(this, &QLineEdit::textEdited, this, guarded(this, &BoundLineEdit::userEdited));
}

void BoundLineEdit::bind(TDataSource &source, const QString &fieldName)
{
    m_link->bind(source, fieldName);
    // Typing stops at the field's width, so the record never holds less than the box shows.
    if (m_link->fieldSize() > 0)
        setMaxLength(m_link->fieldSize());
}

void BoundLineEdit::fill()
{
    const QString value = m_link->text();
    if (value == text())
        return;
    const QSignalBlocker blocker(this);
    setText(value);
}

void BoundLineEdit::userEdited(const QString &text)
{
    m_link->write(text);
}
