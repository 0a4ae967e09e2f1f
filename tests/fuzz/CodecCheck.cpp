#include "FuzzChecks.h"
#include "FuzzInput.h"

#include "platform/TextCodec.h"

namespace {

QString formatName(TextFormat format)
{
    return TextCodec::encodingName(format.encoding)
        + (format.byteOrderMark ? QStringLiteral(" with byte-order mark") : QString());
}

bool isLoneSurrogate(QStringView text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

/// The refusal of `format` to store `text`: the character it names must be one the encoding
/// cannot store, and the text before it must encode.
QString checkRefusal(QStringView text, TextFormat format, qsizetype at)
{
    if (at < 0 || at >= text.size())
        return QStringLiteral("%1 refused at %2, outside the text").arg(formatName(format)).arg(at);
    if (format.encoding != TextEncoding::Windows1252) {
        if (!isLoneSurrogate(text, at))
            return QStringLiteral("%1 refused the character at %2, which is no lone surrogate")
                .arg(formatName(format))
                .arg(at);
    } else if (TextCodec::encode(text.mid(at, 1), format).ok()) {
        return QStringLiteral("Windows-1252 refused the character at %1, which it can store").arg(at);
    }
    if (!TextCodec::encode(text.first(at), format).ok())
        return QStringLiteral("%1 refused at %2, but an earlier character fails too").arg(formatName(format)).arg(at);
    return {};
}

/// Encoding `text` succeeds or names a character the format cannot store; what it writes
/// reads back as `text` whenever the reader takes it in the same encoding.
QString checkEncoding(QStringView text, TextFormat format)
{
    const EncodedText encoded = TextCodec::encode(text, format);
    if (!encoded.ok())
        return checkRefusal(text, format, encoded.error().at);
    const DecodedText back = TextCodec::decode(encoded->bytes);
    if (back.format.encoding != format.encoding)
        return {}; // Windows-1252 bytes that happen to be valid UTF-8 are read as UTF-8
    // Without a byte-order mark in the format, a text that starts with U+FEFF reads back with
    // that character taken as the mark; the bytes, not the text, are what must survive.
    const bool leadingMark = !format.byteOrderMark && text.startsWith(QChar(0xFEFF))
        && format.encoding == TextEncoding::Utf8;
    if (!leadingMark && back.text != text)
        return QStringLiteral("%1 text does not read back as written").arg(formatName(format));
    return {};
}

} // namespace

namespace FuzzChecks {

QString codec(QByteArrayView data)
{
    const DecodedText decoded = TextCodec::decode(data);
    const EncodedText encoded = TextCodec::encode(decoded.text, decoded.format);
    if (!encoded.ok())
        return QStringLiteral("decoded text cannot be encoded again in %1").arg(formatName(decoded.format));
    if (encoded->bytes != data)
        return QStringLiteral("decoding then encoding in %1 changed the bytes").arg(formatName(decoded.format));

    const QString text = fuzzText(data, true);
    for (const TextFormat format : {TextFormat{TextEncoding::Utf8, false}, TextFormat{TextEncoding::Utf8, true},
                                    TextFormat{TextEncoding::Windows1252, false},
                                    TextFormat{TextEncoding::Utf16LE, true}, TextFormat{TextEncoding::Utf16BE, true},
                                    TextFormat{TextEncoding::Utf32LE, true}, TextFormat{TextEncoding::Utf32BE, true}}) {
        if (QString failure = checkEncoding(text, format); !failure.isEmpty())
            return failure;
    }
    return {};
}

} // namespace FuzzChecks
