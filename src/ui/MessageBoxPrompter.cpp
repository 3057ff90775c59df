#include "ui/MessageBoxPrompter.h"

#include "ui/FormDefaults.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

bool MessageBoxPrompter::confirm(const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), question, QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setDefaultButton(QMessageBox::Yes);
    return exec(box) == QMessageBox::Yes;
}

void MessageBoxPrompter::inform(const QString &message)
{
    QMessageBox box(QMessageBox::Information, applicationTitle(), message, QMessageBox::Ok, dialogParent());
    exec(box);
}

// The details stay behind the box's "Show Details..." button.
void MessageBoxPrompter::informWithDetails(const QString &message, const QString &details)
{
    QMessageBox box(QMessageBox::Information, applicationTitle(), message, QMessageBox::Ok, dialogParent());
    box.setDetailedText(details);
    box.exec();
}

void MessageBoxPrompter::error(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(), message, QMessageBox::Ok, dialogParent());
    exec(box);
}

std::optional<QString> MessageBoxPrompter::askText(const QString &caption, const QString &question,
                                                   const QString &text)
{
    QInputDialog dialog(dialogParent());
    dialog.setFont(FormDefaults::formFont());
    dialog.setWindowTitle(caption);
    dialog.setLabelText(question);
    dialog.setTextValue(text);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

// A box is a window of its own and inherits no font from the window it stands over.
int MessageBoxPrompter::exec(QMessageBox &box)
{
    box.setFont(FormDefaults::formFont());
    return box.exec();
}

QWidget *MessageBoxPrompter::dialogParent()
{
    return QApplication::activeWindow();
}

// The program sets no title of its own, so notices carry the name derived from the program file.
QString MessageBoxPrompter::applicationTitle()
{
    return QApplication::applicationDisplayName();
}
