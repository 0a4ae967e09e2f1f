#pragma once

#include <QLocale>
#include <QString>

/// The context of every counted text; lupdate finds each as QT_TRANSLATE_N_NOOP("Count", "...").
inline constexpr char kCountContext[] = "Count";

/// `source`, a text with a plural form in which "%1" stands for the number, in the form that
/// `count` needs in the installed language, "%1" written as `locale` writes numbers:
/// "%1 match(es)" gives "1 match", "0 matches", "12,345 matches". The English plural forms
/// are installed with the application, so English needs no translation of its own.
QString countText(const char* source, qint64 count, const QLocale& locale = QLocale());
