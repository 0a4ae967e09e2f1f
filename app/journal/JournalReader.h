#pragma once

#include "journal/JournalRecord.h"
#include "platform/Result.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

/// What a journal gives back: the document as its last checked record left it.
struct RecoveredDocument {
    JournalState state;
    QString text;
    /// When the last record read was made.
    QDateTime lastChange;
    /// Records restored; a journal cut short or damaged stops at the last good one.
    qsizetype records = 0;
    /// False when bytes after the last good record were left unread.
    bool whole = true;
};

/// Why a journal gives nothing back.
enum class JournalProblem {
    /// The file cannot be read.
    Unreadable,
    /// Not a journal of this program, or its header is damaged.
    NotOurs,
    /// Written by a newer version of the program, whose records this one cannot read.
    Newer,
    /// A journal with no complete first snapshot: nothing to restore.
    Empty,
};

using JournalReading = Result<RecoveredDocument, JournalProblem>;

namespace JournalReader {

/// Replays the journal `bytes`: the first record must be a snapshot with sequence number 1,
/// each later one must carry the next number and (for an edit) lie inside the text. The
/// first record that is cut short, fails its checksum or breaks these rules ends the replay;
/// the records before it make the document. An edit leaves the document changed.
JournalReading replay(QByteArrayView bytes);

/// Reads and replays the journal file `sPath`.
JournalReading read(const QString& sPath);

/// A sentence for the user about `problem` with the journal `sPath`.
QString problemText(JournalProblem problem, const QString& sPath);

} // namespace JournalReader
