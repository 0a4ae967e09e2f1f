#include "cli/ReadInput.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

std::variant<QByteArray, QString> readInput(const std::optional<QString>& file)
{
    QFile input;
    bool opened = false;
    if (file) {
        // A folder opens on some systems and then reads as empty; it is no text.
        if (QFileInfo(*file).isDir())
            return QStringLiteral("cannot read '%1': it is a folder").arg(*file);
        input.setFileName(*file);
        opened = input.open(QIODevice::ReadOnly);
    } else {
        opened = input.open(stdin, QIODevice::ReadOnly);
    }
    const QString name = file ? QStringLiteral("'%1'").arg(*file) : QStringLiteral("standard input");
    if (!opened)
        return QStringLiteral("cannot read %1: %2").arg(name, input.errorString());
    QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError)
        return QStringLiteral("cannot read %1: %2").arg(name, input.errorString());
    return bytes;
}
