#include "platform/TextFile.h"

#include <cerrno>
#include <new>

namespace Tools {

TextFileRead ReadTextFile(const QString& sFile, qint64 nMaxUtf8, const std::atomic_bool* cancel)
{
    // A UTF-8 file takes as many bytes as its text, and a byte-order mark three more;
    // a Windows-1252 file takes fewer, so its text is measured once decoded.
    const qint64 byteOrderMark = 3;
    const qint64 maxBytes = nMaxUtf8 > FileBytes::kNoLimit - byteOrderMark ? FileBytes::kNoLimit : nMaxUtf8 + byteOrderMark;
    try {
        DecodedText content;
        {
            const Result<QByteArray, FileError> bytes = FileBytes::read(sFile, maxBytes, cancel);
            if (!bytes)
                return bytes.error();
            content = TextCodec::decode(bytes.value());
        }
        if (!TextCodec::fitsInUtf8(content.text, nMaxUtf8))
            return FileError::fromErrno(EFBIG);
        return content;
    } catch (const std::bad_alloc&) {
        return FileError::fromErrno(ENOMEM);
    }
}

TextFileWrite WriteTextFile(const QString& sFile, const QString& sText, TextFormat format,
                            FileBytes::Target target)
{
    TextFileWritten written{format, std::nullopt};
    EncodedText encoded = TextCodec::encode(sText, format);
    if (!encoded.ok() && format.encoding != TextEncoding::Utf8) {
        written.replacedEncoding = format.encoding;
        written.format = TextFormat{TextEncoding::Utf8, false};
        encoded = TextCodec::encode(sText, written.format);
    }
    if (!encoded.ok()) {
        // Only a lone surrogate, which no encoding can store, gets here.
        return FileError::fromErrno(EILSEQ);
    }
    if (std::optional<FileError> error = FileBytes::write(sFile, encoded.bytes, target))
        return *error;
    return written;
}

QString ReplacedEncodingMessage(const QString& sFile, TextEncoding requested)
{
    return QStringLiteral("The text has characters that %1 cannot store, so '%2' was saved as %3.")
        .arg(TextCodec::encodingName(requested), sFile,
             TextCodec::encodingName(TextEncoding::Utf8));
}

} // namespace Tools
