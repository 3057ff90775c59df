#include "editing/Setup.h"

#include "ui/BoundGrid.h"
#include "ui/CommandGuard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *const kListCaptions[] = {"&Ingredient", "Mea&l",        "&PrepTime", "&CookTime",
                                     "&Measurement", "De&scription", "Cate&gory"};
const char *const kReportDateCaptions[] = {"&No Date", "&Today", "This &Week", "This &Month"};

} // namespace

QCheckBox *TSetupForm::addCheckBox(QWidget *page, const QString &caption, const QString &hint)
{
    auto *box = new QCheckBox(caption, page);
    setHint(box, hint);
    // Hugging its caption, so that the neutral colour behind it stays a small patch.
    static_cast<QBoxLayout *>(page->layout())->addWidget(box, 0, Qt::AlignLeft);
    return box;
}

QWidget *TSetupForm::createGeneralPage()
{
    auto *page = new QWidget(PageControl1);
    auto *layout = new QVBoxLayout(page);
    cbViewCalendar = addCheckBox(page, QStringLiteral("View &Calendar"), QStringLiteral("Select this to view the Calendar"));
    cbViewCoolButtons = addCheckBox(page, QStringLiteral("View Cool &Buttons"),
                                    QStringLiteral("Select this to view buttons as cool Buttons"));
    cbViewHints = addCheckBox(page, QStringLiteral("View &Hints"), QStringLiteral("Select this to view hints that help you "));
    cbViewBtnCaptions = addCheckBox(page, QStringLiteral("View Button Ca&ptions"),
                                    QStringLiteral("Select this to view button captions"));
    cbAutoSelectRecipe = addCheckBox(page, QStringLiteral("&Auto Select Recipe from Calendar"),
                                     QStringLiteral("Select this to automatically select the recipe selected by the "
                                                    "calendar date in the recipe area"));
    layout->addStretch();
    connect(cbViewHints, &QCheckBox::toggled, this, &TSetupForm::cbViewHintsClick);
    return page;
}

QWidget *TSetupForm::createEditableValuesPage()
{
    auto *page = new QWidget(PageControl1);
    auto *values = new QGroupBox(QStringLiteral("Values"), page);
    auto *radios = new QVBoxLayout(values);
    for (int item = 0; item < int(std::size(kListCaptions)); ++item) {
        auto *radio = new QRadioButton(QString::fromLatin1(kListCaptions[item]), values);
        rgItems->addButton(radio, item);
        radios->addWidget(radio, 0, Qt::AlignLeft);
    }
    radios->addStretch();
    rgItems->button(0)->setChecked(true);
    // The lists come before their values, as they stand left to right.
    setTabOrder(rgItems->buttons().last(), DBGrid);
    setHint(values, QStringLiteral("Select the Value you want to alter its respective elements"));
    DBGrid->setParent(page);
    setHint(DBGrid, QStringLiteral("Here are shown the respective elements of the Value chosen at the left"));
    connect(rgItems, &QButtonGroup::idClicked, this, guarded([this] { rgItemsClick(); }));
    auto *layout = new QHBoxLayout(page);
    layout->addWidget(values);
    layout->addWidget(DBGrid, 1);
    layout->addWidget(createListButtons(page));
    return page;
}

QWidget *TSetupForm::createListButtons(QWidget *page)
{
    auto *panel = new QWidget(page);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const char *name, const QString &caption, const QString &hint) {
        auto *result = new QPushButton(caption, panel);
        result->setObjectName(QLatin1String(name));
        result->setFocusPolicy(Qt::ClickFocus);
        result->setAutoDefault(false);
        setHint(result, hint);
        layout->addWidget(result);
        return result;
    };
    Add = button("Add", QStringLiteral("&Add..."), QStringLiteral("Add a Value to this list"));
    Edit = button("Edit", QStringLiteral("&Edit..."), QStringLiteral("Edit a Value in this list"));
    BitBtn3 = button("BitBtn3", QStringLiteral("&Delete"), QStringLiteral("Delete a Value from this list"));
    layout->addStretch();
    connect(Add, &QPushButton::clicked, this, guarded([this] { btnClick(Add); }));
    connect(Edit, &QPushButton::clicked, this, guarded([this] { btnClick(Edit); }));
    connect(BitBtn3, &QPushButton::clicked, this, guarded([this] { DeleteSetup(); }));
    return panel;
}

QWidget *TSetupForm::createReportPage()
{
    auto *page = new QWidget(PageControl1);
    gbReportDate = new QGroupBox(QStringLiteral("Date Filter Auto Value Choices"), page);
    auto *radios = new QVBoxLayout(gbReportDate);
    for (int item = 0; item < int(std::size(kReportDateCaptions)); ++item) {
        auto *radio = new QRadioButton(QString::fromLatin1(kReportDateCaptions[item]), gbReportDate);
        rgReportDate->addButton(radio, item);
        radios->addWidget(radio, 0, Qt::AlignLeft);
    }
    cbStartOnToday = new QCheckBox(QStringLiteral("Start on Today"), gbReportDate);
    radios->addSpacing(8);
    radios->addWidget(cbStartOnToday, 0, Qt::AlignLeft);
    setHint(gbReportDate, QStringLiteral("Select the Auto Value you want to be populated in the date firlds when "
                                         "you run a report"));
    setHint(cbStartOnToday, QStringLiteral("This sets the date fields to start on today's date or simply this "
                                           "week when This Week is selected"));
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(gbReportDate);
    layout->addStretch();
    return page;
}

QWidget *TSetupForm::createNiftyPage()
{
    auto *page = new QWidget(PageControl1);
    cbEnableNiftyForms = new QCheckBox(QStringLiteral("Enable Nifty Forms"), page);
    edNiftyFormsFile = new QLineEdit(page);
    SpeedButton1 = new QToolButton(page);
    SpeedButton1->setText(QStringLiteral("..."));
    btnApply = new QPushButton(QStringLiteral("&Apply"), page);
    btnApply->setAutoDefault(false);
    auto *layout = new QGridLayout(page);
    layout->addWidget(cbEnableNiftyForms, 0, 0, 1, 2, Qt::AlignLeft);
    layout->addWidget(new QLabel(QStringLiteral("Nifty Forms file"), page), 1, 0, 1, 2);
    layout->addWidget(edNiftyFormsFile, 2, 0);
    layout->addWidget(SpeedButton1, 2, 1);
    layout->addWidget(new QLabel(QStringLiteral("Nifty Form Graphic"), page), 3, 0, 1, 2);
    layout->addWidget(createPicturePreview(page), 4, 0, 1, 2);
    layout->addWidget(btnApply, 5, 0, 1, 2, Qt::AlignLeft);
    layout->setRowStretch(4, 1);
    connect(cbEnableNiftyForms, &QCheckBox::clicked, this, guarded([this] { cbEnableNiftyFormsClick(); }));
    connect(edNiftyFormsFile, &QLineEdit::textChanged, this, guarded([this] { edNiftyFormsFileChange(); }));
    connect(SpeedButton1, &QToolButton::clicked, this, guarded([this] { SpeedButton1Click(); }));
    connect(btnApply, &QPushButton::clicked, this, guarded([this] { btnApplyClick(); }));
    return page;
}

QWidget *TSetupForm::createPicturePreview(QWidget *page)
{
    auto *panel = new QFrame(page);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette silver = panel->palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    panel->setPalette(silver);
    imgNiftyFormBmp = new QLabel(panel);
    imgNiftyFormBmp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(imgNiftyFormBmp);
    return panel;
}
