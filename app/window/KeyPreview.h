#pragma once

#include "window/AccessKeys.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QKeyEvent;
class QWidget;

/// Sees every key of a window before its focused control does:
/// - the shortcut key of a menu item runs that item and goes no further, also where the
///   focused control has its own use for the key (copy, paste, select all, ...);
/// - the access key of one of the window's own controls acts on that control, ahead of the
///   menu titles that share its letter; in the menu bar, letters are the bar's;
/// - every other typed character goes to the window's character preview, which may
///   cancel it by setting its code to 0.
/// In the window's tool windows, the keys of the items given for them run those items as
/// well, unless the tool window has a use of its own for the key.
class KeyPreview : public QObject {
    Q_OBJECT

public:
    using CharacterPreview = std::function<void(int& KeyAscii)>;

    /// Watches the keys of `window` and its children; installs itself on the application.
    KeyPreview(QWidget* window, QList<QAction*> shortcutItems, AccessKeys accessKeys, CharacterPreview preview);
    ~KeyPreview() override;

    /// The items whose keys work from the tool windows too; those of typingItems then bring
    /// the window forward, since they put the focus where the user types next.
    void setToolWindowItems(QList<QAction*> items, QList<QAction*> typingItems);
    /// Keys in tool, a window of its own, run the tool window items. A dialog gives way to the
    /// item: it is rejected first, so that the window it blocks can take the command.
    void addToolWindow(QWidget* tool);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QAction* itemFor(const QList<QAction*>& items, const QKeyEvent* event);
    /// What the key does ahead of the focused control, or nothing.
    std::function<void()> commandFor(const QWidget* focus, const QKeyEvent* event) const;
    /// What the key does in tool, or nothing when the tool window keeps it.
    std::function<void()> toolCommandFor(QWidget* tool, const QKeyEvent* event) const;

    QWidget* mWindow;
    QList<QAction*> mItems;
    QList<QAction*> mToolItems;
    QList<QAction*> mTypingItems;
    QList<QPointer<QWidget>> mTools;
    AccessKeys mAccessKeys;
    CharacterPreview mPreview;
};
