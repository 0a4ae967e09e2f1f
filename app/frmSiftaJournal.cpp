// The main window's recovery journal: the Search Text's edits and the document's state go
// to the journal as they happen, a recovered document comes back from one, and the
// Options menu switches it off and on.

#include "app/frmSifta.h"

#include "window/MultiLineBox.h"
#include "journal/RecoveryOffer.h"
#include "platform/MessageBox.h"
#include "settings/CSettings.h"
#include "settings/SettingText.h"
#include "textex/TextEx.h"

#include <QAction>
#include <QComboBox>

namespace {

const QString kJournalKey = QStringLiteral("RecoveryJournal");

} // namespace

void frmSifta::connectJournal()
{
    IJournalDocument& journalDocument = *this;
    mJournal = std::make_shared<DocumentJournal>(
        journalDocument, [this](std::function<void()> work) { QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection); });
    mJournal->setProblem(
        [this](const QString& message) { mMessages.show(message, MessageButtons::Ok, MessageIcon::Exclamation); });
    const std::weak_ptr<DocumentJournal> journal = mJournal;
    TextEx* document = mControls.txtDocument;
    connect(document, &TextEx::TextEdited, this,
            [journal](qsizetype position, qsizetype removed, const QString& inserted) {
                if (const std::shared_ptr<DocumentJournal> live = journal.lock())
                    live->textEdited(position, removed, inserted);
            });
    connect(document, &TextEx::TextWriting, this, [journal] {
        if (const std::shared_ptr<DocumentJournal> live = journal.lock())
            live->textWriting();
    });
    // The state is taken once the event that changed it is over: the File commands write the
    // text first and set the name and the changed flag after it.
    const auto settle = [journal] {
        if (const std::shared_ptr<DocumentJournal> live = journal.lock())
            live->settleSoon();
    };
    connect(document, &TextEx::Change, this, settle);
    connect(document, &TextEx::Click, this, settle);
    connect(document, &TextEx::KeyUp, this, settle);
    connect(this, &QWidget::windowTitleChanged, this, settle);
    connect(mControls.cboPattern, &QComboBox::editTextChanged, this, settle);
    connect(mControls.txtReplace, &QPlainTextEdit::textChanged, this, settle);

    const bool enabled = textToBoolean(mSettings.GetSetting(kJournalKey, true)).value_or(true);
    mMenu.mnuOptionsRecoveryJournal->setChecked(enabled);
    mJournal->setEnabled(enabled);
    connect(mMenu.mnuOptionsRecoveryJournal, &QAction::triggered, this, &frmSifta::mnuOptionsRecoveryJournal_Click);
}

void frmSifta::mnuOptionsRecoveryJournal_Click()
{
    const bool enabled = mMenu.mnuOptionsRecoveryJournal->isChecked();
    mJournal->setEnabled(enabled);
    // Kept at once: someone who must not keep text on disk should not find it back on at the
    // next start because this window did not close cleanly.
    mSettings.SaveSetting(kJournalKey, enabled);
}

bool frmSifta::RestoreJournal(Recovery&& recovery)
{
    const RecoveredDocument& document = recovery.document;
    if (!mDocumentCommands->Restore(document.text, document.state.fileName, document.state.format, document.state.dirty))
        return false;
    mJournal->adopt(std::move(recovery.slot));
    mControls.cboPattern->setEditText(document.state.pattern);
    mControls.txtReplace->setText(document.state.replaceWith);
    const auto start = int(qBound<qint64>(0, document.state.selStart, document.text.size()));
    const auto end = int(qBound<qint64>(start, document.state.selStart + document.state.selLength, document.text.size()));
    mControls.txtDocument->SetSel(start, end);
    UpdateCursorLabel();
    return true;
}

JournalState frmSifta::journalState() const
{
    JournalState state;
    state.fileName = mFileName;
    state.format = mDocumentCommands->format();
    state.dirty = mDirty;
    state.pattern = mControls.cboPattern->currentText();
    state.replaceWith = mControls.txtReplace->text();
    int start = 0;
    int end = 0;
    mControls.txtDocument->GetSel(start, end);
    state.selStart = start;
    state.selLength = end - start;
    return state;
}

std::function<QString()> frmSifta::journalText() const
{
    // The journal's reader shares its decoding with the live matching's, which reads the
    // same text after a replacement, so that the text is held in UTF-16 only once.
    return mControls.txtDocument->textReader();
}

bool frmSifta::journalTextEmpty() const
{
    return mControls.txtDocument->TextLength() == 0;
}
