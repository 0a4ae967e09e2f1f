#include "platform/CommonDialog.h"

#include "platform/Tools.h"

namespace CommonDialog {

namespace {

constexpr QChar kNull(u'\0');

QString toQtPatterns(const QString& pattern)
{
    QStringList patterns;
    for (const QString& piece : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = piece.trimmed();
        patterns.append(trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    patterns.removeAll(QString());
    return patterns.isEmpty() ? QStringLiteral("*") : patterns.join(QLatin1Char(' '));
}

} // namespace

QString ShowOpen(IFileDialog& dialog, const QString& sTitle, const QString& sInitPath,
                 const QString& sFilter, quint32 lFlags, bool& bReadOnly)
{
    return ShowFileDialog(dialog, sTitle, sInitPath, sFilter, lFlags, bReadOnly, false);
}

QString ShowSave(IFileDialog& dialog, const QString& sTitle, const QString& sInitPath,
                 const QString& sFilter, quint32 lFlags)
{
    bool readOnly = false;
    return ShowFileDialog(dialog, sTitle, sInitPath, sFilter, lFlags, readOnly, true);
}

QString ShowFileDialog(IFileDialog& dialog, const QString& sTitle, const QString& sInitPath,
                       const QString& sFilter, quint32 lFlags, bool& bReadOnly, bool bSave)
{
    const QString filter = CompleteFilter(sFilter);
    const auto choice =
        dialog.run({bSave, sTitle, sInitPath, ToQtNameFilters(filter), lFlags});
    if (!choice)
        return {};

    QString path = Tools::StripNull(choice->path);
    // The filter's extension completes a name still to be created; a file the user
    // picked to open keeps the name it has.
    const bool nameToComplete = bSave || !Tools::FileExists(path);
    if (!path.isEmpty() && nameToComplete && Tools::GetFileExtension(path).isEmpty()) {
        const QString extension = GetFilterExtension(filter, choice->filterIndex);
        if (!extension.isEmpty() && extension != QLatin1String("*"))
            path += QLatin1Char('.') + extension;
    }
    bReadOnly = choice->readOnly;
    return path;
}

QString CompleteFilter(const QString& sFilter)
{
    QString filter = sFilter;
    filter += sFilter.endsWith(QLatin1Char('|')) ? QStringLiteral("|") : QStringLiteral("||");
    filter.replace(QLatin1Char('|'), kNull);
    return filter;
}

QString GetFilterExtension(const QString& sFilter, int nIndex)
{
    const QStringList pieces = sFilter.split(kNull);
    const qsizetype pattern = 2 * qsizetype(nIndex) - 1;
    if (nIndex < 1 || pattern >= pieces.size())
        return {};
    return Tools::GetFileExtension(pieces[pattern]);
}

QStringList ToQtNameFilters(const QString& sFilter)
{
    const QStringList pieces = sFilter.split(kNull);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < pieces.size() && !pieces[i].isEmpty(); i += 2) {
        const QString& description = pieces[i];
        const QString& pattern = pieces[i + 1];
        const QString patterns = toQtPatterns(pattern);
        // Qt reads the patterns from the parentheses at the end of the entry, so a
        // description that already shows them there is not given a second copy.
        const QString shown = QLatin1Char('(') + pattern + QLatin1Char(')');
        if (!pattern.isEmpty() && description.endsWith(shown))
            filters.append(description.chopped(shown.size()) + QLatin1Char('(') + patterns
                           + QLatin1Char(')'));
        else
            filters.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

} // namespace CommonDialog
