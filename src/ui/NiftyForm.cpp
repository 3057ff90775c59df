#include "ui/NiftyForm.h"

#include "ui/NiftyMan.h"
#include "ui/OwnedControls.h"
#include "ui/TileImage.h"

#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <QWidget>

TNiftyForm::TNiftyForm(QWidget *owner, TNiftyManager *manager) : QObject(owner)
{
    if (owner && !owner->testAttribute(Qt::WA_WState_Polished)) {
        m_loading = true;
        owner->installEventFilter(this);
    }
    setNiftyManager(manager);
}

TNiftyForm::~TNiftyForm()
{
    m_ownerClosing = true;
    setNiftyManager(nullptr);
    removeTiles();
}

void TNiftyForm::setNiftyManager(TNiftyManager *manager)
{
    if (m_loading) {
        m_pendingManager = manager;
        return;
    }
    if (manager == m_manager)
        return;
    if (m_manager)
        m_manager->DetachForm(this);
    if (manager)
        manager->AttachForm(this);
}

void TNiftyForm::Loaded()
{
    if (!m_loading)
        return;
    m_loading = false;
    if (QWidget *owner = window())
        owner->removeEventFilter(this);
    setNiftyManager(std::exchange(m_pendingManager, nullptr));
}

bool TNiftyForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window() && (event->type() == QEvent::Polish || event->type() == QEvent::Show))
        Loaded();
    return QObject::eventFilter(watched, event);
}

void TNiftyForm::UpdateForm()
{
    UpdateColors();
    UpdateTiles();
}

void TNiftyForm::UpdateColors()
{
    QWidget *owner = window();
    if (!owner || m_ownerClosing)
        return;
    const QColor color = isActive() ? m_manager->neutralColor() : TNiftyManager::buttonFaceColor();
    for (QWidget *control : OwnedControls::of(*owner)) {
        if (OwnedControls::isColoured(*control))
            paintControl(*control, color);
    }
}

void TNiftyForm::UpdateTiles()
{
    QWidget *owner = window();
    if (!owner)
        return;
    if (!isActive() || m_ownerClosing)
        removeTiles();
    else if (!m_tiles.isEmpty())
        for (TTileImage *tile : std::as_const(m_tiles))
            tile->setPicture(m_manager->picture());
    else
        createTiles(*owner);
}

TTileImage *TNiftyForm::CreateTile(QWidget *container)
{
    auto *tile = new TTileImage(container);
    tile->setPicture(m_manager ? m_manager->picture() : QImage());
    // By the time "destroyed" arrives the tile is a bare QObject: compare the pointer kept here
    // instead of casting the one handed over.
    connect(tile, &QObject::destroyed, this, [this, tile] { m_tiles.removeOne(tile); });
    return tile;
}

void TNiftyForm::createTiles(QWidget &window)
{
    m_tiles.append(CreateTile(&window));
    for (QWidget *control : OwnedControls::of(window)) {
        if (OwnedControls::isTileContainer(*control))
            m_tiles.append(CreateTile(control));
        if (auto *label = qobject_cast<QLabel *>(control))
            label->setAutoFillBackground(false);
    }
}

void TNiftyForm::removeTiles()
{
    const QList<TTileImage *> tiles = m_tiles;
    qDeleteAll(tiles);
    m_tiles.clear();
}

QWidget *TNiftyForm::window() const
{
    return qobject_cast<QWidget *>(parent());
}

bool TNiftyForm::isActive() const
{
    return m_manager && m_manager->isActive();
}

// A control's colour is its background, and for a grid also the cells' background.
void TNiftyForm::paintControl(QWidget &control, const QColor &color)
{
    QPalette palette = control.palette();
    palette.setColor(QPalette::Window, color);
    if (OwnedControls::isGrid(control))
        palette.setColor(QPalette::Base, color);
    control.setPalette(palette);
    control.setAutoFillBackground(true);
}
