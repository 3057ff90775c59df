#include "ui/NiftyMan.h"

#include "ui/Misc.h"
#include "ui/NiftyForm.h"

#include <QApplication>
#include <QPalette>

TNiftyManager::TNiftyManager(QObject *owner) : QObject(owner), m_neutralColor(buttonFaceColor()) {}

TNiftyManager::~TNiftyManager()
{
    while (!m_links.isEmpty())
        DetachForm(m_links.last());
}

QColor TNiftyManager::buttonFaceColor()
{
    return QApplication::palette().color(QPalette::Button);
}

void TNiftyManager::setPicture(const QImage &picture)
{
    m_picture = picture;
    PictureChanged();
}

void TNiftyManager::loadPicture(const QString &fileName)
{
    setPicture(ReadPictureFile(fileName));
}

void TNiftyManager::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    ActiveChanged();
}

void TNiftyManager::setNeutralColor(const QColor &color)
{
    if (m_neutralColor == color)
        return;
    m_neutralColor = color;
    UpdateColors();
}

void TNiftyManager::AttachForm(TNiftyForm *link)
{
    m_links.append(link);
    link->assignManager(this);
    if (m_active)
        link->UpdateForm();
}

void TNiftyManager::DetachForm(TNiftyForm *link)
{
    link->assignManager(nullptr);
    m_links.removeOne(link);
    if (m_active)
        link->UpdateForm();
}

void TNiftyManager::UpdateColors()
{
    for (TNiftyForm *link : std::as_const(m_links))
        link->UpdateColors();
}

// A cleared picture keeps the previous neutral colour.
void TNiftyManager::PictureChanged()
{
    if (!m_picture.isNull())
        setNeutralColor(AverageColor(m_picture));
    for (TNiftyForm *link : std::as_const(m_links))
        link->UpdateTiles();
}

void TNiftyManager::ActiveChanged()
{
    for (TNiftyForm *link : std::as_const(m_links))
        link->UpdateForm();
}
