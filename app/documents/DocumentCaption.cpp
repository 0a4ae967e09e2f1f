#include "documents/DocumentCaption.h"

#include "platform/Tools.h"

QString documentCaption(const QString& sFileName, bool bDirty)
{
    const QString marker = bDirty ? QStringLiteral("*") : QString();
    return marker + Tools::GetFileName(sFileName) + QStringLiteral(" - Siftwell");
}
