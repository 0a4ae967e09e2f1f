#include "platform/TextFile.h"

#include <cerrno>

namespace Tools {

TextFileRead ReadTextFile(const QString& sFile)
{
    const Result<QByteArray, FileError> bytes = FileBytes::read(sFile);
    if (!bytes)
        return bytes.error();
    return TextCodec::decode(bytes.value());
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
