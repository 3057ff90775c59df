#pragma once

#include "ui/AbsRegular.h"

// Holds the place of a window that is not part of the program yet (setup, import/export,
// report wizard): it shows the window's caption and a Close button, and closing it in any
// way returns normally.
class StandInForm : public TAbsRegularForm {
    Q_OBJECT
public:
    StandInForm(const QString &caption, QWidget *owner);

    void run();
};
