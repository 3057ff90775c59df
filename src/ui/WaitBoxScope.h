#pragma once

#include <QString>

class TWaitForm;

// Frames one import or export with a wait-box message: pushed when made, popped when
// destroyed, also when the operation fails. Without a wait box it does nothing.
class WaitBoxScope {
public:
    WaitBoxScope(TWaitForm *box, const QString &message);
    ~WaitBoxScope();
    WaitBoxScope(const WaitBoxScope &) = delete;
    WaitBoxScope &operator=(const WaitBoxScope &) = delete;

    // Adds the count read so far under the message; the box repaints a few times a second.
    void showRecipesRead(int count);

private:
    TWaitForm *m_box;
    QString m_message;
};
