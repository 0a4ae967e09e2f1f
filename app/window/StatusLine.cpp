#include "window/StatusLine.h"

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

QString encodingText(const TextFormat& format, const QLocale& locale)
{
    QString text = TextCodec::encodingName(format.encoding);
    if (format.strayBytes > 0)
        return text + QStringLiteral(", ")
            + countText(format.strayBytes, QStringLiteral("stray byte"), QStringLiteral("stray bytes"), locale);
    if (format.encoding == TextEncoding::Utf8)
        return format.byteOrderMark ? text + QStringLiteral(" with BOM") : QString();
    return text;
}

QString encodingToolTip(const TextFormat& format, const QLocale& locale)
{
    if (format.strayBytes > 0)
        return QStringLiteral("The file is UTF-8 but for %1 that %2 not; each shows as xNN and is saved back as "
                              "that byte. A pattern finds one as \\uEFNN.")
            .arg(countText(format.strayBytes, QStringLiteral("byte"), QStringLiteral("bytes"), locale),
                 format.strayBytes == 1 ? QStringLiteral("is") : QStringLiteral("are"));
    if (encodingText(format, locale).isEmpty())
        return {};
    return QStringLiteral("The file is saved back in %1, as it was read.").arg(encodingText(format, locale));
}
