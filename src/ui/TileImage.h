#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QWidget>

// A picture repeated over the whole client area of its container, from the top-left corner.
// It stays behind every other control of the container and lets the mouse through.
class TTileImage : public QWidget {
    Q_OBJECT
public:
    explicit TTileImage(QWidget *container = nullptr);

    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);

    // Where the tiles of a tile-sized picture go on an area: floor(H / h) + 1 rows of
    // floor(W / w) + 1 columns, the last row and column clipped by the edge.
    static QList<QPoint> tileOrigins(const QSize &area, const QSize &tile);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillContainer();

    QImage m_picture;
};
