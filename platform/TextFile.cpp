#include "platform/TextFile.h"

#include <cerrno>

namespace Tools {

TextFileRead ReadTextFile(const QString& sFile)
{
    auto bytes = FileBytes::read(sFile);
    if (auto* error = std::get_if<FileError>(&bytes))
        return {*error, {}};
    return {std::nullopt, TextCodec::decode(std::get<QByteArray>(bytes))};
}

TextFileWrite WriteTextFile(const QString& sFile, const QString& sText, TextFormat format,
                            FileBytes::Target target)
{
    TextFileWrite result{std::nullopt, format, std::nullopt};
    EncodedText encoded = TextCodec::encode(sText, format);
    if (!encoded.ok() && format.encoding != TextEncoding::Utf8) {
        result.replacedEncoding = format.encoding;
        result.format = TextFormat{TextEncoding::Utf8, false};
        encoded = TextCodec::encode(sText, result.format);
    }
    if (!encoded.ok()) {
        // Only a lone surrogate, which no encoding can store, gets here.
        result.error = FileError::fromErrno(EILSEQ);
        return result;
    }
    result.error = FileBytes::write(sFile, encoded.bytes, target);
    return result;
}

QString ReplacedEncodingMessage(const QString& sFile, TextEncoding requested)
{
    return QStringLiteral("The text has characters that %1 cannot store, so '%2' was saved as %3.")
        .arg(TextCodec::encodingName(requested), sFile,
             TextCodec::encodingName(TextEncoding::Utf8));
}

} // namespace Tools
