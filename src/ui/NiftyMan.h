#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QObject>

class TNiftyForm;

// The one switch and picture of the tiled window backgrounds. Every window link attached to
// it follows a change of either at once; the coloured control kinds take the neutral colour,
// which a new picture recomputes.
class TNiftyManager : public QObject {
    Q_OBJECT
public:
    explicit TNiftyManager(QObject *owner = nullptr);
    ~TNiftyManager() override;

    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    // Raises std::runtime_error when the file exists but is no readable picture; the picture
    // stays as it was.
    void loadPicture(const QString &fileName);
    bool isActive() const { return m_active; }
    void setActive(bool active);
    QColor neutralColor() const { return m_neutralColor; }
    void setNeutralColor(const QColor &color);

    virtual void AttachForm(TNiftyForm *link);
    virtual void DetachForm(TNiftyForm *link);
    virtual void UpdateColors();
    const QList<TNiftyForm *> &attachedForms() const { return m_links; }

    // The colour of the coloured control kinds while no background is shown.
    static QColor buttonFaceColor();

protected:
    virtual void PictureChanged();
    virtual void ActiveChanged();

private:
    QList<TNiftyForm *> m_links;  // not owned, in order of attachment
    QImage m_picture;
    QColor m_neutralColor;
    bool m_active = false;
};
