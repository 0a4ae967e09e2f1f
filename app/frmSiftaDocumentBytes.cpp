// The Search Text written from UTF-8, as replacements and Undo write it: the editor takes the
// bytes as they are, and no UTF-16 copy of a large text is made on the way.

#include "app/frmSifta.h"

#include "busy/BusyPointer.h"
#include "search/LineBreaks.h"
#include "textex/TextEx.h"

std::optional<QByteArray> frmSifta::swapDocumentUtf8(const QByteArray& utf8)
{
    TextEx* document = mControls.txtDocument;
    // A line may be too long to show quickly only when it has that many bytes; such a text
    // goes the way of any text, which tells the user why the window waits.
    if (utf8.size() > document->SlowLineLength() && longestLineLength(utf8) > document->SlowLineLength()) {
        QByteArray replaced = document->Text().toUtf8();
        if (!setDocumentText(QString::fromUtf8(utf8)))
            return std::nullopt;
        return replaced;
    }
    const BusyPointer busy(utf8.size() >= kLargeTextLength);
    QByteArray replaced;
    if (!document->setUtf8Text(utf8, &replaced))
        return std::nullopt;
    return replaced;
}
