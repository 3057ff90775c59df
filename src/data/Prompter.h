#pragma once

#include <QString>
#include <optional>

// Every confirmation, notice and error the program shows goes through the installed prompter:
// the application installs one on message boxes, tests install one with scripted answers.
class Prompter {
public:
    virtual ~Prompter() = default;
    // Title "Confirm", a question mark, Yes and No; true for Yes.
    virtual bool confirm(const QString &question) = 0;
    virtual void inform(const QString &message) = 0;
    // A notice whose details the user may open; by default the notice alone.
    virtual void informWithDetails(const QString &message, const QString &details)
    {
        Q_UNUSED(details);
        inform(message);
    }
    virtual void error(const QString &message) = 0;
    // A line of text asked for under a caption, starting from the given text; none when the
    // user cancels. By default nothing can be asked, as if cancelled.
    virtual std::optional<QString> askText(const QString &caption, const QString &question, const QString &text)
    {
        Q_UNUSED(caption);
        Q_UNUSED(question);
        Q_UNUSED(text);
        return std::nullopt;
    }

    static Prompter &instance();
    // The previous prompter is returned so that a test can put it back.
    static Prompter *install(Prompter *prompter);
};
