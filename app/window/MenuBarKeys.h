#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

/// The keyboard way through a window's menu bar, as desktop users expect it:
/// - F10, like a tap of Alt, puts the focus on the menu bar, and a second time takes it
///   back to the control that had it;
/// - on the menu bar, a letter opens the first menu whose title has it as access key, so
///   that F opens File although Format has the same letter;
/// - in an open menu, a letter that none of its items has moves on to the next menu whose
///   title has it: F in File opens Format, and F there File again.
/// Menus open with their first item highlighted.
class MenuBarKeys : public QObject {
    Q_OBJECT

public:
    /// Watches `bar`, its menus, and F10 in the bar's window.
    explicit MenuBarKeys(QMenuBar* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enterMenuBar();
    /// The first menu title after `after` (from the start without one) with the access key
    /// `key`, or nullptr.
    QAction* titleFor(int key, const QAction* after = nullptr) const;
    void openMenu(QAction* title);

    QMenuBar* mBar;
};
