#pragma once

#include "app/AccessKeys.h"

#include <QList>
#include <QObject>

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
class KeyPreview : public QObject {
    Q_OBJECT

public:
    using CharacterPreview = std::function<void(int& KeyAscii)>;

    /// Watches the keys of `window` and its children; installs itself on the application.
    KeyPreview(QWidget* window, QList<QAction*> shortcutItems, AccessKeys accessKeys, CharacterPreview preview);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* itemFor(const QKeyEvent* event) const;
    /// What the key does ahead of the focused control, or nothing.
    std::function<void()> commandFor(const QWidget* focus, const QKeyEvent* event) const;

    QWidget* mWindow;
    QList<QAction*> mItems;
    AccessKeys mAccessKeys;
    CharacterPreview mPreview;
};
