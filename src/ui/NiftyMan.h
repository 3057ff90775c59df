#pragma once

#include <QImage>
#include <QList>
#include <QObject>

class TNiftyForm;

// The one switch and picture of the tiled window backgrounds. Every window link attached to
// it follows a change of either at once.
class TNiftyManager : public QObject {
    Q_OBJECT
public:
    explicit TNiftyManager(QObject *owner = nullptr);
    ~TNiftyManager() override;

    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    bool isActive() const { return m_active; }
    void setActive(bool active);

    virtual void AttachForm(TNiftyForm *link);
    virtual void DetachForm(TNiftyForm *link);
    const QList<TNiftyForm *> &attachedForms() const { return m_links; }

protected:
    virtual void PictureChanged();
    virtual void ActiveChanged();

private:
    QList<TNiftyForm *> m_links;  // not owned, in order of attachment
    QImage m_picture;
    bool m_active = false;
};
