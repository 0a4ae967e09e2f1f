#include "window/AccessKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>

namespace {

QString captionOf(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    return {};
}

} // namespace

AccessKeys::AccessKeys(QList<QWidget*> controls) : mControls(std::move(controls)) {}

QWidget* AccessKeys::controlFor(const QKeyEvent& event) const
{
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier)
        return nullptr;
    const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(event.key())));
    for (QWidget* control : mControls) {
        if (control->isVisibleTo(control->window()) && control->isEnabled()
            && QKeySequence::mnemonic(captionOf(control)) == pressed)
            return control;
    }
    return nullptr;
}

void AccessKeys::activate(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control)) {
        if (QWidget* buddy = label->buddy())
            buddy->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    control->setFocus(Qt::ShortcutFocusReason);
    // A plain click, not the animated one of Qt's own access keys, so that the command has
    // run when the key has been handled.
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->click();
}
