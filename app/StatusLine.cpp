#include "app/StatusLine.h"

QString statusLineText(qint64 line, qint64 column, qint64 length, const QLocale& locale)
{
    return QStringLiteral("Line: ") + locale.toString(line) + QStringLiteral("    Col: ")
        + locale.toString(column) + QStringLiteral("    Len: ") + locale.toString(length);
}
