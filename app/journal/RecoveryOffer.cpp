#include "journal/RecoveryOffer.h"

#include "documents/DocumentWindow.h"
#include "platform/MessageBox.h"
#include "translations/CountText.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

namespace {

struct RecoveryTexts {
    Q_DECLARE_TR_FUNCTIONS(RecoveryTexts)
};

} // namespace

QString recoveryQuestion(const RecoveredDocument& document)
{
    const QString& file = document.state.fileName;
    const QString name =
        file == kUntitled ? RecoveryTexts::tr("untitled") : QStringLiteral("'%1'").arg(QDir::toNativeSeparators(file));
    const QLocale locale;
    const QString length = countText(QT_TRANSLATE_N_NOOP("Count", "%1 character(s)"), document.text.size(), locale);
    QString question = RecoveryTexts::tr("Sifta ended without saving a text: %1, %2, last changed %3.")
                           .arg(name, length, locale.toString(document.lastChange, QLocale::ShortFormat));
    if (!document.whole)
        question += RecoveryTexts::tr(" The end of its journal is damaged; the text is as it was at the last change "
                                      "that could be read.");
    return question + RecoveryTexts::tr("\r\nDo you want to restore it? Yes restores it, No discards it, Cancel "
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
