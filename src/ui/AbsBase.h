#pragma once

#include <QWidget>

class TNiftyForm;
class TNiftyManager;

// The hidden base window that holds the one tiled-background manager of the program. It is
// created first at start-up and never shown.
class TAbsBaseForm : public QWidget {
    Q_OBJECT
public:
    explicit TAbsBaseForm(QWidget *owner = nullptr);
    ~TAbsBaseForm() override;

    TNiftyManager *const NiftyManager1;
    TNiftyForm *const NiftyForm1;
};

extern TAbsBaseForm *AbsBaseForm;
