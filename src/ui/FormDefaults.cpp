#include "ui/FormDefaults.h"

#include <QEvent>
#include <QFont>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace FormDefaults {
namespace {

// Watches one window for its first show event, centres it, and then removes itself.
class FirstShowCentring final : public QObject {
public:
    explicit FirstShowCentring(QWidget &window) : QObject(&window), m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::Show) {
            m_window.removeEventFilter(this);
            centreOnScreen(m_window);
            deleteLater();
        }
        return false;
    }

private:
    QWidget &m_window;
};

} // namespace

QFont formFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Sans Serif")});
    font.setPointSize(8);
    return font;
}

void fitToScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QSize decoration = window.frameGeometry().size() - window.size();
    const QSize room = screen->availableGeometry().size() - decoration;
    if (window.width() > room.width() || window.height() > room.height())
        window.resize(window.size().boundedTo(room));
}

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    fitToScreen(window);
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void centreWhenFirstShown(QWidget &window)
{
    window.installEventFilter(new FirstShowCentring(window));
}

} // namespace FormDefaults
