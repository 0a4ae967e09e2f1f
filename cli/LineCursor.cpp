#include "cli/LineCursor.h"

LineCursor::LineCursor(QStringView text) : mText(text)
{
    findEnd();
}

void LineCursor::moveTo(qsizetype position)
{
    while (position >= mNextStart && !isLast())
        moveToNext();
}

void LineCursor::moveToNext()
{
    if (isLast())
        return;
    ++mNumber;
    mStart = mNextStart;
    findEnd();
}

void LineCursor::findEnd()
{
    const char16_t* data = mText.utf16();
    const qsizetype size = mText.size();
    qsizetype i = mStart;
    while (i < size && data[i] != u'\n' && data[i] != u'\r')
        ++i;
    mEnd = i;
    if (i == size)
        mNextStart = size + 1;
    else if (data[i] == u'\r' && i + 1 < size && data[i + 1] == u'\n')
        mNextStart = i + 2;
    else
        mNextStart = i + 1;
}
