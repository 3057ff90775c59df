#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QFrame;
class QLabel;
class QPushButton;
class QSpinBox;

// The date finder: the user picks a date on a month grid or with the year, month and day
// boxes, whose outer values (month 0 and 13, day 0 and 32) step into the neighbouring month
// or year. The calendar, the boxes and the date text always show the same date.
class TFindDateForm : public QDialog {
    Q_OBJECT
public:
    explicit TFindDateForm(QWidget *owner = nullptr);

    // Starts on the date the text holds (today's when it holds none) and returns the chosen
    // date in the user's short date format with a four-digit year, or an empty text after
    // Clear. Cancel ends with the silent abort.
    QString Execute(const QString &text);

    // The date of that year, month and day, or the nearest earlier day of the month up to
    // three days back; failing that, the error is shown and 1 January 1980 returned.
    static QDate EncodeNearestDate(int year, int month, int day);
    // The date the day box's value means: 0 is the last day of the previous month, a value
    // past the month's end the first day of the next month.
    static QDate StepDay(int year, int month, int value);

    static constexpr int kFirstYear = 1900;
    static constexpr int kLastYear = 2199;

    QFrame *const Bevel1;  // frames the date
    QLabel *const Label1;  // "Date"
    QLabel *const EditDate;
    QCalendarWidget *const Calendar;
    QLabel *const Label2;  // "Year"
    QLabel *const Label3;  // "Month"
    QLabel *const Label4;  // "Day"
    QSpinBox *const EditYear;
    QSpinBox *const EditMonth;
    QSpinBox *const EditDay;
    QPushButton *const OKBtn;
    QPushButton *const CancelBtn;
    QPushButton *const BitBtn1;  // "Clear"

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void setUpControls();
    void connectControls();
    void DateChanged(QObject *source);
    QDate dateFrom(QObject *source) const;
    void showDate(const QDate &date);
    void BitBtn1Click();
};
