#include "translations/CountText.h"

#include <QCoreApplication>
#include <QTranslator>

namespace {

/// `count` as the int that the translator picks a plural form by. Counts beyond an int keep
/// their last nine digits, which are all that any language's plural rules look at, above 10^9.
int pluralNumber(qint64 count)
{
    constexpr qint64 kBillion = 1'000'000'000;
    return count < kBillion ? int(count) : int(kBillion + count % kBillion);
}

/// Installs the English plural forms as soon as the application object exists, under every
/// other translation, so that an untranslated counted text reads "1 match", never "1 match(es)".
void installEnglishPlurals()
{
    auto* plurals = new QTranslator(QCoreApplication::instance());
    if (plurals->load(QStringLiteral(":/i18n/sifta_en.qm")))
        QCoreApplication::installTranslator(plurals);
    else
        delete plurals;
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installEnglishPlurals)

QString countText(const char* source, qint64 count, const QLocale& locale)
{
    return QCoreApplication::translate(kCountContext, source, nullptr, pluralNumber(count))
        .arg(locale.toString(count));
}
