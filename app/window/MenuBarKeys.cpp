#include "window/MenuBarKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include <algorithm>

namespace {

bool hasAccessKey(const QAction* action, int key)
{
    return action->isVisible() && action->isEnabled()
        && QKeySequence::mnemonic(action->text()) == QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key)));
}

/// The key of a typed letter, alone or with Alt, as menus take it; 0 for any other key.
int letterKey(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->text().size() != 1 || !event->text().at(0).isLetterOrNumber()
        || (modifiers != Qt::NoModifier && modifiers != Qt::AltModifier))
        return 0;
    return event->key();
}

} // namespace

MenuBarKeys::MenuBarKeys(QMenuBar* bar) : QObject(bar), mBar(bar)
{
    bar->installEventFilter(this);
    for (const QAction* title : bar->actions()) {
        if (QMenu* menu = title->menu())
            menu->installEventFilter(this);
    }
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar->window());
    connect(f10, &QShortcut::activated, this, &MenuBarKeys::enterMenuBar);
}

void MenuBarKeys::enterMenuBar()
{
    // QMenuBar enters and leaves its keyboard mode on a tap of Alt and has no call for it,
    // so F10 gives it that tap. A key event for Alt itself reports Alt flipped in its
    // modifiers (the press says Alt is down), so the press is made without Alt.
    QWidget* window = mBar->window();
    QKeyEvent press(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(window, &release);
}

QAction* MenuBarKeys::titleFor(int key, const QAction* after) const
{
    const QList<QAction*> titles = mBar->actions();
    const qsizetype start = after ? titles.indexOf(after) + 1 : 0;
    for (qsizetype step = 0; step < titles.size(); ++step) {
        QAction* title = titles.at((start + step) % titles.size());
        if (title != after && hasAccessKey(title, key))
            return title;
    }
    return nullptr;
}

void MenuBarKeys::openMenu(QAction* title)
{
    mBar->setActiveAction(title);
    QMenu* menu = title->menu();
    if (!menu)
        return;
    for (QAction* item : menu->actions()) {
        if (!item->isSeparator() && item->isVisible() && item->isEnabled()) {
            menu->setActiveAction(item);
            return;
        }
    }
}

bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = letterKey(static_cast<QKeyEvent*>(event));
    if (key == 0)
        return false;

    QAction* title = nullptr;
    if (watched == mBar) {
        title = titleFor(key);
    } else if (auto* menu = qobject_cast<QMenu*>(watched)) {
        const QList<QAction*> items = menu->actions();
        if (std::any_of(items.begin(), items.end(), [key](const QAction* item) { return hasAccessKey(item, key); }))
            return false;
        title = titleFor(key, menu->menuAction());
    }
    if (!title)
        return false;
    openMenu(title);
    return true;
}
