#include "ui/BoundLabel.h"

#include "ui/FieldLink.h"

BoundLabel::BoundLabel(QWidget *parent) : QLabel(parent), m_link(new FieldLink(this, [this] { fill(); }))
{
    setTextFormat(Qt::PlainText);
}

void BoundLabel::bind(TDataSource &source, const QString &fieldName)
{
    m_link->bind(source, fieldName);
}

void BoundLabel::fill()
{
    setText(m_link->text());
}
