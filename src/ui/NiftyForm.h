#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class TNiftyManager;

// Connects one window to a tiled-background manager: while the manager is active the window's
// background is its picture, repeated from the top-left corner; otherwise it is plain.
class TNiftyForm : public QObject {
    Q_OBJECT
public:
    // The window owns the link; a link without a manager leaves the window plain.
    explicit TNiftyForm(QWidget *owner, TNiftyManager *manager = nullptr);
    ~TNiftyForm() override;

    TNiftyManager *niftyManager() const { return m_manager; }
    // Detaches from the current manager and attaches to the given one (none is allowed).
    void setNiftyManager(TNiftyManager *manager);

    virtual void UpdateForm();
    virtual void UpdateTiles();

private:
    friend class TNiftyManager;
    // Only the manager records itself here, while attaching or detaching the link.
    void assignManager(TNiftyManager *manager) { m_manager = manager; }
    QWidget *window() const;
    void showPicture(QWidget &window);
    void showPlain(QWidget &window);

    QPointer<TNiftyManager> m_manager;
    bool m_tiled = false;
    bool m_ownerClosing = false;  // the window is being destroyed with its link: leave it alone
};
