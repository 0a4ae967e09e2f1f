// sifta-cli: the search component on the command line, for scripts and for checking
// patterns in bulk. Input bytes are decoded as the window decodes files.

#include "cli/CliRequest.h"
#include "cli/ReadInput.h"
#include "cli/RunCommand.h"
#include "platform/TextCodec.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Arguments are decoded like file content, so a pattern typed in a Latin-1 terminal
// still means the characters the user sees.
QStringList decodedArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << TextCodec::decode(QByteArrayView(argv[i], qsizetype(std::strlen(argv[i])))).text;
    return arguments;
}

void printError(const QString& message)
{
    std::fputs(("sifta-cli: " + message + '\n').toUtf8().constData(), stderr);
}

} // namespace

int main(int argc, char* argv[])
{
    const auto parsed = parseCommandLine(decodedArguments(argc, argv));
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        printError(usage->message);
        std::fputs(usageText().toUtf8().constData(), stderr);
        return ExitError;
    }
    const CliRequest& request = std::get<CliRequest>(parsed);

    const auto input = readInput(request.file);
    if (const auto* message = std::get_if<QString>(&input)) {
        printError(*message);
        return ExitError;
    }

    const int status = runCommand(request, TextCodec::decode(std::get<QByteArray>(input)), stdout, stderr);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        printError(QStringLiteral("cannot write standard output: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return ExitError;
    }
    return status;
}
