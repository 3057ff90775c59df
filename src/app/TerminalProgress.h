#pragma once

#include <QElapsedTimer>
#include <QString>

class QTextStream;

// A progress line on a terminal, rewritten in place a few times a second while a long
// import runs. Disabled, it writes nothing, so redirected output stays clean.
class TerminalProgress {
public:
    TerminalProgress(QTextStream &out, bool enabled) : m_out(out), m_enabled(enabled) {}

    void showRecipesRead(int count);
    // Clears the progress line, so the summary that follows starts at the left.
    void finish();

private:
    static constexpr int kIntervalMs = 200;

    QTextStream &m_out;
    bool m_enabled;
    bool m_shown = false;
    int m_width = 0;
    QElapsedTimer m_sinceShown;
};
