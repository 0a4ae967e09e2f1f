// sifta-cli: the search component on the command line, for scripts and for checking
// patterns in bulk. Input bytes are decoded as the window decodes files.

#include "cli/CliOutput.h"
#include "cli/RunCommand.h"
#include "cli/RunCommandLine.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unistd.h>

namespace {

// File names stay the system's bytes end to end; the pattern and the replacement are
// checked to be UTF-8 when they are parsed.
QList<QByteArray> arguments(int argc, char* argv[])
{
    QList<QByteArray> list;
    for (int i = 1; i < argc; ++i)
        list << QByteArray(argv[i]);
    return list;
}

// As grep decides: a terminal that is not "dumb", unless NO_COLOR is set to anything.
bool colorTerminal()
{
    const char* noColor = std::getenv("NO_COLOR");
    const char* term = std::getenv("TERM");
    return ::isatty(STDOUT_FILENO) && !(noColor && *noColor) && !(term && std::strcmp(term, "dumb") == 0);
}

} // namespace

int main(int argc, char* argv[])
{
    FileCliOutput output(stdout, stderr);
    int status = ExitError;
    try {
        status = runCommandLine(arguments(argc, argv), colorTerminal(), output);
    } catch (const std::bad_alloc&) {
        output.error("there is not enough memory");
        status = ExitError;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        output.error(QStringLiteral("cannot write standard output: %1").arg(QString::fromLocal8Bit(std::strerror(errno))).toUtf8());
        return ExitError;
    }
    return status;
}
