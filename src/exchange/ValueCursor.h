#pragma once

#include <QString>

// Takes the values of a header or ingredient line of the native format from the left, one
// at a time: a value runs from just after the first "=" to just before the first ";" of
// what is left, and the line is then cut after that ";". The names before the "=" signs are
// not checked; values are taken by position, and a line that runs out gives empty values.
class ValueCursor {
public:
    explicit ValueCursor(const QString &line) : m_line(line) {}

    QString next();

private:
    const QString &m_line;
    qsizetype m_start = 0;
};
