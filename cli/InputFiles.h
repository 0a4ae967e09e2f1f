#pragma once

#include "cli/CliRequest.h"

#include <QByteArray>

#include <functional>

class CliOutput;

/// One input of a run: standard input, a file named on the command line, or a file found
/// in a folder.
struct InputFile {
    /// The path as the system's bytes; empty for standard input.
    QByteArray path;
    bool standardInput = false;
    bool foundInFolder = false;
    /// For a file found in a folder: the folder also holds the backup of an unfinished save
    /// of it, so that the file need not be looked up again to find out.
    bool backupBeside = false;

    /// How results name the input: its path, or "(standard input)".
    QByteArray shownName() const;
    /// How messages name the input: its path in quotes, or "standard input".
    QByteArray quotedName() const;
};

/// Calls visit for each input of request in order: standard input for "-" or when no file is
/// named, each named file as it is, and with `recursive` each regular file under a named
/// folder (the current folder when none is named), sorted by name within a folder, without
/// following symbolic links. A folder named without `recursive`, or one that cannot be
/// listed, is reported to output as an error and the others are still visited. The entries
/// of a folder are told apart by what the listing says of them, so that a file found in one
/// is looked up only where the listing does not say.
void forEachInput(const CliRequest& request, const std::function<void(const InputFile&)>& visit,
                  CliOutput& output);
