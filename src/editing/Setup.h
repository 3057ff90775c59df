#pragma once

#include "ui/AbsRegular.h"

#include <QHash>
#include <functional>

class BoundGrid;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class TDataSource;

// The setup window: the general and report preferences, the editable lookup lists and the
// tiled background. List changes are stored as they are made; preferences only on Close.
class TSetupForm : public TAbsRegularForm {
    Q_OBJECT
public:
    explicit TSetupForm(QWidget *owner = nullptr);

    // Page choice 0 opens on the general options, any other on the editable values. Returns
    // after Close; ends with the silent abort when the window is closed any other way.
    void ShowSetup(int pageChoice);

    // Asks for a picture file, starting in the folder given; empty when the user gave none.
    std::function<QString(QWidget &owner, const QString &folder)> choosePicture;

    QTabWidget *const PageControl1;  // the four option pages
    QPushButton *const BitBtn4;  // "&Close"

    QCheckBox *cbViewCalendar = nullptr;
    QCheckBox *cbViewCoolButtons = nullptr;
    QCheckBox *cbViewHints = nullptr;
    QCheckBox *cbViewBtnCaptions = nullptr;
    QCheckBox *cbAutoSelectRecipe = nullptr;

    QButtonGroup *const rgItems;
    BoundGrid *const DBGrid;
    QPushButton *Add = nullptr;
    QPushButton *Edit = nullptr;
    QPushButton *BitBtn3 = nullptr;  // "&Delete" of the chosen list's value

    QGroupBox *gbReportDate = nullptr;
    QButtonGroup *const rgReportDate;
    QCheckBox *cbStartOnToday = nullptr;

    QCheckBox *cbEnableNiftyForms = nullptr;
    QLineEdit *edNiftyFormsFile = nullptr;
    QToolButton *SpeedButton1 = nullptr;  // "...": choose the picture file
    QLabel *imgNiftyFormBmp = nullptr;
    QPushButton *btnApply = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void LoadOptions(int pageChoice);
    void SaveOptions();
    void loadReportDate();
    void saveReportDate();
    void rgItemsClick();
    void btnClick(QPushButton *button);
    void DeleteSetup();
    void cbViewHintsClick();
    void cbEnableNiftyFormsClick();
    void edNiftyFormsFileChange();
    void SpeedButton1Click();
    void btnApplyClick();

    void shareCloseAccessKey();
    QWidget *createGeneralPage();
    QWidget *createEditableValuesPage();
    QWidget *createReportPage();
    QWidget *createNiftyPage();
    QWidget *createListButtons(QWidget *page);
    QWidget *createPicturePreview(QWidget *page);
    QCheckBox *addCheckBox(QWidget *page, const QString &caption, const QString &hint);
    void setHint(QWidget *control, const QString &hint);
    void showHints(bool on);
    TDataSource *listSource(const QString &listName) const;
    QString selectedListName() const;

    QHash<QWidget *, QString> m_hints;
};
