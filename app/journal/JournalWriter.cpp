#include "journal/JournalWriter.h"

#include "journal/Crc32c.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, QByteArrayView bytes)
{
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

/// Makes a rename or removal in the folder of `path` durable.
void syncFolder(const QString& path)
{
    const int dir = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return;
    ::fsync(dir);
    ::close(dir);
}

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

JournalWriter::JournalWriter(QString sPath, std::chrono::milliseconds delay, qint64 compactAfterBytes)
    : mPath(std::move(sPath)), mDelay(delay), mCompactAfter(compactAfterBytes), mThread([this] { run(); })
{
}

JournalWriter::~JournalWriter()
{
    {
        const std::lock_guard lock(mMutex);
        mStop = true;
    }
    mWake.notify_all();
    mThread.join();
    closeFile();
}

void JournalWriter::setCompactionWanted(CompactionWanted wanted)
{
    const std::lock_guard lock(mMutex);
    mCompactionWanted = std::move(wanted);
}

void JournalWriter::setWriteFailed(WriteFailed failed)
{
    const std::lock_guard lock(mMutex);
    mWriteFailed = std::move(failed);
}

void JournalWriter::snapshot(const JournalState& state, TextSource text)
{
    Item item{JournalRecord::Kind::Snapshot, now()};
    item.state = state;
    item.text = std::move(text);
    enqueue(std::move(item));
}

void JournalWriter::state(const JournalState& state)
{
    Item item{JournalRecord::Kind::State, now()};
    item.state = state;
    enqueue(std::move(item));
}

void JournalWriter::edit(qint64 position, qint64 removed, const QString& inserted)
{
    Item item{JournalRecord::Kind::Edit, now()};
    item.position = position;
    item.removed = removed;
    item.inserted = inserted;
    enqueue(std::move(item));
}

void JournalWriter::enqueue(Item item)
{
    {
        const std::lock_guard lock(mMutex);
        // A snapshot makes whatever waits before it needless; a state waiting to be written is
        // only ever replaced by a newer one.
        if (item.kind == JournalRecord::Kind::Snapshot)
            mQueue.clear();
        if (item.kind == JournalRecord::Kind::State && !mQueue.empty()
            && mQueue.back().kind == JournalRecord::Kind::State) {
            mQueue.back() = std::move(item);
        } else {
            mQueue.push_back(std::move(item));
        }
        ++mQueuedCount;
    }
    mWake.notify_all();
}

void JournalWriter::remove()
{
    {
        const std::lock_guard lock(mMutex);
        mQueue.clear();
        mRemoveWanted = true;
        ++mQueuedCount;
    }
    mWake.notify_all();
}

bool JournalWriter::flush()
{
    std::unique_lock lock(mMutex);
    const quint64 target = mQueuedCount;
    const quint64 failures = mFailures;
    mFlushWanted = true;
    mWake.notify_all();
    mWritten.wait(lock, [&] { return mWrittenCount >= target || mFailures != failures; });
    return mWrittenCount >= target;
}

qint64 JournalWriter::bytesWritten() const
{
    return mBytesWritten.load();
}

void JournalWriter::run()
{
    std::unique_lock lock(mMutex);
    for (;;) {
        mWake.wait(lock, [&] { return mStop || mRemoveWanted || !mQueue.empty(); });
        if (mRemoveWanted) {
            mRemoveWanted = false;
            lock.unlock();
            deleteFile();
            lock.lock();
            if (mQueue.empty())
                mWrittenCount = mQueuedCount;
            mWritten.notify_all();
            continue;
        }
        if (mQueue.empty())
            break;
        // Changes that come close together are written and synced together.
        mWake.wait_for(lock, mDelay, [&] { return mStop || mFlushWanted || mRemoveWanted; });
        if (mRemoveWanted)
            continue;
        std::deque<Item> items;
        items.swap(mQueue);
        const quint64 upTo = mQueuedCount;
        mFlushWanted = false;
        lock.unlock();
        const bool written = write(items);
        // Asked before the write counts as done, so that whoever waits for it sees the request.
        if (written && !mCompactionAsked && mFile >= 0 && mFileSize - mSnapshotSize > std::max(mCompactAfter, mSnapshotSize)) {
            mCompactionAsked = true;
            lock.lock();
            const CompactionWanted wanted = mCompactionWanted;
            lock.unlock();
            if (wanted)
                wanted();
        }
        if (written != !mFailing) {
            mFailing = !written;
            lock.lock();
            const WriteFailed failed = mFailing ? mWriteFailed : WriteFailed();
            lock.unlock();
            if (failed)
                failed(mError);
        }
        lock.lock();
        if (written) {
            mWrittenCount = std::max(mWrittenCount, upTo);
        } else if (!mRemoveWanted) {
            ++mFailures;
            for (auto it = items.rbegin(); it != items.rend(); ++it)
                mQueue.push_front(std::move(*it));
        }
        mWritten.notify_all();
        // A failed write is tried again after a pause, or when asked to flush, unless the
        // writer is stopping.
        if (!written && !mStop)
            mWake.wait_for(lock, std::max(mDelay, std::chrono::milliseconds(1000)),
                           [&] { return mStop || mRemoveWanted || mFlushWanted; });
        else if (!written)
            break;
    }
}

bool JournalWriter::write(std::deque<Item>& items)
{
    QByteArray pending;
    qint64 goodSize = mFileSize;
    quint64 goodSequence = mSequence;
    std::size_t firstUnwritten = 0;
    const auto fail = [&] {
        mError = errno;
        if (mFile >= 0 && ::ftruncate(mFile, goodSize) == 0)
            mFileSize = goodSize;
        mSequence = goodSequence;
        items.erase(items.begin(), items.begin() + std::ptrdiff_t(firstUnwritten));
        return false;
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        if (item.kind == JournalRecord::Kind::Snapshot) {
            if (!pending.isEmpty() && !append(pending))
                return fail();
            pending.clear();
            if (!startFile(item))
                return fail();
            goodSize = mFileSize;
            goodSequence = mSequence;
            firstUnwritten = i + 1;
            continue;
        }
        if (mFile < 0)
            continue;
        pending += item.kind == JournalRecord::Kind::Edit
            ? JournalRecord::editRecord(++mSequence, item.timeMs, item.position, item.removed, item.inserted.toUtf8())
            : JournalRecord::stateRecord(++mSequence, item.timeMs, item.state);
    }
    if (!pending.isEmpty() && !append(pending))
        return fail();
    if (mFile >= 0 && ::fdatasync(mFile) != 0)
        return fail();
    items.clear();
    return true;
}

bool JournalWriter::append(const QByteArray& bytes)
{
    if (!writeAll(mFile, bytes))
        return false;
    mFileSize += bytes.size();
    mBytesWritten += bytes.size();
    return true;
}

// The text goes out in UTF-8 a piece at a time, so that a large text is never held twice more.
bool JournalWriter::startFile(const Item& snapshot)
{
    const QByteArray fresh = QFile::encodeName(mPath + QStringLiteral(".new"));
    const int fd = ::open(fresh.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const QByteArray header = JournalRecord::header();
    const QString text = snapshot.text();
    const qint64 textBytes = JournalRecord::utf8Length(text);
    const QByteArray head = JournalRecord::snapshotRecordHead(1, snapshot.timeMs, snapshot.state, textBytes);
    quint32 crc = JournalRecord::snapshotChecksum(head);
    bool written = writeAll(fd, header) && writeAll(fd, head);
    qint64 textWritten = 0;
    constexpr qsizetype kPiece = 1 << 20;
    for (qsizetype at = 0; written && at < text.size();) {
        qsizetype end = std::min(text.size(), at + kPiece);
        if (end < text.size() && text[end - 1].isHighSurrogate())
            --end;
        const QByteArray piece = QStringView(text).sliced(at, end - at).toUtf8();
        crc = crc32c(piece, crc);
        written = writeAll(fd, piece);
        textWritten += piece.size();
        at = end;
    }
    char checksum[4];
    qToLittleEndian(crc, checksum);
    written = written && textWritten == textBytes
        && ::pwrite(fd, checksum, sizeof checksum, header.size() + JournalRecord::kChecksumOffset) == sizeof checksum
        && ::fdatasync(fd) == 0;
    ::close(fd);
    const QByteArray target = QFile::encodeName(mPath);
    if (!written || ::rename(fresh.constData(), target.constData()) != 0) {
        ::unlink(fresh.constData());
        return false;
    }
    syncFolder(mPath);
    closeFile();
    mFile = ::open(target.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    mSequence = 1;
    mFileSize = header.size() + head.size() + textBytes;
    mSnapshotSize = mFileSize;
    mCompactionAsked = false;
    mBytesWritten += mFileSize;
    return mFile >= 0;
}

void JournalWriter::closeFile()
{
    if (mFile >= 0)
        ::close(mFile);
    mFile = -1;
}

void JournalWriter::deleteFile()
{
    closeFile();
    mSequence = 0;
    mFileSize = 0;
    mSnapshotSize = 0;
    ::unlink(QFile::encodeName(mPath).constData());
    syncFolder(mPath);
}
