#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>

/// Where the recovery journals live, one per window: the per-user state folder
/// `$XDG_STATE_HOME/sifta`, else `~/.local/state/sifta`, readable by the user alone. A
/// journal "window-ID.journal" has a lock file "window-ID.journal.lock" that its window
/// holds while it runs, so a journal whose lock no living process holds is one to recover.
namespace JournalFolder {

/// The folder's path; it need not exist yet.
QString location();

} // namespace JournalFolder

/// The journal of one window and the lock that says the window is alive. Releasing the
/// slot (destroying it) removes the lock file and leaves the journal file as it is.
class JournalSlot {
public:
    /// A new journal name in `sFolder`, made with the user's rights only, and its lock;
    /// nothing when the folder cannot be made or locked.
    static std::unique_ptr<JournalSlot> claim(const QString& sFolder = JournalFolder::location());
    /// The journals in `sFolder` that no running window holds, oldest first, each with its
    /// lock now held by the caller.
    static std::vector<std::unique_ptr<JournalSlot>> orphans(const QString& sFolder = JournalFolder::location());

    QString journalPath() const { return mJournal; }
    /// Deletes the journal file; the slot stays held.
    void removeJournal() const;

private:
    JournalSlot(QString journal, std::unique_ptr<QLockFile> lock);

    QString mJournal;
    std::unique_ptr<QLockFile> mLock;
};
