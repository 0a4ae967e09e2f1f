#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

/// What one run of sifta-cli is asked to do.
struct CliRequest {
    enum class Command { Count, Matches, Replace };

    Command command = Command::Count;
    bool ignoreCase = false;
    QString pattern;
    /// Only for Command::Replace.
    QString replacement;
    /// The file to read; standard input when absent.
    std::optional<QString> file;
};

/// A command line that names no valid request; the message says what is wrong.
struct UsageError {
    QString message;
};

/// The usage summary printed with every usage error.
QString usageText();

/// Parses the arguments after the program name:
/// count [-i] PATTERN [FILE], matches [-i] PATTERN [FILE], replace [-i] PATTERN REPLACEMENT [FILE].
/// "--" ends the options, so that a pattern may start with "-".
std::variant<CliRequest, UsageError> parseCommandLine(const QStringList& arguments);
