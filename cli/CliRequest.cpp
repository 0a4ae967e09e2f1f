#include "cli/CliRequest.h"

namespace {

std::optional<CliRequest::Command> commandNamed(const QString& name)
{
    if (name == QLatin1String("count"))
        return CliRequest::Command::Count;
    if (name == QLatin1String("matches"))
        return CliRequest::Command::Matches;
    if (name == QLatin1String("replace"))
        return CliRequest::Command::Replace;
    return std::nullopt;
}

} // namespace

QString usageText()
{
    return QStringLiteral(
        "usage: sifta-cli count [-i] PATTERN [FILE]\n"
        "       sifta-cli matches [-i] PATTERN [FILE]\n"
        "       sifta-cli replace [-i] PATTERN REPLACEMENT [FILE]\n"
        "Reads FILE, or standard input without one. -i ignores case; \"--\" ends the options.\n"
        "Exit status: 0 found (replace: done), 1 no match, 2 error.\n");
}

std::variant<CliRequest, UsageError> parseCommandLine(const QStringList& arguments)
{
    if (arguments.isEmpty())
        return UsageError{QStringLiteral("no command given")};

    CliRequest request;
    const std::optional<CliRequest::Command> command = commandNamed(arguments.first());
    if (!command)
        return UsageError{QStringLiteral("unknown command '%1'").arg(arguments.first())};
    request.command = *command;

    qsizetype next = 1;
    for (; next < arguments.size(); ++next) {
        const QString& argument = arguments[next];
        if (argument == QLatin1String("--")) {
            ++next;
            break;
        }
        if (argument == QLatin1String("-i"))
            request.ignoreCase = true;
        else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1)
            return UsageError{QStringLiteral("unknown option '%1' (put \"--\" before a pattern that starts with \"-\")")
                                  .arg(argument)};
        else
            break;
    }

    const QStringList operands = arguments.mid(next);
    const bool replace = request.command == CliRequest::Command::Replace;
    const qsizetype required = replace ? 2 : 1;
    if (operands.size() < 1)
        return UsageError{QStringLiteral("missing PATTERN")};
    if (operands.size() < required)
        return UsageError{QStringLiteral("missing REPLACEMENT")};
    if (operands.size() > required + 1)
        return UsageError{QStringLiteral("too many arguments")};

    request.pattern = operands[0];
    if (replace)
        request.replacement = operands[1];
    if (operands.size() == required + 1)
        request.file = operands[required];
    return request;
}
