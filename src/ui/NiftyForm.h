#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QColor;
class QWidget;
class TNiftyManager;
class TTileImage;

// Connects one window to a tiled-background manager. While the manager is active, the window
// and its panels, tab pages, scroll boxes, group boxes and notebook pages are tiled with the
// manager's picture, labels are made transparent, and grids, check boxes, group boxes, tool
// bars, radio buttons and calendars take the manager's neutral colour.
class TNiftyForm : public QObject {
    Q_OBJECT
public:
    // The window owns the link. Until the window has been built (it is polished before it
    // first shows, or once the event loop runs), the manager is only remembered, so that the
    // tiles find every container; Loaded() ends that wait early.
    explicit TNiftyForm(QWidget *owner, TNiftyManager *manager = nullptr);
    ~TNiftyForm() override;

    TNiftyManager *niftyManager() const { return m_manager; }
    // Detaches from the current manager and attaches to the given one (none is allowed).
    void setNiftyManager(TNiftyManager *manager);
    void Loaded();
    bool isLoading() const { return m_loading; }

    const QList<TTileImage *> &tiles() const { return m_tiles; }

    virtual TTileImage *CreateTile(QWidget *container);
    virtual void UpdateColors();
    virtual void UpdateTiles();
    virtual void UpdateForm();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TNiftyManager;
    // Only the manager records itself here, while attaching or detaching the link.
    void assignManager(TNiftyManager *manager) { m_manager = manager; }
    QWidget *window() const;
    bool isActive() const;
    void removeTiles();
    void createTiles(QWidget &window);
    static void paintControl(QWidget &control, const QColor &color);

    QPointer<TNiftyManager> m_manager;
    QPointer<TNiftyManager> m_pendingManager;
    QList<TTileImage *> m_tiles;  // owned; each leaves the list when it is destroyed
    bool m_loading = false;
    bool m_ownerClosing = false;  // the window is being destroyed with its link: leave it alone
};
