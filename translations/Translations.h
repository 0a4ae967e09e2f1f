#pragma once

#include <QString>

class QCoreApplication;
class QLocale;

/// Installs into `app` Sifta's translation for the first of `locale`'s user-interface languages
/// that it has one for, together with Qt's own texts in that language (the buttons and captions
/// of its standard dialogs) from Qt's translations folder. Returns the language installed ("de"),
/// or an empty text when no translation fits and the window stays in English.
QString installTranslations(QCoreApplication& app, const QLocale& locale);
