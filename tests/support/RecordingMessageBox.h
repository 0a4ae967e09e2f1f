#pragma once

#include "platform/MessageBox.h"

#include <QList>
#include <QString>

/// A message box for tests: records every box shown and answers from a script
/// (Ok, or the first button of the set, when the script has run out).
class RecordingMessageBox final : public IMessageBox {
public:
    struct Shown {
        QString text;
        MessageButtons buttons;
        MessageIcon icon;
        QString title;
    };

    QList<Shown> shown;
    QList<MessageAnswer> answers;

    MessageAnswer show(const QString& text, MessageButtons buttons, MessageIcon icon,
                       const QString& title) override
    {
        shown.append({text, buttons, icon, title});
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == MessageButtons::YesNoCancel || buttons == MessageButtons::YesNo
            ? MessageAnswer::Yes
            : MessageAnswer::Ok;
    }

    QStringList texts() const
    {
        QStringList result;
        for (const Shown& box : shown)
            result.append(box.text);
        return result;
    }
};
