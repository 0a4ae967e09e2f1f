#pragma once

#include "journal/JournalFolder.h"
#include "journal/JournalRecord.h"
#include "journal/JournalWriter.h"

#include <chrono>
#include <functional>
#include <memory>

/// The document as its journal sees it.
class IJournalDocument {
public:
    virtual ~IJournalDocument() = default;
    virtual JournalState journalState() const = 0;
    /// Reads the whole text as it is now; the reader may run later, on another thread.
    virtual std::function<QString()> journalText() const = 0;
    /// Whether the document's text is empty.
    virtual bool journalTextEmpty() const = 0;
};

/// How soon a journal writes a change, and how much it lets gather before it is compacted.
struct JournalTiming {
    std::chrono::milliseconds delay{250};
    qint64 compactAfterBytes = 4 << 20;
};

/// Keeps a window's journal in step with its document. A journal is kept while the document
/// holds something no file holds: while it has unsaved changes, or while it is unnamed and
/// not empty. It starts with a snapshot of the whole text, then takes each edit as it comes,
/// and the state when it has changed. Once nothing needs keeping (a save, New, Open of an
/// unchanged file) the journal is deleted, and the next edit starts a new one.
///
/// Edits come as they happen; the caller calls settle() once each change of the text or of
/// the state is complete, and textWriting() before the whole text is written anew.
class DocumentJournal {
public:
    /// Claims the journal's slot; nothing when the journal folder cannot be used.
    using SlotSource = std::function<std::unique_ptr<JournalSlot>()>;
    /// Runs a function on the document's thread later.
    using Post = std::function<void(std::function<void()>)>;
    /// Tells the user, on the document's thread, that unsaved text cannot be kept.
    using Problem = std::function<void(const QString& message)>;

    /// `document` must outlive the journal.
    DocumentJournal(IJournalDocument& document, Post post, SlotSource claim = [] { return JournalSlot::claim(); },
                    JournalTiming timing = JournalTiming());
    ~DocumentJournal();

    void setProblem(Problem problem) { mProblem = std::move(problem); }

    /// Off, the journal is deleted and nothing is written until it is switched on again.
    bool enabled() const { return mEnabled; }
    void setEnabled(bool bValue);

    /// Goes on writing the journal of `slot`, one that was recovered, in place of a new one.
    void adopt(std::unique_ptr<JournalSlot> slot);

    /// The whole text is about to be written anew: the text kept from before is let go of.
    void textWriting();
    /// `removed` UTF-16 code units at `position` have just become `inserted`.
    void textEdited(qint64 position, qint64 removed, const QString& inserted);
    /// The text or the state may have changed.
    void settle();
    /// Settles once the current event is over; several calls before then settle once.
    void settleSoon();
    /// A clean end of the window: the journal is deleted and the slot released.
    void end();

    /// The journal file of the window; empty before the first one was claimed.
    QString path() const;
    /// Waits until everything so far is on disk; false when a write failed.
    bool flush();
    /// Bytes written to journal files so far.
    qint64 bytesWritten() const;

private:
    bool needed(const JournalState& state) const;
    bool writing() const { return mLive && mWriter; }
    /// Starts the journal afresh with the state and the text source given.
    void startSnapshot(const JournalState& state, std::function<QString()> text);
    /// Deletes the journal file; the writer and the slot stay for the next one.
    void stop();
    /// Deletes the journal file and lets go of the writer and the slot.
    void release();
    void compact();

    IJournalDocument& mDocument;
    Post mPost;
    SlotSource mClaim;
    JournalTiming mTiming;
    bool mEnabled = true;
    std::unique_ptr<JournalSlot> mSlot;
    std::unique_ptr<JournalWriter> mWriter;
    /// A journal file exists, or is being written.
    bool mLive = false;
    JournalState mLastState;
    /// The text before any edit the journal has not taken: the text of a write of the whole
    /// text, or the text when the journal was last deleted.
    std::function<QString()> mBaseText;
    /// The whole text was written since the journal last took it.
    bool mRewritten = false;
    qint64 mBytesOfStoppedWriters = 0;
    bool mSettlePending = false;
    Problem mProblem;
    /// The folder could not be used; told once.
    bool mClaimFailed = false;
};
