#pragma once

#include <QDate>
#include <QWidget>

// A month grid: seven columns, weeks starting on Sunday, a header row of weekday names and
// the day numbers of the shown month; cells outside the month stay blank. One day is
// selected; the user selects a day by clicking its cell or with the arrow keys.
class MonthCalendar : public QWidget {
    Q_OBJECT
public:
    explicit MonthCalendar(QWidget *parent = nullptr);

    QDate date() const { return m_date; }
    int year() const { return m_date.year(); }
    int month() const { return m_date.month(); }
    int day() const { return m_date.day(); }

    // Each setter changes one part of the selected date; a combination that is no calendar
    // date (31 April) is refused with std::invalid_argument and changes nothing.
    void setDate(const QDate &date);
    void setYear(int year);
    void setMonth(int month);
    void setDay(int day);

    // The day whose cell holds the point, or 0 for a blank cell, the header or outside.
    int dayAt(const QPoint &point) const;
    QRect cellRect(int day) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The selected date changed, by the user or by the program.
    void changed();
    // The user clicked the grid, whether or not the date changed.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    static constexpr int kColumns = 7;
    static constexpr int kRows = 7;  // the weekday names and up to six weeks

    int leadingBlanks() const;
    int rowTop(int row) const;
    QRect cellAt(int row, int column) const;
    void paintHeader(QPainter &painter);
    void paintDays(QPainter &painter);
    void moveSelectionBy(int days);

    QDate m_date;
    bool m_pressed = false;
};
