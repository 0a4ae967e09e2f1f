#include "textex/DisplayLines.h"

#include <Qsci/qsciscintillabase.h>

DisplayLines::DisplayLines(const QsciScintillaBase& editor)
    : mEditor(editor)
    , mWrapping(editor.SendScintilla(QsciScintillaBase::SCI_GETWRAPMODE) != QsciScintillaBase::SC_WRAP_NONE)
{
    // The editor wraps lines lazily, in the background. Making the last line visible has
    // it wrap every line still pending, so that the numbers below are exact; lines already
    // wrapped are not laid out again. Laying out costs tens of microseconds a line, so a
    // long text is not wrapped at once: its numbers count lines not yet wrapped as one
    // until the background wrapping reaches them.
    const long lines = editor.SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
    if (mWrapping && lines <= kLinesWrappedAtOnce)
        editor.SendScintilla(QsciScintillaBase::SCI_ENSUREVISIBLE, lines - 1);
}

long DisplayLines::count() const
{
    const long lastLine = mEditor.SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT) - 1;
    if (!mWrapping)
        return lastLine + 1;
    return mEditor.SendScintilla(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, lastLine)
        + mEditor.SendScintilla(QsciScintillaBase::SCI_WRAPCOUNT, lastLine);
}

long DisplayLines::lineFromPosition(long nBytes) const
{
    const long docLine = mEditor.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, nBytes);
    if (!mWrapping)
        return docLine;
    return mEditor.SendScintilla(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, docLine)
        + subLineOf(docLine, nBytes);
}

long DisplayLines::lineStart(long nLine) const
{
    if (!mWrapping)
        return mEditor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, nLine);
    const long docLine = mEditor.SendScintilla(QsciScintillaBase::SCI_DOCLINEFROMVISIBLE, nLine);
    const long subLine = nLine - mEditor.SendScintilla(QsciScintillaBase::SCI_VISIBLEFROMDOCLINE, docLine);
    return subLineStart(docLine, subLine);
}

long DisplayLines::lineEnd(long nBytes) const
{
    const long docLine = mEditor.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, nBytes);
    const long logicalEnd = mEditor.SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, docLine);
    if (!mWrapping)
        return logicalEnd;
    const long next = subLineOf(docLine, nBytes) + 1;
    if (next >= mEditor.SendScintilla(QsciScintillaBase::SCI_WRAPCOUNT, docLine))
        return logicalEnd;
    return subLineStart(docLine, next);
}

// The wrapped line a position lies on, from its vertical offset below the line's start.
long DisplayLines::subLineOf(long docLine, long nBytes) const
{
    const long lineStart = mEditor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, docLine);
    if (nBytes <= lineStart)
        return 0;
    const long top = mEditor.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, lineStart);
    const long y = mEditor.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, nBytes);
    const long height = mEditor.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, docLine);
    return height > 0 ? (y - top) / height : 0;
}

// The first position of wrapped line subLine: a binary search for the first byte whose
// character lies on that line or a later one. Such a byte always starts its character.
long DisplayLines::subLineStart(long docLine, long subLine) const
{
    long low = mEditor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, docLine);
    if (subLine <= 0)
        return low;
    long high = mEditor.SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, docLine);
    while (low < high) {
        const long middle = low + (high - low) / 2;
        const long characterStart = mEditor.SendScintilla(QsciScintillaBase::SCI_POSITIONBEFORE, middle + 1);
        if (subLineOf(docLine, characterStart) >= subLine)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}
