#include "platform/Tools.h"

#include "platform/FilePath.h"

#include <sys/stat.h>

namespace Tools {

bool FileExists(const QString& sFile)
{
    struct stat info {};
    return !sFile.isEmpty() && ::stat(FilePath::encode(sFile).constData(), &info) == 0 && !S_ISDIR(info.st_mode);
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
