#include "ui/TileImage.h"

#include <QEvent>
#include <QPainter>

TTileImage::TTileImage(QWidget *container) : QWidget(container)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    if (container) {
        container->installEventFilter(this);
        fillContainer();
        lower();
        show();
    }
}

void TTileImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

QList<QPoint> TTileImage::tileOrigins(const QSize &area, const QSize &tile)
{
    QList<QPoint> origins;
    if (tile.width() <= 0 || tile.height() <= 0)
        return origins;
    for (int row = 0; row <= area.height() / tile.height(); ++row) {
        for (int column = 0; column <= area.width() / tile.width(); ++column)
            origins.append(QPoint(column * tile.width(), row * tile.height()));
    }
    return origins;
}

void TTileImage::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    for (const QPoint &origin : tileOrigins(size(), m_picture.size()))
        painter.drawImage(origin, m_picture);
}

// The container's client area: inside a panel's bevel or below a group box's title.
void TTileImage::fillContainer()
{
    setGeometry(parentWidget()->contentsRect());
}

bool TTileImage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget()) {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::ContentsRectChange:
        case QEvent::LayoutRequest:
            fillContainer();
            break;
        case QEvent::ChildAdded:
            lower();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
