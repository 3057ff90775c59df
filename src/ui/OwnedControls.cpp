#include "ui/OwnedControls.h"

#include "ui/Misc.h"
#include "ui/TileImage.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTableView>
#include <QToolBar>

namespace OwnedControls {
namespace {

// The controls of higher layers that take the colour carry this property.
constexpr char kColouredProperty[] = "platewrightColoured";

bool isCompound(const QWidget &control)
{
    if (qobject_cast<const QScrollArea *>(&control))
        return false;
    return IsAnyClass({&QAbstractScrollArea::staticMetaObject, &QComboBox::staticMetaObject,
                       &QAbstractSpinBox::staticMetaObject, &QCalendarWidget::staticMetaObject},
                      &control);
}

void collect(QWidget &parent, QList<QWidget *> &controls)
{
    for (QObject *child : parent.children()) {
        auto *control = qobject_cast<QWidget *>(child);
        if (!control || control->isWindow() || qobject_cast<TTileImage *>(control))
            continue;
        controls.append(control);
        if (!isCompound(*control))
            collect(*control, controls);
    }
}

bool isScrollBoxContents(const QWidget &control)
{
    const QWidget *viewport = control.parentWidget();
    auto *box = viewport ? qobject_cast<const QScrollArea *>(viewport->parentWidget()) : nullptr;
    return box && box->widget() == &control;
}

} // namespace

QList<QWidget *> of(QWidget &window)
{
    QList<QWidget *> controls;
    collect(window, controls);
    return controls;
}

bool isTileContainer(const QWidget &control)
{
    const bool panel = control.metaObject() == &QFrame::staticMetaObject;
    const bool page = qobject_cast<const QStackedWidget *>(control.parentWidget()) != nullptr;
    return panel || page || isScrollBoxContents(control) || qobject_cast<const QGroupBox *>(&control);
}

bool isGrid(const QWidget &control)
{
    return qobject_cast<const QTableView *>(&control) != nullptr;
}

bool isColoured(const QWidget &control)
{
    return isGrid(control) || control.property(kColouredProperty).toBool()
        || IsAnyClass({&QCheckBox::staticMetaObject, &QGroupBox::staticMetaObject, &QToolBar::staticMetaObject,
                       &QRadioButton::staticMetaObject, &QCalendarWidget::staticMetaObject},
                      &control);
}

void markColoured(QWidget &control)
{
    control.setProperty(kColouredProperty, true);
}

} // namespace OwnedControls
