#include "ui/Finddate.h"

#include "data/DateText.h"
#include "data/EngineError.h"
#include "data/Prompter.h"
#include "ui/CommandGuard.h"
#include "ui/FocusMark.h"
#include "ui/FormDefaults.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTextCharFormat>
#include <QVBoxLayout>

namespace {

const QDate kFallbackDate(1980, 1, 1);

// The month and day boxes: a text emptied by the user is a value too, the box's lowest, so
// that clearing the day box steps back into the previous month as spinning below 1 does.
class LowestWhenEmptySpinBox final : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString &text, int &position) const override
    {
        return text.trimmed().isEmpty() ? QValidator::Acceptable : QSpinBox::validate(text, position);
    }
    int valueFromText(const QString &text) const override
    {
        return text.trimmed().isEmpty() ? minimum() : QSpinBox::valueFromText(text);
    }
};

// The month grid marks the chosen day while it has the keyboard focus.
class FocusMarkedCalendar final : public QCalendarWidget {
public:
    using QCalendarWidget::QCalendarWidget;

protected:
    void paintCell(QPainter *painter, const QRect &rect, QDate date) const override
    {
        QCalendarWidget::paintCell(painter, rect, date);
        if (date == selectedDate() && hasFocus())
            drawFocusMark(*painter, rect, palette());
    }
};

} // namespace

TFindDateForm::TFindDateForm(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      Bevel1(new QFrame(this)),
      Label1(new QLabel(QStringLiteral("Date"), this)),
      EditDate(new QLabel(this)),
      Calendar(new FocusMarkedCalendar(this)),
      Label2(new QLabel(QStringLiteral("Year"), this)),
      Label3(new QLabel(QStringLiteral("Month"), this)),
      Label4(new QLabel(QStringLiteral("Day"), this)),
      EditYear(new QSpinBox(this)),
      EditMonth(new LowestWhenEmptySpinBox(this)),
      EditDay(new LowestWhenEmptySpinBox(this)),
      OKBtn(new QPushButton(QStringLiteral("OK"), this)),
      CancelBtn(new QPushButton(QStringLiteral("Cancel"), this)),
      BitBtn1(new QPushButton(QStringLiteral("Clear"), this))
{
    setWindowTitle(QStringLiteral("Find Date"));
    setFont(FormDefaults::formFont());
    FormDefaults::centreWhenFirstShown(*this);
    setUpControls();
    buildLayout();
    connectControls();
}

void TFindDateForm::setUpControls()
{
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette maroon = EditDate->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    EditDate->setPalette(maroon);
    Calendar->setFirstDayOfWeek(Qt::Sunday);
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    Calendar->setNavigationBarVisible(false);
    Calendar->setDateRange(QDate(kFirstYear, 1, 1), QDate(kLastYear, 12, 31));
    QPalette yellow = Calendar->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    Calendar->setPalette(yellow);
    // Weekends in the same black as the other days, as on the main calendar.
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
        Calendar->setWeekdayTextFormat(day, Calendar->weekdayTextFormat(Qt::Monday));
    EditYear->setRange(kFirstYear, kLastYear);
    EditMonth->setRange(0, 13);
    EditDay->setRange(0, 32);
    OKBtn->setDefault(true);
    OKBtn->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    CancelBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    setTabOrder(Calendar, EditYear);
    setTabOrder(EditYear, EditMonth);
    setTabOrder(EditMonth, EditDay);
    setTabOrder(EditDay, OKBtn);
}

void TFindDateForm::buildLayout()
{
    Bevel1->setFrameShape(QFrame::StyledPanel);
    Bevel1->setFrameShadow(QFrame::Sunken);
    auto *boxes = new QGridLayout;
    int row = 0;
    for (auto [label, box] : {std::pair{Label2, EditYear}, std::pair{Label3, EditMonth}, std::pair{Label4, EditDay}}) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        boxes->addWidget(label, row, 0);
        boxes->addWidget(box, row++, 1);
    }
    boxes->setRowStretch(row, 1);
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(Label1);
    dateRow->addWidget(EditDate, 1);
    auto *framed = new QGridLayout(Bevel1);
    framed->addLayout(dateRow, 0, 0, 1, 2);
    framed->addWidget(Calendar, 1, 0);
    framed->addLayout(boxes, 1, 1);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {OKBtn, CancelBtn, BitBtn1})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Bevel1, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFindDateForm::connectControls()
{
    connect(Calendar, &QCalendarWidget::selectionChanged, this, guarded([this] { DateChanged(Calendar); }));
    for (QSpinBox *box : {EditYear, EditMonth, EditDay})
        connect(box, &QSpinBox::valueChanged, this, guarded([this, box] { DateChanged(box); }));
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &TFindDateForm::BitBtn1Click));
    // The month grid keeps Enter to itself, so the default button would never hear it there.
    if (auto *days = Calendar->findChild<QAbstractItemView *>())
        days->installEventFilter(this);
}

void TFindDateForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Calendar->setFocus();
}

bool TFindDateForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OKBtn->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString TFindDateForm::Execute(const QString &text)
{
    const QDate given = DateText::parse(text);
    if (given.isValid() && given >= Calendar->minimumDate() && given <= Calendar->maximumDate()) {
        showDate(given);
        EditDate->setText(text);
    } else {
        DateChanged(nullptr);
    }
    if (exec() != QDialog::Accepted)
        throw SilentAbort();
    return DateText::toDisplay(DateText::parse(EditDate->text()));
}

void TFindDateForm::DateChanged(QObject *source)
{
    showDate(dateFrom(source));
}

QDate TFindDateForm::dateFrom(QObject *source) const
{
    const QDate shown = Calendar->selectedDate();
    if (source == Calendar)
        return EncodeNearestDate(shown.year(), shown.month(), shown.day());
    if (source == EditYear)
        return EncodeNearestDate(EditYear->value(), shown.month(), shown.day());
    if (source == EditMonth) {
        const int month = EditMonth->value();
        if (month == 13)
            return EncodeNearestDate(shown.year() + 1, 1, shown.day());
        if (month == 0)
            return EncodeNearestDate(shown.year() - 1, 12, shown.day());
        return EncodeNearestDate(shown.year(), month, shown.day());
    }
    if (source == EditDay)
        return StepDay(shown.year(), shown.month(), EditDay->value());
    return QDate::currentDate();
}

void TFindDateForm::showDate(const QDate &requested)
{
    // Stepping past either end of the year range stops at that end.
    const QDate date = std::clamp(requested, Calendar->minimumDate(), Calendar->maximumDate());
    EditDate->setText(DateText::toDisplay(date));
    const QSignalBlocker calendarBlocker(Calendar);
    Calendar->setSelectedDate(date);
    for (auto [box, value] : {std::pair{EditDay, date.day()}, std::pair{EditMonth, date.month()},
                              std::pair{EditYear, date.year()}}) {
        const QSignalBlocker boxBlocker(box);
        box->setValue(value);
    }
}

void TFindDateForm::BitBtn1Click()
{
    EditDate->clear();
    accept();
}

QDate TFindDateForm::EncodeNearestDate(int year, int month, int day)
{
    for (int back = 0; back <= 3; ++back)
        if (QDate::isValid(year, month, day - back))
            return QDate(year, month, day - back);
    Prompter::instance().error(QStringLiteral("An Error has occured with the date requested"));
    return kFallbackDate;
}

QDate TFindDateForm::StepDay(int year, int month, int value)
{
    if (value <= 0)
        return month == 1 ? EncodeNearestDate(year - 1, 12, 31) : EncodeNearestDate(year, month - 1, 31);
    if (value < 29 || QDate::isValid(year, month, value))
        return EncodeNearestDate(year, month, value);
    return month == 12 ? EncodeNearestDate(year + 1, 1, 1) : EncodeNearestDate(year, month + 1, 1);
}
