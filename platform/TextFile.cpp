#include "platform/TextFile.h"

#include "platform/Descriptor.h"
#include "platform/FilePath.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct TextFileTexts {
    Q_DECLARE_TR_FUNCTIONS(TextFileTexts)
};

/// The most bytes `sFile` may have for its text to fit in `nMaxUtf8` bytes of UTF-8. A
/// regular file's first bytes tell its encoding; anything else (a pipe, a device) cannot be
/// looked at before it is read, and is taken for UTF-8.
qint64 byteLimit(const QString& sFile, qint64 nMaxUtf8)
{
    char start[4];
    qint64 got = 0;
    Descriptor file(::open(FilePath::encode(sFile).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.valid() && ::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode))
        got = std::max<ssize_t>(::read(file.get(), start, sizeof start), 0);
    return TextCodec::fileBytesFor(nMaxUtf8, QByteArrayView(start, got));
}

} // namespace

namespace Tools {

TextFileRead ReadTextFile(const QString& sFile, qint64 nMaxUtf8, const std::atomic_bool* cancel)
{
    try {
        DecodedText content;
        {
            const Result<QByteArray, FileError> bytes = FileBytes::read(sFile, byteLimit(sFile, nMaxUtf8), cancel);
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
    const EncodedText encoded = TextCodec::encode(sText, format);
    if (!encoded.ok()) {
        FileError error = FileError::fromErrno(EILSEQ);
        error.description = TextFileTexts::tr("The text holds %1, which %2 cannot store")
                                .arg(TextCodec::codePointName(sText, encoded.error().at),
                                     TextCodec::encodingName(format.encoding));
        return error;
    }
    if (std::optional<FileError> error = FileBytes::write(sFile, encoded->bytes, target))
        return *error;
    format.strayBytes = encoded->strayBytes;
    return TextFileWritten{format};
}

} // namespace Tools
