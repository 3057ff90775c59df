#include "ui/BoundMemo.h"

#include "data/DataSet.h"
#include "ui/CommandGuard.h"
#include "ui/FieldLink.h"

#include <QSignalBlocker>

BoundMemo::BoundMemo(QWidget *parent) : QPlainTextEdit(parent), m_link(new FieldLink(this, [this] { fill(); }))
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, guarded(this, &BoundMemo::userEdited));
}

void BoundMemo::bind(TDataSource &source, const QString &fieldName)
{
    m_link->bind(source, fieldName);
}

void BoundMemo::fill()
{
    // Stored memos may end their lines with CR LF; the memo shows them as plain lines.
    const QString value = m_link->isActive()
                              ? m_link->dataSet()->fieldByName(m_link->fieldName()).asLines().join(QLatin1Char('\n'))
                              : QString();
    if (value == toPlainText())
        return;
    const QSignalBlocker blocker(this);
    setPlainText(value);
}

void BoundMemo::userEdited()
{
    m_link->write(toPlainText());
}
