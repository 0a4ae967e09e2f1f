#include "textex/Utf16Positions.h"

#include <Qsci/qsciscintillabase.h>

#include <QByteArray>

#include <algorithm>

void Utf16Positions::enable(QsciScintillaBase& editor)
{
    editor.SendScintilla(QsciScintillaBase::SCI_SETCODEPAGE, QsciScintillaBase::SC_CP_UTF8);
    editor.SendScintilla(QsciScintillaBase::SCI_ALLOCATELINECHARACTERINDEX,
                         QsciScintillaBase::SC_LINECHARACTERINDEX_UTF16);
}

long Utf16Positions::length() const
{
    return toUtf16(mEditor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
}

long Utf16Positions::toUtf16(long nBytes) const
{
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
