#include "journal/RecoveryOffer.h"

#include "documents/DocumentWindow.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QLocale>

QString recoveryQuestion(const RecoveredDocument& document)
{
    const QString& file = document.state.fileName;
    const QString name = file == kUntitled ? QStringLiteral("untitled") : QStringLiteral("'%1'").arg(QDir::toNativeSeparators(file));
    const QLocale locale;
    QString question = QStringLiteral("Sifta ended without saving a text: %1, %2 characters, last changed %3.")
                           .arg(name, locale.toString(document.text.size()),
                                locale.toString(document.lastChange, QLocale::ShortFormat));
    if (!document.whole)
        question += QStringLiteral(" The end of its journal is damaged; the text is as it was at the last change "
                                   "that could be read.");
    return question + QStringLiteral("\r\nDo you want to restore it? Yes restores it, No discards it, Cancel "
                                     "asks again at the next start.");
}

std::vector<Recovery> offerRecoveries(IMessageBox& messages, std::vector<std::unique_ptr<JournalSlot>> orphans)
{
    std::vector<Recovery> chosen;
    for (std::unique_ptr<JournalSlot>& slot : orphans) {
        JournalReading reading = JournalReader::read(slot->journalPath());
        if (!reading) {
            messages.show(JournalReader::problemText(reading.error(), slot->journalPath()), MessageButtons::Ok,
                          MessageIcon::Exclamation);
            continue;
        }
        switch (messages.show(recoveryQuestion(reading.value()), MessageButtons::YesNoCancel, MessageIcon::Question)) {
        case MessageAnswer::Yes:
            chosen.push_back({std::move(slot), std::move(reading).value()});
            break;
        case MessageAnswer::No:
            slot->removeJournal();
            break;
        default:
            break;
        }
    }
    return chosen;
}
