#pragma once

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>

/// The document's state apart from its text, as a journal keeps it.
struct JournalState {
    /// Full path of the document's file, or "Untitled".
    QString fileName;
    TextFormat format;
    bool dirty = false;
    QString pattern;
    QString replaceWith;
    qint64 selStart = 0;
    qint64 selLength = 0;

    friend bool operator==(const JournalState&, const JournalState&) = default;
};

/// The file format of a journal: a header, then records, each checked on its own.
///
/// Header (16 bytes): the magic "SIFTAJNL", the format version (32-bit), and the CRC-32C
/// of those 12 bytes. Every number is little-endian.
///
/// Record: the payload's length (32-bit), the CRC-32C of the length and the payload
/// (32-bit), then the payload: its sequence number (64-bit, 1 for the first record after
/// the header, one more for each next one), its kind (8-bit), the time of the change in
/// milliseconds since 1970 (64-bit), and the kind's fields:
/// - State: the document's state (see below).
/// - Snapshot: the state, then the whole text as UTF-8 (64-bit length, bytes).
/// - Edit: the UTF-16 position and the number of UTF-16 code units removed there (64-bit
///   each), then the inserted text as UTF-8 (64-bit length, bytes).
/// The state is the file name, the pattern and the Replace With text (UTF-16: 32-bit count
/// of code units, the units), the encoding, the byte-order mark flag and the dirty flag
/// (8-bit each), the number of stray bytes, the selection's start and length (64-bit each).
/// The sequence numbers tell a record that was moved or left over from another write from
/// the one that belongs next.
namespace JournalRecord {

inline constexpr char kMagic[8] = {'S', 'I', 'F', 'T', 'A', 'J', 'N', 'L'};
inline constexpr quint32 kVersion = 1;
inline constexpr qsizetype kHeaderSize = 16;
/// The length and checksum before each payload.
inline constexpr qsizetype kFrameSize = 8;

enum class Kind : quint8 { State = 1, Snapshot = 2, Edit = 3 };

struct Edit {
    qint64 position = 0;
    qint64 removed = 0;
    /// The inserted text, as UTF-8, inside the bytes the record was read from.
    QByteArrayView inserted;
};

/// A record read back: its kind, the time of its change, and the fields of that kind.
struct Record {
    Kind kind = Kind::State;
    quint64 sequence = 0;
    qint64 timeMs = 0;
    JournalState state;
    /// Snapshot only: the whole text as UTF-8, inside the bytes the record was read from.
    QByteArrayView text;
    Edit edit;
};

QByteArray header();
/// What a header says: ours and readable, not ours, or ours but from a newer version.
enum class HeaderCheck { Ours, NotOurs, Newer };
HeaderCheck checkHeader(QByteArrayView bytes);

/// The framed record of a state, a snapshot or an edit.
QByteArray stateRecord(quint64 sequence, qint64 timeMs, const JournalState& state);
QByteArray snapshotRecord(quint64 sequence, qint64 timeMs, const JournalState& state, QByteArrayView utf8Text);
/// The snapshot record without its text of `textBytes` bytes of UTF-8, which follows it, and
/// with its checksum left 0: a large text is written a piece at a time, and the checksum,
/// which `snapshotChecksum` starts and crc32c() carries on over the text, after it.
QByteArray snapshotRecordHead(quint64 sequence, qint64 timeMs, const JournalState& state, qint64 textBytes);
/// The checksum of `head` alone, to carry on over the text.
quint32 snapshotChecksum(QByteArrayView head);
/// Where a record's checksum lies, from the record's start.
inline constexpr qsizetype kChecksumOffset = 4;
/// The number of bytes QString::toUtf8 makes of `text`, where a lone surrogate becomes "?".
qint64 utf8Length(QStringView text);
QByteArray editRecord(quint64 sequence, qint64 timeMs, qint64 position, qint64 removed, QByteArrayView utf8Inserted);

/// The record at the start of `bytes`, which its texts point into, and its whole framed
/// size; nothing when the bytes hold no complete record whose checksum and fields are right.
std::optional<std::pair<Record, qsizetype>> read(QByteArrayView bytes);

} // namespace JournalRecord
