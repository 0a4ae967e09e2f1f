#pragma once

#include <QList>

class QKeyEvent;
class QWidget;

/// The access keys of a window's own controls: Alt and the letter after "&" in the caption
/// of a label, a button or a check box. A label's key moves the focus to its buddy and
/// never presses it; a button's or a check box's key gives it the focus and presses it at
/// once. A control that is hidden or disabled has no access key.
class AccessKeys {
public:
    explicit AccessKeys(QList<QWidget*> controls = {});

    /// The control whose access key `event` is, or nullptr.
    QWidget* controlFor(const QKeyEvent& event) const;
    /// Does what the access key of `control` does.
    static void activate(QWidget* control);

private:
    QList<QWidget*> mControls;
};
