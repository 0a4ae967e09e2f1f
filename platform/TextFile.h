#pragma once

#include "platform/FileBytes.h"
#include "platform/FileError.h"
#include "platform/Result.h"
#include "platform/TextCodec.h"

#include <QString>


/// Document files: the text and nothing else, read and written whole, with no
/// line-end translation, in the encoding the text was read in.
namespace Tools {

/// A file that was written.
struct TextFileWritten {
    /// The format the file now has: the requested one, with the stray bytes it now holds.
    /// The document keeps it for its next save.
    TextFormat format;
};

/// The decoded text and the encoding to write it back in, or the error that stopped the read.
using TextFileRead = Result<DecodedText, FileError>;
/// What was written, or the error that stopped the write; the file at the path is then as it was.
using TextFileWrite = Result<TextFileWritten, FileError>;

/// Reads the whole file `sFile` and decodes it. A path that names no file is an error
/// like any other read error, and creates nothing. A text that would take more than
/// `nMaxUtf8` bytes in UTF-8 is the error EFBIG, found from the file's size before any
/// reading where the file has one (allowing for the encoding its first bytes show).
/// `cancel` stops the read, and running out of memory is the error ENOMEM (see
/// `FileBytes::read`).
TextFileRead ReadTextFile(const QString& sFile, qint64 nMaxUtf8 = FileBytes::kNoLimit,
                          const std::atomic_bool* cancel = nullptr);

/// Writes `sText` as the whole file `sFile` in `format`, replacing any old file safely
/// (see `FileBytes::write`). A text that holds a character `format` cannot store is the
/// error EILSEQ, naming that character, and nothing is written: it is never written with
/// substitute bytes or in another encoding.
TextFileWrite WriteTextFile(const QString& sFile, const QString& sText, TextFormat format,
                            FileBytes::Target target = FileBytes::Target::NewOrExisting);

} // namespace Tools
