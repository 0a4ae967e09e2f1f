#include "app/KeyPreview.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyPreview::KeyPreview(QWidget* window, QList<QAction*> shortcutItems, CharacterPreview preview)
    : QObject(window), mWindow(window), mItems(std::move(shortcutItems)), mPreview(std::move(preview))
{
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    qApp->removeEventFilter(this);
}

QAction* KeyPreview::itemFor(const QKeyEvent* event) const
{
    const QKeySequence pressed(QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key())));
    for (QAction* item : mItems) {
        if (item->shortcuts().contains(pressed))
            return item;
    }
    return nullptr;
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != mWindow)
        return false;

    auto* key = static_cast<QKeyEvent*>(event);
    if (QAction* item = itemFor(key)) {
        if (type == QEvent::ShortcutOverride) {
            // Claiming the key here makes it arrive as a key press, which runs the item
            // below whether or not the focused control would have used it itself.
            key->accept();
            return true;
        }
        item->trigger();
        return true;
    }
    if (type != QEvent::KeyPress || key->text().size() != 1)
        return false;

    int keyAscii = key->text().at(0).unicode();
    mPreview(keyAscii);
    if (keyAscii == 0)
        return true;
    return false;
}
