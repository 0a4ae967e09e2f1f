#include "translations/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

const QString kResourceFolder = QStringLiteral(":/i18n");

/// Loads the first file prefix_<language>.qm in `folder` that fits `locale` and installs it.
std::unique_ptr<QTranslator> load(const QLocale& locale, const QString& prefix, const QString& folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, prefix, QStringLiteral("_"), folder))
        return nullptr;
    return translator;
}

} // namespace

QString installTranslations(QCoreApplication& app, const QLocale& locale)
{
    std::unique_ptr<QTranslator> own = load(locale, QStringLiteral("sifta"), kResourceFolder);
    // The English file holds only plural forms, which are installed on their own at start.
    if (!own || own->language().startsWith(QLatin1String("en")))
        return QString();

    const QString language = own->language();
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (std::unique_ptr<QTranslator> qt = load(locale, QStringLiteral("qtbase"), qtFolder)) {
        qt->setParent(&app);
        QCoreApplication::installTranslator(qt.release());
    }
    // Installed last, so Sifta's own texts win over Qt's where both have one.
    own->setParent(&app);
    QCoreApplication::installTranslator(own.release());
    return language;
}
