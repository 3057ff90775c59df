#pragma once

#include <QDialog>

class TNiftyForm;

// The base of the program's regular windows: the dialog font, centred on the screen when first
// shown, and the tiled background of the one shared manager held by AbsBaseForm. A dialog, so
// that derived windows can be shown modally.
class TAbsRegularForm : public QDialog {
    Q_OBJECT
public:
    // Throws std::logic_error when AbsBaseForm does not exist yet: the window would have no
    // background manager to follow.
    explicit TAbsRegularForm(QWidget *owner = nullptr);

    TNiftyForm *const NiftyForm1;
};

extern TAbsRegularForm *AbsRegularForm;
