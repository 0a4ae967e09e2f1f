#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>


/// What one run of sifta-cli is asked to do.
struct CliRequest {
    enum class Command { Count, Matches, Lines, Replace, Test, Help, Version };
    enum class Color { Auto, Always, Never };

    Command command = Command::Count;
    bool ignoreCase = false;
    /// Searches the files in the folders named by `files`.
    bool recursive = false;
    /// Also searches files found in folders that look binary.
    bool binaryFiles = false;
    /// Replace writes each file back instead of writing to standard output.
    bool inPlace = false;
    /// Replace writes a result that the input's encoding cannot store as UTF-8, instead of
    /// refusing it.
    bool toUtf8 = false;
    /// Replace reads the case sequences \U \L \u \l \E in the replacement.
    bool caseConversion = false;
    Color color = Color::Auto;
    /// How many files are searched at once; 0 for one per processor core.
    int threads = 0;
    QString pattern;
    /// Only for Command::Replace.
    QString replacement;
    /// The FILE operands (for Command::Test the test-case files) as the system's bytes, "-" for standard input; empty for
    /// standard input alone (the current folder with `recursive`).
    QList<QByteArray> files;
};

/// A command line that names no valid request; the message says what is wrong.
struct UsageError {
    QString message;
};

/// The full help, printed by --help.
QString helpText();

/// The line printed by --version.
QString versionText();

/// Parses the arguments after the program name, as the system's bytes: a command, options
/// anywhere before "--" (short ones may be grouped, as in -ir), the pattern (or -e PATTERN),
/// the replacement for replace, and the files. The pattern and the replacement must be valid
/// UTF-8; the file names are kept as they are.
Result<CliRequest, UsageError> parseCommandLine(const QList<QByteArray>& arguments);
