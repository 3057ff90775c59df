#pragma once

#include "data/Prompter.h"

class QMessageBox;
class QWidget;

// The prompter of the running program: standard message boxes over the active window.
class MessageBoxPrompter final : public Prompter {
public:
    bool confirm(const QString &question) override;
    void inform(const QString &message) override;
    void informWithDetails(const QString &message, const QString &details) override;
    void error(const QString &message) override;
    std::optional<QString> askText(const QString &caption, const QString &question, const QString &text) override;

private:
    static int exec(QMessageBox &box);
    static QWidget *dialogParent();
    static QString applicationTitle();
};
