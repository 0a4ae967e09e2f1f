#include "documents/CommandLine.h"

#include <QDir>

namespace {

CommandLine refuse(const QString& error)
{
    return {CommandLine::Action::Refuse, {}, error};
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments, const QString& currentFolder)
{
    QStringList files;
    bool options = true;
    for (const QString& argument : arguments.mid(1)) {
        if (options && argument == QLatin1String("--")) {
            options = false;
            continue;
        }
        if (options && (argument == QLatin1String("--help") || argument == QLatin1String("-h")))
            return {CommandLine::Action::ShowHelp, {}, {}};
        if (options && argument == QLatin1String("--version"))
            return {CommandLine::Action::ShowVersion, {}, {}};
        if (options && argument.startsWith(QLatin1String("--")))
            return refuse(QStringLiteral("unknown option '%1' (put \"--\" before a file name that starts with \"-\")")
                              .arg(argument));
        files.append(argument);
    }
    if (files.size() > 1)
        return refuse(QStringLiteral("only one FILE can be opened, '%1' is a second one").arg(files.at(1)));

    CommandLine request;
    if (!files.isEmpty() && !files.first().isEmpty())
        request.file = QDir(currentFolder).absoluteFilePath(files.first());
    return request;
}

QString commandLineHelp()
{
    return QStringLiteral(
        "Usage: sifta [--] [FILE]\n"
        "       sifta --help | --version\n"
        "Opens the window for searching and editing a text with regular expressions,\n"
        "with FILE as the document. \"--\" ends the options, so that FILE may start with \"-\".\n"
        "\n"
        "  -h, --help     print this help and exit\n"
        "      --version  print the version and exit\n");
}
