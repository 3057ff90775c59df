#include "ui/MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>

bool MessageBoxPrompter::confirm(const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), question, QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxPrompter::inform(const QString &message)
{
    QMessageBox box(QMessageBox::Information, applicationTitle(), message, QMessageBox::Ok, dialogParent());
    box.exec();
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
    box.exec();
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
