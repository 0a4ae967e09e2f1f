#pragma once

#include <QByteArray>
#include <QList>

class CliOutput;

/// Runs sifta-cli with the arguments after the program name, as the system's bytes: a usage
/// error is reported with a hint to --help, --help and --version print their text, and any
/// other command runs over its inputs. `colorTerminal` says whether results go to a terminal
/// that shows colours, which --color=auto follows. Returns the exit status.
int runCommandLine(const QList<QByteArray>& arguments, bool colorTerminal, CliOutput& output);
