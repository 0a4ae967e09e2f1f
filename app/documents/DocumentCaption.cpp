#include "documents/DocumentCaption.h"

#include "documents/DocumentWindow.h"
#include "platform/Tools.h"

#include <QCoreApplication>

namespace {

struct DocumentCaptionTexts {
    Q_DECLARE_TR_FUNCTIONS(DocumentCaptionTexts)
};

} // namespace

QString documentCaption(const QString& sFileName, bool bDirty)
{
    const QString marker = bDirty ? QStringLiteral("*") : QString();
    // A document without a file is named in the user's language; a file keeps its name.
    const QString name = sFileName == kUntitled ? DocumentCaptionTexts::tr("Untitled") : Tools::GetFileName(sFileName);
    return marker + name + QStringLiteral(" - Siftwell");
}
