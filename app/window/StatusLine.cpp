#include "window/StatusLine.h"

#include "translations/CountText.h"

#include <QCoreApplication>

namespace {

struct StatusLine {
    Q_DECLARE_TR_FUNCTIONS(StatusLine)
};

} // namespace

QString statusLineText(qint64 line, qint64 column, qint64 length, const QLocale& locale)
{
    return StatusLine::tr("Line: %1    Col: %2    Len: %3")
        .arg(locale.toString(line), locale.toString(column), locale.toString(length));
}

QString matchCountText(qint64 count, const QLocale& locale)
{
    return countText(QT_TRANSLATE_N_NOOP("Count", "%1 match(es)"), count, locale);
}

QString countingText()
{
    return StatusLine::tr("Counting...");
}

QString wrapNoticeText(bool backward)
{
    return backward ? StatusLine::tr("Wrapped around to the end") : StatusLine::tr("Wrapped around to the start");
}

QString longLineNoticeText(qint64 length, const QLocale& locale)
{
    return countText(QT_TRANSLATE_N_NOOP("Count", "A line of %1 character(s) is slow to show and scroll: the Search "
                                                  "Text lays out a whole line at once"),
                     length, locale);
}

QString encodingText(const TextFormat& format, const QLocale& locale)
{
    const QString text = TextCodec::encodingName(format.encoding);
    if (format.strayBytes > 0) {
        const QString strayBytes = countText(QT_TRANSLATE_N_NOOP("Count", "%1 stray byte(s)"), format.strayBytes, locale);
        return StatusLine::tr("%1, %2").arg(text, strayBytes);
    }
    if (format.encoding == TextEncoding::Utf8)
        return format.byteOrderMark ? StatusLine::tr("%1 with BOM").arg(text) : QString();
    return text;
}

QString encodingToolTip(const TextFormat& format, const QLocale& locale)
{
    if (format.strayBytes > 0)
        return countText(QT_TRANSLATE_N_NOOP("Count", "The file is UTF-8 but for %1 byte(s) that are not; each shows "
                                                      "as xNN and is saved back as that byte. A pattern finds one as "
                                                      "\\uEFNN."),
                         format.strayBytes, locale);
    if (encodingText(format, locale).isEmpty())
        return {};
    return StatusLine::tr("The file is saved back in %1, as it was read.").arg(encodingText(format, locale));
}
