#pragma once

#include <QString>

// Modal message boxes go through this interface so that tests can script the answers
// and read the texts instead of blocking on a real dialog.
enum class MessageButtons { Ok, OkCancel, YesNoCancel, YesNo };
enum class MessageIcon { None, Information, Question, Exclamation, Critical };
enum class MessageAnswer { Ok, Cancel, Yes, No };

/// The application title that every message box without a title of its own shows.
inline const QString kAppTitle = QStringLiteral("Sifta");

class IMessageBox {
public:
    virtual ~IMessageBox() = default;

    /// Shows a modal box and returns the button pressed; closing the box counts as
    /// Cancel where there is a Cancel button, as No for Yes/No, and as Ok otherwise.
    virtual MessageAnswer show(const QString& text, MessageButtons buttons = MessageButtons::Ok,
                               MessageIcon icon = MessageIcon::None,
                               const QString& title = kAppTitle) = 0;
};
