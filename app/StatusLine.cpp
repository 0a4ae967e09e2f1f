#include "app/StatusLine.h"

QString statusLineText(qint64 line, qint64 column, qint64 length, const QLocale& locale)
{
    return QStringLiteral("Line: ") + locale.toString(line) + QStringLiteral("    Col: ")
        + locale.toString(column) + QStringLiteral("    Len: ") + locale.toString(length);
}

QString countText(qint64 count, const QString& sOne, const QString& sMany, const QLocale& locale)
{
    return locale.toString(count) + QLatin1Char(' ') + (count == 1 ? sOne : sMany);
}

QString matchCountText(qint64 count, const QLocale& locale)
{
    return countText(count, QStringLiteral("match"), QStringLiteral("matches"), locale);
}

QString wrapNoticeText(bool backward)
{
    return backward ? QStringLiteral("Wrapped around to the end")
                    : QStringLiteral("Wrapped around to the start");
}

QString longLineNoticeText(qint64 length, const QLocale& locale)
{
    return QStringLiteral("A line of %1 is slow to show and scroll: the Search Text lays out a whole line at once")
        .arg(countText(length, QStringLiteral("character"), QStringLiteral("characters"), locale));
}
