#include "platform/Tools.h"

#include <QFileInfo>

namespace Tools {

bool FileExists(const QString& sFile)
{
    if (sFile.isEmpty())
        return false;
    const QFileInfo info(sFile);
    return info.exists() && !info.isDir();
}

QString GetFileName(const QString& sPath)
{
    return sPath.mid(sPath.lastIndexOf(QLatin1Char('/')) + 1);
}

QString GetFileExtension(const QString& sPath)
{
    const QString name = GetFileName(sPath);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.mid(dot + 1) : QString();
}

QString StripNull(const QString& sText)
{
    const qsizetype nul = sText.indexOf(QChar(u'\0'));
    return nul < 0 ? sText : sText.left(nul);
}

} // namespace Tools
