#include "FuzzChecks.h"
#include "FuzzInput.h"

#include "regex/RegExp.h"
#include "regex/ReplacementTemplate.h"

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

constexpr int kPatternErrors[] = {
    RegExpError::SyntaxError, RegExpError::UnexpectedQuantifier, RegExpError::ExpectedBracket,
    RegExpError::ExpectedParen, RegExpError::InvalidRange, RegExpError::PatternTooComplex,
};

bool isPatternError(int number)
{
    return std::find(std::begin(kPatternErrors), std::end(kPatternErrors), number) != std::end(kPatternErrors);
}

QString checkCompileError(const RegExp& expression, const RegExpError& error)
{
    if (!isPatternError(error.Number))
        return QStringLiteral("compiling gave error %1, which is no pattern error").arg(error.Number);
    if (error.Description.isEmpty())
        return QStringLiteral("error %1 has no description").arg(error.Number);
    if (error.Offset < -1 || error.Offset > expression.Pattern().size())
        return QStringLiteral("error offset %1 lies outside the pattern").arg(error.Offset);
    if (expression.GroupCount() != 0)
        return QStringLiteral("a pattern that does not compile has groups");
    const auto executed = expression.Execute(QStringLiteral("text"));
    if (executed.ok() || executed.error().Number != error.Number)
        return QStringLiteral("Execute does not report the compile error");
    return {};
}

bool inside(qsizetype start, qsizetype length, qsizetype textLength)
{
    return start >= 0 && length >= 0 && start + length <= textLength;
}

/// Matches in text order, each after the last (one code unit on after an empty one), inside
/// the text, with the values and sub-matches the offsets give.
QString checkMatches(const MatchCollection& matches, const QString& text, int groupCount)
{
    if (matches.GroupCount() != groupCount)
        return QStringLiteral("the collection has %1 groups, the pattern %2").arg(matches.GroupCount()).arg(groupCount);
    qsizetype from = 0;
    for (qsizetype i = 0; i < matches.Count(); ++i) {
        const Match match = matches.Item(i);
        if (!inside(match.FirstIndex(), match.Length(), text.size()) || match.FirstIndex() < from)
            return QStringLiteral("match %1 at %2, length %3, is out of place").arg(i).arg(match.FirstIndex()).arg(match.Length());
        if (match.Value() != QStringView(text).mid(match.FirstIndex(), match.Length()))
            return QStringLiteral("match %1 has a value its offsets do not give").arg(i);
        const SubMatches groups = match.SubMatches();
        if (groups.Count() != groupCount)
            return QStringLiteral("match %1 lists %2 sub-matches").arg(i).arg(groups.Count());
        for (int j = 0; j < groups.Count(); ++j) {
            const qsizetype start = groups.FirstIndex(j);
            const bool unset = start == -1 && groups.Length(j) == 0 && groups.Item(j).isEmpty();
            if (!unset && (!inside(start, groups.Length(j), text.size())
                           || groups.Item(j) != QStringView(text).mid(start, groups.Length(j))))
                return QStringLiteral("sub-match %1 of match %2 is out of place").arg(j).arg(i);
        }
        from = match.FirstIndex() + std::max<qsizetype>(match.Length(), 1);
    }
    return {};
}

/// What Replace must give: the text between matches, each match expanded by the template.
QString expectedReplacement(const MatchCollection& matches, const QString& text, const QString& replacement)
{
    const ReplacementTemplate expansion(replacement, matches.GroupCount());
    QString result;
    qsizetype copied = 0;
    std::vector<qsizetype> offsets;
    for (qsizetype i = 0; i < matches.Count(); ++i) {
        const Match match = matches.Item(i);
        const SubMatches groups = match.SubMatches();
        offsets = {match.FirstIndex(), match.FirstIndex() + match.Length()};
        for (int j = 0; j < groups.Count(); ++j) {
            const qsizetype start = groups.FirstIndex(j);
            offsets.insert(offsets.end(), {start, start < 0 ? -1 : start + groups.Length(j)});
        }
        result += QStringView(text).mid(copied, match.FirstIndex() - copied);
        expansion.expand(result, text, offsets);
        copied = match.FirstIndex() + match.Length();
    }
    result += QStringView(text).mid(copied);
    return result;
}

QString checkReplace(RegExp& expression, const MatchCollection& matches, const QString& text,
                     const QString& replacement, qsizetype limit)
{
    const auto itself = expression.Replace(text, QStringLiteral("$&"));
    if (!itself.ok() || itself.value() != text)
        return QStringLiteral("replacing every match with itself changed the text");

    const QString expected = expectedReplacement(matches, text, replacement);
    expression.setMaxResultLength(limit);
    const auto replaced = expression.Replace(text, replacement);
    if (expected.size() > limit) {
        if (replaced.ok() || replaced.error().Number != RegExpError::ResultTooLong)
            return QStringLiteral("a result of %1 code units passed the limit of %2").arg(expected.size()).arg(limit);
    } else if (!replaced.ok()) {
        return QStringLiteral("Replace failed with error %1 where Execute succeeded").arg(replaced.error().Number);
    } else if (replaced.value() != expected) {
        return QStringLiteral("Replace differs from the matches expanded one by one");
    }
    return {};
}

} // namespace

namespace FuzzChecks {

QString pattern(QByteArrayView data)
{
    FuzzInput input(data);
    const unsigned char flags = input.byte();
    const bool utf16 = flags & 4;
    const QString pattern = fuzzText(input.chunk(), utf16);
    const QString replacement = fuzzText(input.chunk(), utf16);
    QString text = fuzzText(input.rest(512), utf16);
    if (flags & 8)
        text.prepend(pattern.left(256));

    RegExp expression(pattern);
    expression.setIgnoreCase(flags & 1);
    expression.setMultiline(flags & 2);
    expression.setGlobal(true);
    if (const auto error = expression.Compile())
        return checkCompileError(expression, *error);

    const auto all = expression.Execute(text);
    if (!all.ok()) {
        if (all.error().Number != RegExpError::TooMuchBacktracking
            && all.error().Number != RegExpError::TooManyRepetitions)
            return QStringLiteral("Execute failed with error %1: %2").arg(all.error().Number).arg(all.error().Description);
        return {};
    }
    if (QString failure = checkMatches(all.value(), text, expression.GroupCount()); !failure.isEmpty())
        return failure;

    expression.setGlobal(false);
    const auto first = expression.Execute(text);
    if (!first.ok() || first->Count() != std::min<qsizetype>(all->Count(), 1)
        || (first->Count() == 1 && (first->Item(0).FirstIndex() != all->Item(0).FirstIndex()
                                    || first->Item(0).Length() != all->Item(0).Length())))
        return QStringLiteral("without Global the first match differs");
    expression.setGlobal(true);

    const std::atomic_bool cancel{true};
    if (!expression.Execute(text, &cancel).isCancelled())
        return QStringLiteral("a raised cancel flag did not cancel Execute");

    // Limits from none to around the result's own length, so both sides of it are tried.
    const qsizetype limits[] = {INT32_MAX, 0, text.size(), text.size() + (flags >> 6)};
    return checkReplace(expression, all.value(), text, replacement, limits[(flags >> 4) & 3]);
}

} // namespace FuzzChecks
