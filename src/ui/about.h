#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QStackedWidget;

// The about box: a page book whose "About" page shows the program's name and version over a
// picture, stepped through with Prev and Next and closed with Finish.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *owner = nullptr);

    // Shows the box modally on the page Notebook1 is set to; any way of closing it but Finish
    // ends with the silent abort.
    void ShowAbout();

    QStackedWidget *const Notebook1;
    QLabel *const ProgramIcon;
    QLabel *const ProgramName;
    QLabel *const Version;
    QPushButton *const btnPrev;
    QPushButton *const btnNext;
    QPushButton *const btnFinish;

    // The built-in picture of the "About" page, 266 x 200 pixels.
    static QImage aboutPicture();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void btnNextClick();
    void btnPrevClick();
    QWidget *createAboutPage();
    QWidget *createBookPanel();
    QWidget *createButtonPanel();
};

extern TAboutForm *AboutForm;
