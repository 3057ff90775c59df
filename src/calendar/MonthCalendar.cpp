#include "calendar/MonthCalendar.h"

#include "ui/CommandGuard.h"
#include "ui/FocusMark.h"
#include "ui/OwnedControls.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <stdexcept>

namespace {

QDate validDate(int year, int month, int day)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        throw std::invalid_argument(
            QStringLiteral("%1-%2-%3 is not a valid date.").arg(year).arg(month).arg(day).toStdString());
    return date;
}

} // namespace

MonthCalendar::MonthCalendar(QWidget *parent) : QWidget(parent), m_date(QDate::currentDate())
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    // Coloured with the grids when the window wears its tiled background.
    OwnedControls::markColoured(*this);
}

void MonthCalendar::setDate(const QDate &date)
{
    if (!date.isValid())
        throw std::invalid_argument("The calendar cannot show an invalid date.");
    if (date == m_date)
        return;
    m_date = date;
    update();
    emit changed();
}

void MonthCalendar::setYear(int year)
{
    setDate(validDate(year, month(), day()));
}

void MonthCalendar::setMonth(int month)
{
    setDate(validDate(year(), month, day()));
}

void MonthCalendar::setDay(int day)
{
    setDate(validDate(year(), month(), day));
}

// Columns count from Sunday; dayOfWeek() counts from Monday (1) to Sunday (7).
int MonthCalendar::leadingBlanks() const
{
    return QDate(year(), month(), 1).dayOfWeek() % kColumns;
}

// The header row is as tall as its text needs; the six week rows share the rest.
int MonthCalendar::rowTop(int row) const
{
    const int header = qMin(height() / kRows, fontMetrics().height() + 8);
    if (row == 0)
        return 0;
    return header + (row - 1) * (height() - header) / (kRows - 1);
}

QRect MonthCalendar::cellAt(int row, int column) const
{
    const int left = column * width() / kColumns;
    const int top = rowTop(row);
    return QRect(left, top, (column + 1) * width() / kColumns - left, rowTop(row + 1) - top);
}

QRect MonthCalendar::cellRect(int day) const
{
    if (day < 1 || day > m_date.daysInMonth())
        return {};
    const int index = leadingBlanks() + day - 1;
    return cellAt(1 + index / kColumns, index % kColumns);
}

int MonthCalendar::dayAt(const QPoint &point) const
{
    if (!rect().contains(point))
        return 0;
    const int column = qBound(0, point.x() * kColumns / qMax(1, width()), kColumns - 1);
    int row = 0;
    while (row + 1 < kRows && point.y() >= rowTop(row + 1))
        ++row;
    if (row == 0)
        return 0;
    const int day = (row - 1) * kColumns + column - leadingBlanks() + 1;
    return day >= 1 && day <= m_date.daysInMonth() ? day : 0;
}

QSize MonthCalendar::sizeHint() const
{
    return {kColumns * 40, kRows * (fontMetrics().height() + 8)};
}

QSize MonthCalendar::minimumSizeHint() const
{
    return {kColumns * (fontMetrics().horizontalAdvance(QStringLiteral("30")) + 6), kRows * (fontMetrics().height() + 2)};
}

void MonthCalendar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintHeader(painter);
    paintDays(painter);
    painter.setPen(QColor(0xc0, 0xc0, 0xc0));
    for (int column = 1; column < kColumns; ++column)
        painter.drawLine(cellAt(0, column).left(), 0, cellAt(0, column).left(), height());
    for (int row = 1; row < kRows; ++row)
        painter.drawLine(0, cellAt(row, 0).top(), width(), cellAt(row, 0).top());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// Weekday names follow the user's locale, Sunday first.
void MonthCalendar::paintHeader(QPainter &painter)
{
    const QLocale locale;
    for (int column = 0; column < kColumns; ++column) {
        const QRect cell = cellAt(0, column);
        painter.fillRect(cell, palette().color(QPalette::Button));
        painter.setPen(palette().color(QPalette::ButtonText));
        const int weekday = column == 0 ? 7 : column;
        painter.drawText(cell, Qt::AlignCenter, locale.dayName(weekday, QLocale::ShortFormat));
    }
}

void MonthCalendar::paintDays(QPainter &painter)
{
    for (int day = 1; day <= m_date.daysInMonth(); ++day) {
        const QRect cell = cellRect(day);
        const bool selected = day == this->day();
        if (selected)
            painter.fillRect(cell, palette().color(QPalette::Active, QPalette::Highlight));
        painter.setPen(selected ? palette().color(QPalette::Active, QPalette::HighlightedText) : Qt::black);
        painter.drawText(cell, Qt::AlignCenter, QString::number(day));
        if (selected && hasFocus())
            drawFocusMark(painter, cell, palette());
    }
}

void MonthCalendar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressed = true;
    const int day = dayAt(event->position().toPoint());
    if (day > 0)
        runGuarded([&] { setDay(day); });
}

void MonthCalendar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return QWidget::mouseReleaseEvent(event);
    m_pressed = false;
    emit clicked();
}

// The arrow keys move the selection within the shown month; Home and End go to its ends.
void MonthCalendar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: moveSelectionBy(-1); break;
    case Qt::Key_Right: moveSelectionBy(1); break;
    case Qt::Key_Up: moveSelectionBy(-kColumns); break;
    case Qt::Key_Down: moveSelectionBy(kColumns); break;
    case Qt::Key_Home: moveSelectionBy(1 - day()); break;
    case Qt::Key_End: moveSelectionBy(m_date.daysInMonth() - day()); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void MonthCalendar::moveSelectionBy(int days)
{
    const int target = day() + days;
    if (target >= 1 && target <= m_date.daysInMonth())
        runGuarded([&] { setDay(target); });
}
