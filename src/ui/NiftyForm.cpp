#include "ui/NiftyForm.h"

#include "ui/NiftyMan.h"

#include <QApplication>
#include <QBrush>
#include <QPalette>
#include <QWidget>

TNiftyForm::TNiftyForm(QWidget *owner, TNiftyManager *manager) : QObject(owner)
{
    setNiftyManager(manager);
}

TNiftyForm::~TNiftyForm()
{
    m_ownerClosing = true;
    if (m_manager)
        m_manager->DetachForm(this);
}

void TNiftyForm::setNiftyManager(TNiftyManager *manager)
{
    if (manager == m_manager)
        return;
    if (m_manager)
        m_manager->DetachForm(this);
    if (manager)
        manager->AttachForm(this);
}

void TNiftyForm::UpdateForm()
{
    UpdateTiles();
}

void TNiftyForm::UpdateTiles()
{
    QWidget *owner = window();
    if (!owner || m_ownerClosing)
        return;
    if (m_manager && m_manager->isActive() && !m_manager->picture().isNull())
        showPicture(*owner);
    else if (m_tiled)
        showPlain(*owner);
}

QWidget *TNiftyForm::window() const
{
    return qobject_cast<QWidget *>(parent());
}

// The window role of the palette paints the window and every panel on it that fills its own
// background, so the picture shows through wherever no control covers it.
void TNiftyForm::showPicture(QWidget &window)
{
    QPalette palette = window.palette();
    palette.setBrush(QPalette::Window, QBrush(m_manager->picture()));
    window.setPalette(palette);
    m_tiled = true;
}

void TNiftyForm::showPlain(QWidget &window)
{
    QPalette palette = window.palette();
    palette.setBrush(QPalette::Window, QApplication::palette(&window).window());
    window.setPalette(palette);
    m_tiled = false;
}
