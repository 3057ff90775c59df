#include "ui/NiftyMan.h"

#include "ui/NiftyForm.h"

TNiftyManager::TNiftyManager(QObject *owner) : QObject(owner) {}

TNiftyManager::~TNiftyManager()
{
    while (!m_links.isEmpty())
        DetachForm(m_links.last());
}

void TNiftyManager::setPicture(const QImage &picture)
{
    m_picture = picture;
    PictureChanged();
}

void TNiftyManager::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    ActiveChanged();
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

void TNiftyManager::PictureChanged()
{
    for (TNiftyForm *link : std::as_const(m_links))
        link->UpdateTiles();
}

void TNiftyManager::ActiveChanged()
{
    for (TNiftyForm *link : std::as_const(m_links))
        link->UpdateForm();
}
