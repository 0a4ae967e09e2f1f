#include "journal/DocumentJournal.h"

#include "documents/DocumentWindow.h"

#include <QCoreApplication>
#include <QDir>

#include <cstring>
#include <utility>

namespace {

struct JournalTexts {
    Q_DECLARE_TR_FUNCTIONS(JournalTexts)
};

} // namespace

DocumentJournal::DocumentJournal(IJournalDocument& document, Post post, SlotSource claim, JournalTiming timing)
    : mDocument(document), mPost(std::move(post)), mClaim(std::move(claim)), mTiming(timing)
{
}

DocumentJournal::~DocumentJournal() = default;

void DocumentJournal::setEnabled(bool bValue)
{
    if (mEnabled == bValue)
        return;
    mEnabled = bValue;
    if (bValue) {
        settle();
        return;
    }
    mBaseText = {};
    release();
}

void DocumentJournal::adopt(std::unique_ptr<JournalSlot> slot)
{
    release();
    mSlot = std::move(slot);
    mLive = true;
}

bool DocumentJournal::needed(const JournalState& state) const
{
    return state.dirty || (state.fileName == kUntitled && !mDocument.journalTextEmpty());
}

void DocumentJournal::textWriting()
{
    // The new text is taken once the write is over, when whoever wrote it has let go of what
    // it was made from, so that a large text is not held once more beside those.
    if (mEnabled) {
        mBaseText = {};
        mRewritten = true;
    }
}

void DocumentJournal::textEdited(qint64 position, qint64 removed, const QString& inserted)
{
    if (!mEnabled)
        return;
    // An edit marks the document changed, which the window only does once the edit is over.
    JournalState state = mDocument.journalState();
    state.dirty = true;
    if (mBaseText) {
        startSnapshot(state, std::exchange(mBaseText, {}));
    } else if (!writing() || std::exchange(mRewritten, false)) {
        // The text as it is now holds the edit already.
        startSnapshot(state, mDocument.journalText());
        return;
    }
    if (writing())
        mWriter->edit(position, removed, inserted);
}

void DocumentJournal::settle()
{
    if (!mEnabled)
        return;
    const JournalState state = mDocument.journalState();
    if (!needed(state)) {
        stop();
        mRewritten = false;
        // Kept for the first edit to come, which then needs no copy of the text: after a
        // write or a save the text is at hand without one.
        if (!mBaseText)
            mBaseText = mDocument.journalText();
        return;
    }
    if (!writing() || mBaseText || std::exchange(mRewritten, false)) {
        startSnapshot(state, mBaseText ? std::exchange(mBaseText, {}) : mDocument.journalText());
        return;
    }
    if (state != mLastState) {
        mWriter->state(state);
        mLastState = state;
    }
}

void DocumentJournal::settleSoon()
{
    if (std::exchange(mSettlePending, true))
        return;
    mPost([this] {
        mSettlePending = false;
        settle();
    });
}

void DocumentJournal::startSnapshot(const JournalState& state, std::function<QString()> text)
{
    if (!mWriter) {
        if (!mSlot)
            mSlot = mClaim();
        if (!mSlot) {
            if (!std::exchange(mClaimFailed, true) && mProblem)
                mProblem(JournalTexts::tr("Unsaved text cannot be kept for recovery: the folder %1 cannot be used.")
                             .arg(QDir::toNativeSeparators(JournalFolder::location())));
            return;
        }
        mWriter = std::make_unique<JournalWriter>(mSlot->journalPath(), mTiming.delay, mTiming.compactAfterBytes);
        mWriter->setCompactionWanted([this] { mPost([this] { compact(); }); });
        mWriter->setWriteFailed([this](int error) {
            mPost([this, error] {
                if (mProblem)
                    mProblem(JournalTexts::tr("Unsaved text cannot be kept for recovery: %1. It is kept again once the "
                                              "journal can be written.")
                                 .arg(QString::fromLocal8Bit(std::strerror(error))));
            });
        });
    }
    mWriter->snapshot(state, std::move(text));
    mLastState = state;
    mLive = true;
}

void DocumentJournal::compact()
{
    if (mEnabled && mLive)
        startSnapshot(mDocument.journalState(), mDocument.journalText());
}

// The writer stays, idle, so that the window never waits for its thread to end.
void DocumentJournal::stop()
{
    if (!mLive)
        return;
    if (mWriter)
        mWriter->remove();
    else if (mSlot)
        mSlot->removeJournal();
    mLive = false;
}

void DocumentJournal::release()
{
    stop();
    if (mWriter) {
        mBytesOfStoppedWriters += mWriter->bytesWritten();
        mWriter.reset();
    }
    mSlot.reset();
}

void DocumentJournal::end()
{
    mBaseText = {};
    release();
}

QString DocumentJournal::path() const
{
    return mSlot ? mSlot->journalPath() : QString();
}

bool DocumentJournal::flush()
{
    return !mWriter || mWriter->flush();
}

qint64 DocumentJournal::bytesWritten() const
{
    return mBytesOfStoppedWriters + (mWriter ? mWriter->bytesWritten() : 0);
}
