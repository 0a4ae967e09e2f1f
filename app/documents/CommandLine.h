#pragma once

#include <QString>
#include <QStringList>

/// What the command line of sifta asks for: "sifta [--] [FILE]", "sifta --help" or
/// "sifta --version". Every argument is the program's own, so a file may be named like
/// an option of the toolkit ("-reverse", "-style"); the toolkit takes its settings from
/// its environment variables instead.
struct CommandLine {
    enum class Action { OpenWindow, ShowHelp, ShowVersion, Refuse };

    Action action = Action::OpenWindow;
    /// The document to open at start, as a full path; empty for none.
    QString file;
    /// For Refuse: what is wrong, in a sentence.
    QString error;

    friend bool operator==(const CommandLine&, const CommandLine&) = default;
};

/// Reads `arguments`, the program's own name first; a relative FILE is taken from
/// `currentFolder`. Before "--", "--help", "-h" and "--version" are options and any other
/// argument that starts with "--" is refused as unknown; every other argument is the
/// FILE, and a second one is refused. An empty argument names no file.
CommandLine parseCommandLine(const QStringList& arguments, const QString& currentFolder);

/// What "sifta --help" prints.
QString commandLineHelp();
