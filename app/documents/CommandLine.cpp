#include "documents/CommandLine.h"

#include <QDir>

QString commandLineFile(const QStringList& arguments, const QString& currentFolder)
{
    if (arguments.size() < 2 || arguments[1].isEmpty())
        return {};
    return QDir(currentFolder).absoluteFilePath(arguments[1]);
}
