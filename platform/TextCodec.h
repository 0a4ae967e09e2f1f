#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

/// The byte encodings a document file is read in and written back in.
enum class TextEncoding { Utf8, Windows1252, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

/// How a text was stored, so that it can be written back the same way.
struct TextFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    /// A byte-order mark preceded the text; it is not part of the text. UTF-16 and UTF-32
    /// are only ever read with theirs, so for them it is always set.
    bool byteOrderMark = false;
    /// UTF-8 only: how many bytes that were no part of valid UTF-8 the text held when it
    /// was last read or written, each as its stand-in character (see `TextCodec::standIn`).
    /// While it is not 0, stand-ins in the text are written as their bytes; at 0 they are
    /// ordinary characters.
    qsizetype strayBytes = 0;

    friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

struct DecodedText {
    QString text;
    TextFormat format;
};

struct EncodedBytes {
    QByteArray bytes;
    /// How many stand-ins went out as their stray bytes.
    qsizetype strayBytes = 0;
};

/// The first character of a text that an encoding cannot store.
struct Unencodable {
    /// Its UTF-16 index in the text.
    qsizetype at = 0;
};

/// The outcome of encoding: the bytes, or the first character the encoding cannot store
/// (and then no bytes at all, so nothing is half written).
using EncodedText = Result<EncodedBytes, Unencodable>;

/// Reads and writes document bytes so that a file that is read and written back unchanged
/// keeps every byte, and a file that is edited keeps every byte outside the edits.
///
/// How bytes are read, the first rule that fits:
/// 1. A UTF-32 or UTF-16 byte-order mark (either byte order) followed by well-formed text
///    of that form: that encoding.
/// 2. Valid UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF): UTF-8, a
///    leading UTF-8 byte-order mark set aside.
/// 3. UTF-8 with stray bytes: bytes that are not part of valid UTF-8, but fewer of them
///    than valid characters of two or more bytes (a UTF-8 log with a Latin-1 line, a cut
///    last character). Each stray byte becomes its stand-in character, which is written
///    back as that byte. A file that already holds a stand-in character as valid UTF-8 is
///    not read this way, since the two could not be told apart.
/// 4. Anything else: Windows-1252, each of the 256 byte values a character of its own.
namespace TextCodec {

/// The first and last stand-ins for stray bytes: byte 0x80 + n is U+EF80 + n, a private
/// use character that no encoding of the text gives to anything else.
inline constexpr char16_t kFirstStandIn = 0xEF80;
inline constexpr char16_t kLastStandIn = 0xEFFF;

/// The stand-in character of the stray byte `byte` (0x80 to 0xFF).
constexpr char16_t standIn(unsigned char byte) { return char16_t(0xEF00 + byte); }

/// Whether `c` is a stand-in for a stray byte.
constexpr bool isStandIn(char16_t c) { return c >= kFirstStandIn && c <= kLastStandIn; }

/// Decodes document bytes by the rules above. Empty bytes are UTF-8.
DecodedText decode(QByteArrayView bytes);

/// Decodes bytes of a UTF-8 text (its byte-order mark set aside; `valid` when it holds no
/// stray byte) or of a Windows-1252 text into `text`, whose memory is reused when it has
/// room, as `decode` decodes a whole text in that encoding. Returns the stray bytes met.
qsizetype decodeInto(QByteArrayView bytes, TextEncoding encoding, bool valid, QString& text);

/// Encodes a text in a format. For a text that `decode` produced, `encode` with the
/// returned format gives back the original bytes. A character the encoding cannot
/// store (a lone surrogate in any Unicode form, anything outside the code page in
/// Windows-1252) makes the result fail instead of writing a substitute.
EncodedText encode(QStringView text, TextFormat format);

/// The first character of `text` that `format` cannot store, if any.
std::optional<qsizetype> firstUnencodable(QStringView text, TextFormat format);

/// Whether `text` takes at most `maxBytes` bytes in UTF-8. A lone surrogate, which
/// cannot be stored, counts as two bytes, as much as any stand-in for it. Counts only
/// when the text's length does not answer at once: each code unit takes one to three
/// bytes.
bool fitsInUtf8(QStringView text, qint64 maxBytes);

/// The most bytes a document file may have whose text fits in `maxUtf8` bytes of UTF-8,
/// for the encoding its first bytes `start` show: UTF-16 takes up to two bytes and UTF-32
/// four for a character that UTF-8 stores in one.
qint64 fileBytesFor(qint64 maxUtf8, QByteArrayView start);

/// The character at `at` of `text` as "U+XXXX", the whole code point of a surrogate pair.
QString codePointName(QStringView text, qsizetype at);

/// The encoding's usual name, for messages ("UTF-8", "Windows-1252", "UTF-16 LE").
QString encodingName(TextEncoding encoding);

} // namespace TextCodec
