// The Search Text written from UTF-8, as replacements and Undo write it: the editor takes the
// bytes as they are, and no UTF-16 copy of a large text is made on the way.

#include "app/frmSifta.h"

#include "busy/BusyPointer.h"
#include "search/LineBreaks.h"
#include "textex/TextEx.h"

bool frmSifta::setDocumentUtf8(const QByteArray& utf8)
{
    TextEx* document = mControls.txtDocument;
    // A line may be too long to show quickly only when it has that many bytes; such a text
    // goes the way of any text, which tells the user why the window waits.
    if (utf8.size() > document->SlowLineLength() && longestLineLength(utf8) > document->SlowLineLength())
        return setDocumentText(QString::fromUtf8(utf8));
    const BusyPointer busy(utf8.size() >= kLargeTextLength);
    return document->setUtf8Text(utf8);
}
