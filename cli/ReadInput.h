#pragma once

#include "cli/InputFiles.h"
#include "platform/FileError.h"
#include "platform/Result.h"

#include <QByteArray>

#include <optional>

/// Why an input could not be read, as a message that names it.
struct ReadFailure {
    QByteArray message;
};

/// The most bytes an input may have: the engine searches at most 2^31 - 1 UTF-16 code units,
/// and UTF-8 takes at most three bytes for one of them (and three more for a byte-order mark).
inline constexpr qint64 kMaxInputBytes = 3 * qint64(INT32_MAX) + 3;

/// The failure to read input for the reason error, worded as readInput words it.
ReadFailure readFailure(const InputFile& input, const FileError& error);

/// The whole content of input. A larger input than kMaxInputBytes, or one too large for
/// the memory there is, is a failure with a message that says so, never an abort.
Result<QByteArray, ReadFailure> readInput(const InputFile& input);

/// Nothing when input names a regular file (or a link to one), the only kind that can be
/// written back in place, or names nothing (the read then says why); a failure otherwise.
/// Nothing is opened, so a pipe never blocks.
std::optional<ReadFailure> checkRegularFile(const InputFile& input);

/// When a save of input was cut short: a message naming the backup that holds its text from
/// before that save, worded as the refusal to write the file back when `inPlace`, else as a
/// warning; nothing when there is no such backup.
std::optional<QByteArray> unfinishedSaveMessage(const InputFile& input, bool inPlace);
