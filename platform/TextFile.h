#pragma once

#include "platform/FileBytes.h"
#include "platform/FileError.h"
#include "platform/Result.h"
#include "platform/TextCodec.h"

#include <QString>

#include <optional>

/// Document files: the text and nothing else, read and written whole, with no
/// line-end translation, in the encoding the text was read in.
namespace Tools {

/// A file that was written.
struct TextFileWritten {
    /// The encoding the file now has: the requested one, or UTF-8 (see below). The
    /// document keeps it for its next save.
    TextFormat format;
    /// Set to the requested encoding when the text held a character that encoding cannot
    /// store, so the text was encoded as UTF-8 instead.
    std::optional<TextEncoding> replacedEncoding;
};

/// The decoded text and the encoding to write it back in, or the error that stopped the read.
using TextFileRead = Result<DecodedText, FileError>;
/// What was written, or the error that stopped the write; the file at the path is then as it was.
using TextFileWrite = Result<TextFileWritten, FileError>;

/// Reads the whole file `sFile` and decodes it. A path that names no file is an error
/// like any other read error, and creates nothing. A text that would take more than
/// `nMaxUtf8` bytes in UTF-8 is the error EFBIG, found from the file's size before any
/// reading where the file has one (a byte-order mark does not count). `cancel` stops the
/// read, and running out of memory is the error ENOMEM (see `FileBytes::read`).
TextFileRead ReadTextFile(const QString& sFile, qint64 nMaxUtf8 = FileBytes::kNoLimit,
                          const std::atomic_bool* cancel = nullptr);

/// Writes `sText` as the whole file `sFile` in `format`, replacing any old file safely
/// (see `FileBytes::write`). A text that `format`'s encoding cannot store is written as
/// UTF-8 and reported in `replacedEncoding`; it is never written with substitute bytes.
TextFileWrite WriteTextFile(const QString& sFile, const QString& sText, TextFormat format,
                            FileBytes::Target target = FileBytes::Target::NewOrExisting);

/// The message that tells the user a file was saved as UTF-8 instead of `requested`.
QString ReplacedEncodingMessage(const QString& sFile, TextEncoding requested);

} // namespace Tools
