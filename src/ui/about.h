#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: the program's name and version, closed with Finish.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *owner = nullptr);

    // Shows the box modally; any way of closing it but Finish ends with the silent abort.
    void ShowAbout();

    QLabel *const ProgramName;
    QLabel *const Version;
    QPushButton *const btnFinish;
};

extern TAboutForm *AboutForm;
