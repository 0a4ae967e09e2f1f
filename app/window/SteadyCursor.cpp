#include "window/SteadyCursor.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QStyleHints>

SteadyCursor::SteadyCursor(QLineEdit& box, qsizetype maxLength) : QObject(&box), mBox(box), mMaxLength(maxLength)
{
    setObjectName(QStringLiteral("steadyCursor"));
    connect(&box, &QLineEdit::textChanged, this, [this] { update(mBox.hasFocus()); });
    // The focus goes to the end of the box's chain of focus proxies (for the edit field of a
    // combo box, the combo box, which hands the focus events on to the field directly).
    QWidget* focused = &box;
    while (focused->focusProxy())
        focused = focused->focusProxy();
    focused->installEventFilter(this);
    update(box.hasFocus());
}

SteadyCursor::~SteadyCursor()
{
    if (mFlashTime)
        QGuiApplication::styleHints()->setCursorFlashTime(*mFlashTime);
}

bool SteadyCursor::eventFilter(QObject* watched, QEvent* event)
{
    // Before the box itself sees the change, so that on gaining the focus it starts its
    // cursor with the rate set here.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        update(event->type() == QEvent::FocusIn);
    return QObject::eventFilter(watched, event);
}

void SteadyCursor::update(bool focused)
{
    QStyleHints* hints = QGuiApplication::styleHints();
    const bool steady = focused && mBox.text().size() > mMaxLength;
    if (steady && !mFlashTime) {
        mFlashTime = hints->cursorFlashTime();
        hints->setCursorFlashTime(0);
    } else if (!steady && mFlashTime) {
        hints->setCursorFlashTime(*mFlashTime);
        mFlashTime.reset();
    }
}
