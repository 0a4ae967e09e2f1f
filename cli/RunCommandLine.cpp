#include "cli/RunCommandLine.h"

#include "cli/CliOutput.h"
#include "cli/CliRequest.h"
#include "cli/RunCommand.h"
#include "cli/RunTests.h"

int runCommandLine(const QList<QByteArray>& arguments, bool colorTerminal, CliOutput& output)
{
    const Result<CliRequest, UsageError> parsed = parseCommandLine(arguments);
    if (!parsed) {
        output.error(parsed.error().message.toUtf8());
        output.note("'sifta-cli --help' shows the commands and options");
        return ExitError;
    }
    const CliRequest& request = parsed.value();
    if (request.command == CliRequest::Command::Help) {
        output.write(helpText().toUtf8());
        return ExitFound;
    }
    if (request.command == CliRequest::Command::Version) {
        output.write(versionText().toUtf8());
        return ExitFound;
    }
    if (request.command == CliRequest::Command::Test)
        return runTests(request, output);
    const bool colorOutput =
        request.color == CliRequest::Color::Auto ? colorTerminal : request.color == CliRequest::Color::Always;
    return runCommand(request, colorOutput, output);
}
