#include "window/WindowFit.h"

#include "window/ScreenFit.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace {

class ScreenKeeper : public QObject {
public:
    explicit ScreenKeeper(QWidget* window) : QObject(window), mWindow(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != mWindow)
            return false;
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            fitWindowToScreen(mWindow);
            mFramePending = mWindow->frameGeometry() == mWindow->geometry();
        } else if (mFramePending && (event->type() == QEvent::Move || event->type() == QEvent::Resize)
                   && mWindow->frameGeometry() != mWindow->geometry()) {
            mFramePending = false;
            fitWindowToScreen(mWindow);
        }
        return false;
    }

private:
    QWidget* mWindow;
    bool mFramePending = false;
};

} // namespace

void fitWindowToScreen(QWidget* window)
{
    if (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QRect frame = window->frameGeometry();
    const QRect fitted = fitInside(frame, window->screen()->availableGeometry());
    if (fitted == frame)
        return;
    window->resize(window->size() - (frame.size() - fitted.size()));
    window->move(fitted.topLeft());
}

void keepOnScreen(QWidget* window)
{
    new ScreenKeeper(window);
}
