#include "journal/JournalFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".journal");
const QString kLockSuffix = QStringLiteral(".lock");

std::unique_ptr<QLockFile> lockFor(const QString& journal)
{
    auto lock = std::make_unique<QLockFile>(journal + kLockSuffix);
    // Only a process that is gone frees a lock, never the lock's age: a window can run for days.
    lock->setStaleLockTime(0);
    return lock;
}

bool makeFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

namespace JournalFolder {

QString location()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/sifta");
}

} // namespace JournalFolder

JournalSlot::JournalSlot(QString journal, std::unique_ptr<QLockFile> lock)
    : mJournal(std::move(journal)), mLock(std::move(lock))
{
}

std::unique_ptr<JournalSlot> JournalSlot::claim(const QString& sFolder)
{
    if (!makeFolder(sFolder))
        return nullptr;
    const QString journal = sFolder + QStringLiteral("/window-") + QUuid::createUuid().toString(QUuid::WithoutBraces) + kSuffix;
    std::unique_ptr<QLockFile> lock = lockFor(journal);
    if (!lock->tryLock(0))
        return nullptr;
    return std::unique_ptr<JournalSlot>(new JournalSlot(journal, std::move(lock)));
}

std::vector<std::unique_ptr<JournalSlot>> JournalSlot::orphans(const QString& sFolder)
{
    QFileInfoList journals =
        QDir(sFolder).entryInfoList({QStringLiteral("window-*") + kSuffix}, QDir::Files | QDir::Hidden);
    std::sort(journals.begin(), journals.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.lastModified() < b.lastModified(); });
    std::vector<std::unique_ptr<JournalSlot>> found;
    for (const QFileInfo& info : journals) {
        std::unique_ptr<QLockFile> lock = lockFor(info.filePath());
        if (lock->tryLock(0))
            found.push_back(std::unique_ptr<JournalSlot>(new JournalSlot(info.filePath(), std::move(lock))));
    }
    return found;
}

void JournalSlot::removeJournal() const
{
    QFile::remove(mJournal);
}
