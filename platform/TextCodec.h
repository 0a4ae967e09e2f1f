#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

/// The byte encodings a document file is read in and written back in.
enum class TextEncoding { Utf8, Windows1252 };

/// How a text was stored, so that it can be written back the same way.
struct TextFormat {
    TextEncoding encoding = TextEncoding::Utf8;
    /// A UTF-8 byte-order mark preceded the text; it is not part of the text.
    bool byteOrderMark = false;

    friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

struct DecodedText {
    QString text;
    TextFormat format;
};

/// The outcome of encoding: the bytes, or the position of the first character the
/// encoding cannot store (and then no bytes at all, so nothing is half written).
struct EncodedText {
    QByteArray bytes;
    /// UTF-16 index of the first character that cannot be stored.
    std::optional<qsizetype> unencodableAt;

    bool ok() const { return !unencodableAt; }
};

/// Reads and writes document bytes so that a file that is read and written back
/// unchanged keeps every byte: strict UTF-8 when the bytes are valid UTF-8, otherwise
/// Windows-1252 with each of the 256 byte values mapped to a character of its own.
namespace TextCodec {

/// Decodes document bytes. Valid UTF-8 (no overlong forms, no surrogates, nothing
/// above U+10FFFF) decodes as UTF-8, its byte-order mark set aside in the format;
/// anything else decodes byte by byte as Windows-1252. Empty bytes are UTF-8.
DecodedText decode(QByteArrayView bytes);

/// Encodes a text in a format. For a text that `decode` produced, `encode` with the
/// returned format gives back the original bytes. A character the encoding cannot
/// store (a lone surrogate in UTF-8, anything outside the code page in Windows-1252)
/// makes the result fail instead of writing a substitute.
EncodedText encode(QStringView text, TextFormat format);

/// Whether `text` takes at most `maxBytes` bytes in UTF-8. A lone surrogate, which
/// cannot be stored, counts as two bytes, as much as any stand-in for it. Counts only
/// when the text's length does not answer at once: each code unit takes one to three
/// bytes.
bool fitsInUtf8(QStringView text, qint64 maxBytes);

/// The encoding's usual name, for messages ("UTF-8", "Windows-1252").
QString encodingName(TextEncoding encoding);

} // namespace TextCodec
