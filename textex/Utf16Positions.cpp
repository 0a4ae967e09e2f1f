#include "textex/Utf16Positions.h"

#include "textex/TextExBox.h"
#include "textex/Utf16Blocks.h"

#include <Qsci/qsciscintillabase.h>

#include <QByteArray>

#include <algorithm>

Utf16Positions::Utf16Positions(const QsciScintillaBase& editor)
    : mEditor(editor)
{
    if (const auto* box = qobject_cast<const TextExBox*>(&editor))
        mBlocks = box->writtenTextBlocks();
}

void Utf16Positions::enable(QsciScintillaBase& editor)
{
    editor.SendScintilla(QsciScintillaBase::SCI_SETCODEPAGE, QsciScintillaBase::SC_CP_UTF8);
    editor.SendScintilla(QsciScintillaBase::SCI_ALLOCATELINECHARACTERINDEX,
                         QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16);
}

// Reading the text as one run moves the editor's gap to its end, where a text written
// whole and not edited since has it already.
QByteArrayView Utf16Positions::text() const
{
    const long bytes = mEditor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    return {static_cast<const char*>(mEditor.SendScintillaPtrResult(QsciScintillaBase::SCI_GETCHARACTERPOINTER)),
            bytes};
}

long Utf16Positions::length() const
{
    if (mBlocks)
        return static_cast<long>(mBlocks->length());
    return toUtf16(mEditor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
}

long Utf16Positions::toUtf16(long nBytes) const
{
    if (mBlocks)
        return static_cast<long>(mBlocks->toUtf16(text(), nBytes));
    const long line = mEditor.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, nBytes);
    const long lineStart = mEditor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    const long lineStartUtf16 = mEditor.SendScintilla(
        QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, line,
        static_cast<long>(QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16));
    return lineStartUtf16
        + mEditor.SendScintilla(QsciScintillaBase::SCI_COUNTCODEUNITS, lineStart, nBytes);
}

long Utf16Positions::toBytes(long nUtf16) const
{
    if (mBlocks)
        return static_cast<long>(mBlocks->toBytes(text(), nUtf16));
    if (nUtf16 <= 0)
        return 0;
    const long documentBytes = mEditor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    if (nUtf16 >= length())
        return documentBytes;

    const long line = mEditor.SendScintilla(
        QsciScintillaBase::SCI_LINEFROMINDEXPOSITION, nUtf16,
        static_cast<long>(QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16));
    const long lineStart = mEditor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
    long remaining = nUtf16
        - mEditor.SendScintilla(QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, line,
                                static_cast<long>(QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16));

    // No UTF-16 unit takes more than three bytes, so this many bytes of the line hold the
    // position; reading a range copies it without moving the document's gap.
    const long lineEnd = mEditor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line + 1);
    const long end = std::min(lineEnd < lineStart ? documentBytes : lineEnd,
                              lineStart + 3 * remaining + 3);
    QByteArray bytes(end - lineStart + 1, '\0');
    mEditor.SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, lineStart, end, bytes.data());

    long offset = 0;
    while (remaining > 0 && offset < end - lineStart) {
        const auto lead = static_cast<unsigned char>(bytes.at(static_cast<qsizetype>(offset)));
        const int sequence = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const int units = sequence == 4 ? 2 : 1;
        if (units > remaining)
            break;
        remaining -= units;
        offset += sequence;
    }
    return lineStart + offset;
}
