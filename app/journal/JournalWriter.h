#pragma once

#include "journal/JournalRecord.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

/// Writes one journal file on a thread of its own. The calls only queue their record and
/// return at once; the thread writes what has gathered a short while after the first of it
/// came (`delay`), then syncs the file, so a change is on disk well within a second.
///
/// A snapshot starts the file afresh: it is written whole to a new file that then takes the
/// journal's name, so a crash at any moment leaves either the old journal or the new one.
/// Records after it are appended. A write that fails (a full disk) is cut back off the
/// file, and everything not yet written is tried again after the next delay.
class JournalWriter {
public:
    /// Reads the whole text, on the writer's thread.
    using TextSource = std::function<QString()>;
    /// Called on the writer's thread, once, when the records since the last snapshot have
    /// grown past `compactAfterBytes` and past the size of that snapshot.
    using CompactionWanted = std::function<void()>;

    JournalWriter(QString sPath, std::chrono::milliseconds delay = std::chrono::milliseconds(250),
                  qint64 compactAfterBytes = 4 << 20);
    /// Writes and syncs what is queued, then stops.
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    /// Called on the writer's thread with the system's error number when a write fails after
    /// one that did not, so a full disk is told once until writing works again.
    using WriteFailed = std::function<void(int error)>;

    QString path() const { return mPath; }
    void setCompactionWanted(CompactionWanted wanted);
    void setWriteFailed(WriteFailed failed);

    /// The whole document, replacing everything written before.
    void snapshot(const JournalState& state, TextSource text);
    void state(const JournalState& state);
    /// `removed` UTF-16 code units at `position` became `inserted`.
    void edit(qint64 position, qint64 removed, const QString& inserted);
    /// Forgets what is queued and deletes the journal file.
    void remove();
    /// Waits until everything queued so far is written and synced; false when a write failed.
    bool flush();
    /// Bytes written to the file since it was started, snapshot included.
    qint64 bytesWritten() const;

private:
    struct Item {
        JournalRecord::Kind kind;
        qint64 timeMs;
        JournalState state = {};
        TextSource text = {};
        qint64 position = 0;
        qint64 removed = 0;
        QString inserted = {};
    };

    void enqueue(Item item);
    void run();
    /// Writes `items` and syncs; false, with the file as it was, when a write failed.
    bool write(std::deque<Item>& items);
    bool startFile(const Item& snapshot);
    bool append(const QByteArray& bytes);
    void closeFile();
    void deleteFile();

    const QString mPath;
    const std::chrono::milliseconds mDelay;
    const qint64 mCompactAfter;

    mutable std::mutex mMutex;
    std::condition_variable mWake;
    std::condition_variable mWritten;
    std::deque<Item> mQueue;
    bool mStop = false;
    bool mFlushWanted = false;
    bool mRemoveWanted = false;
    quint64 mQueuedCount = 0;
    quint64 mWrittenCount = 0;
    quint64 mFailures = 0;
    CompactionWanted mCompactionWanted;
    WriteFailed mWriteFailed;

    // Owned by the writer's thread.
    int mFile = -1;
    quint64 mSequence = 0;
    qint64 mFileSize = 0;
    qint64 mSnapshotSize = 0;
    bool mCompactionAsked = false;
    bool mFailing = false;
    int mError = 0;
    std::atomic<qint64> mBytesWritten = 0;

    std::thread mThread;
};
