#pragma once

#include "documents/RememberedOptions.h"
#include "settings/IniText.h"

#include <QByteArray>
#include <QString>

/// Remembered options whose every text names `label`, so that a file holding a mix of two
/// such sets, or missing some of their keys, is told from a whole one.
inline RememberedOptions labelledOptions(const QString& label)
{
    RememberedOptions options;
    options.pattern = label;
    for (int i = 0; i < 20; ++i)
        options.history.append(label + u' ' + QString::number(i) + QString(100, u'.'));
    options.replaceWith = label;
    return options;
}

/// The label of the one whole set of labelled options that the INI `contents` hold, or
/// empty text when they hold a mix, miss a key or keep an entry beyond the history.
inline QString labelOf(const QByteArray& contents)
{
    const auto value = [&contents](const QString& key) {
        return IniText::findValue(contents, u"Settings", key).value_or(QStringLiteral("<missing>"));
    };
    const RememberedOptions options = labelledOptions(value(QStringLiteral("Pattern")));
    for (qsizetype i = 0; i < options.history.size(); ++i) {
        if (value(QStringLiteral("Pattern%1").arg(i)) != options.history[i])
            return {};
    }
    if (IniText::findValue(contents, u"Settings", u"Pattern20") || value(QStringLiteral("Replace")) != options.pattern)
        return {};
    for (const char* key : {"SaveToINI", "IgnoreCase", "WordWrap", "ProportionalFont", "ShowSyntax", "HighlightMatches"}) {
        if (!IniText::findValue(contents, u"Settings", QString::fromLatin1(key)))
            return {};
    }
    return options.pattern;
}
