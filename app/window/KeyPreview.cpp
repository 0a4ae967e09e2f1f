#include "window/KeyPreview.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

KeyPreview::KeyPreview(QWidget* window, QList<QAction*> shortcutItems, AccessKeys accessKeys,
                       CharacterPreview preview)
    : QObject(window), mWindow(window), mItems(std::move(shortcutItems)), mAccessKeys(std::move(accessKeys)),
      mPreview(std::move(preview))
{
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    qApp->removeEventFilter(this);
}

void KeyPreview::setToolWindowItems(QList<QAction*> items, QList<QAction*> typingItems)
{
    mToolItems = std::move(items);
    mTypingItems = std::move(typingItems);
}

void KeyPreview::addToolWindow(QWidget* tool)
{
    mTools.removeAll(nullptr);
    if (!mTools.contains(tool))
        mTools.append(tool);
}

QAction* KeyPreview::itemFor(const QList<QAction*>& items, const QKeyEvent* event)
{
    const QKeySequence pressed(QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key())));
    for (QAction* item : items) {
        if (item->shortcuts().contains(pressed))
            return item;
    }
    return nullptr;
}

std::function<void()> KeyPreview::commandFor(const QWidget* focus, const QKeyEvent* event) const
{
    if (QAction* item = itemFor(mItems, event))
        return [item] { item->trigger(); };
    // In the menu bar, letters open its menus.
    if (qobject_cast<const QMenuBar*>(focus))
        return {};
    if (QWidget* control = mAccessKeys.controlFor(*event))
        return [control] { AccessKeys::activate(control); };
    return {};
}

std::function<void()> KeyPreview::toolCommandFor(QWidget* tool, const QKeyEvent* event) const
{
    QAction* item = itemFor(mToolItems, event);
    if (!item || itemFor(tool->findChildren<QAction*>(), event))
        return {};
    const bool typing = mTypingItems.contains(item);
    return [this, tool, item, typing] {
        if (auto* dialog = qobject_cast<QDialog*>(tool))
            dialog->reject();
        item->trigger();
        if (typing) {
            mWindow->raise();
            mWindow->activateWindow();
        }
    };
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    QWidget* top = widget->window();
    const bool tool = top != mWindow && mTools.contains(top);
    if (top != mWindow && !tool)
        return false;

    auto* key = static_cast<QKeyEvent*>(event);
    if (const std::function<void()> command = tool ? toolCommandFor(top, key) : commandFor(widget, key)) {
        if (type == QEvent::ShortcutOverride) {
            // Claiming the key here makes it arrive as a key press, which runs the command
            // below whether or not the focused control, a menu title or another control's
            // own access key would have used it.
            key->accept();
            return true;
        }
        command();
        return true;
    }
    if (tool || type != QEvent::KeyPress || key->text().size() != 1)
        return false;

    int keyAscii = key->text().at(0).unicode();
    mPreview(keyAscii);
    if (keyAscii == 0)
        return true;
    return false;
}
