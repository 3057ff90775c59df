// Building the report wizard's window: the picture strip, the page stack and the buttons.
#include "data/dmmain.h"
#include "reports_ui/RadioGroup.h"
#include "reports_ui/Report.h"
#include "reports_ui/WizardPicture.h"
#include "ui/BoundGrid.h"
#include "ui/CommandGuard.h"
#include "ui/Datebtn.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

void TReportForm::buildWindow()
{
    setWindowTitle(QStringLiteral("Report Wizard"));
    // No caption-bar buttons: the wizard is left through Close.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    Notebook1->addWidget(buildSelectPage());
    Notebook1->addWidget(buildNamePage());
    Notebook1->addWidget(buildCategoryPage());
    Notebook1->addWidget(buildDatePage());
    auto *body = new QHBoxLayout;
    body->addWidget(buildPictureStrip());
    body->addWidget(Notebook1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buildButtonStrip());
    resize(377, 275);
}

QFrame *TReportForm::buildPictureStrip()
{
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setFixedWidth(123);
    Image1->setPixmap(wizardPicture());
    auto *picture = new QVBoxLayout(Panel2);
    picture->setContentsMargins(0, 0, 0, 0);
    picture->addWidget(Image1);
    auto *strip = new QVBoxLayout(Panel1);
    strip->setContentsMargins(1, 1, 1, 1);
    strip->addWidget(Panel2);
    strip->addStretch();
    return Panel1;
}

QFrame *TReportForm::buildButtonStrip()
{
    btnBack->setEnabled(false);
    btnNext->setDefault(true);
    btnNext->setAutoDefault(true);
    connect(btnBack, &QPushButton::clicked, this, guarded(this, &TReportForm::btnBackClick));
    connect(btnNext, &QPushButton::clicked, this, guarded(this, &TReportForm::btnNextClick));
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout(Panel3);
    buttons->setContentsMargins(0, 4, 0, 0);
    buttons->addStretch();
    for (QPushButton *button : {btnBack, btnNext, btnCancel})
        buttons->addWidget(button);
    return Panel3;
}

QWidget *TReportForm::newPage(const QString &title, QLabel *intro)
{
    auto *page = new QWidget(Notebook1);
    page->setWindowTitle(title);
    auto *heading = new QLabel(title, page);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    heading->setFont(bold);
    intro->setWordWrap(true);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 0, 0, 0);
    layout->addWidget(heading);
    layout->addWidget(intro);
    return page;
}

QWidget *TReportForm::buildSelectPage()
{
    QWidget *page = newPage(QStringLiteral("Select Report"), Label6);
    DBGridReports->bind(dmMain1->dsReport);
    DBGridReports->horizontalHeader()->hide();
    DBGridReports->setShowGrid(false);
    Label1->setBuddy(DBGridReports);
    auto *layout = static_cast<QVBoxLayout *>(page->layout());
    layout->addSpacing(6);
    layout->addWidget(Label1);
    layout->addWidget(DBGridReports, 1);
    return page;
}

QWidget *TReportForm::buildNamePage()
{
    QWidget *page = newPage(QStringLiteral("Name Filter"), Label3);
    Label7->setBuddy(clbRecipeName);
    auto *layout = static_cast<QVBoxLayout *>(page->layout());
    layout->addSpacing(6);
    layout->addWidget(Label7);
    layout->addWidget(clbRecipeName, 1);
    layout->addWidget(chkCombineNames);
    return page;
}

QWidget *TReportForm::buildCategoryPage()
{
    QWidget *page = newPage(QStringLiteral("Category Filter"), Label8);
    auto *layout = static_cast<QVBoxLayout *>(page->layout());
    layout->addSpacing(6);
    layout->addWidget(rbCategory, 1);
    return page;
}

QWidget *TReportForm::buildDatePage()
{
    QWidget *page = newPage(QStringLiteral("Date Filter"), Label9);
    DateLookupButton1->setEdit(edFrom);
    DateLookupButton2->setEdit(edTo);
    auto *layout = static_cast<QVBoxLayout *>(page->layout());
    layout->addSpacing(10);
    layout->addWidget(buildDateRow(Label4, edFrom, DateLookupButton1));
    layout->addWidget(buildDateRow(Label5, edTo, DateLookupButton2));
    layout->addSpacing(6);
    layout->addWidget(chkCombineDates);
    layout->addStretch();
    setTabOrder(edFrom, DateLookupButton1);
    setTabOrder(DateLookupButton1, edTo);
    setTabOrder(edTo, DateLookupButton2);
    return page;
}

// A caption over a date box with its lookup button at the right.
QWidget *TReportForm::buildDateRow(QLabel *label, QLineEdit *edit, TDateLookupButton *button)
{
    auto *row = new QWidget(Notebook1);
    label->setBuddy(edit);
    edit->setMaximumWidth(120);
    auto *grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addWidget(edit, 1, 0);
    grid->addWidget(button, 1, 1);
    grid->setColumnStretch(2, 1);
    return row;
}
