#include "regex/PatternExplanation.h"

#include "regex/PatternTranslator.h"
#include "regex/RegExp.h"
#include "regex/RegExpErrorText.h"

#include <QCoreApplication>
#include <QStringBuilder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

struct ExplainTexts {
    Q_DECLARE_TR_FUNCTIONS(ExplainTexts)
};

QString codePoint(char16_t c)
{
    return u"U+"_s + QString::number(c, 16).toUpper().rightJustified(4, u'0');
}

/// A character with its code: "'A' (U+0041)", "tab (U+0009)".
QString characterName(char16_t c)
{
    switch (c) {
    case 0x00: return ExplainTexts::tr("the null character (U+0000)");
    case 0x08: return ExplainTexts::tr("backspace (U+0008)");
    case 0x09: return ExplainTexts::tr("tab (U+0009)");
    case 0x0A: return ExplainTexts::tr("line feed (U+000A)");
    case 0x0B: return ExplainTexts::tr("vertical tab (U+000B)");
    case 0x0C: return ExplainTexts::tr("form feed (U+000C)");
    case 0x0D: return ExplainTexts::tr("carriage return (U+000D)");
    case 0x20: return ExplainTexts::tr("space (U+0020)");
    default: break;
    }
    if (QChar(c).isPrint())
        return u'\'' % QChar(c) % u"' (" % codePoint(c) % u')';
    return codePoint(c);
}

/// A character as typed: "'A'", or its name when it cannot be read as it is.
QString shown(char16_t c)
{
    if (QChar(c).isPrint() && c != ' ')
        return u'\'' % QChar(c) % u'\'';
    return characterName(c);
}

QString capitalized(const QString& text)
{
    return text.isEmpty() ? text : text.front().toUpper() + text.mid(1);
}

QString setDescription(QChar letter)
{
    switch (letter.unicode()) {
    case 'd': return ExplainTexts::tr("A digit (0-9)");
    case 'D': return ExplainTexts::tr("Any character but a digit");
    case 'w': return ExplainTexts::tr("A word character (a-z, A-Z, 0-9 or _)");
    case 'W': return ExplainTexts::tr("Any character but a word character");
    case 's': return ExplainTexts::tr("White space: a space, tab, line break, vertical tab or form feed");
    default: return ExplainTexts::tr("Any character but white space");
    }
}

QString anchorDescription(QStringView text)
{
    if (text == u"^")
        return ExplainTexts::tr("Start of a line: the start of the text or just after a line break");
    if (text == u"$")
        return ExplainTexts::tr("End of a line: the end of the text or just before a line break");
    if (text == u"\\b")
        return ExplainTexts::tr("Word boundary: between a word character (a-z, A-Z, 0-9 or _) and another character or either end of the text");
    return ExplainTexts::tr("Not a word boundary");
}

QString groupDescription(const PatternPart& part)
{
    switch (part.group) {
    case PatternPart::Capturing:
        return ExplainTexts::tr("Group %1 (capturing): its text becomes sub-match %1").arg(part.number);
    case PatternPart::NonCapturing: return ExplainTexts::tr("Non-capturing group: groups its parts without capturing");
    case PatternPart::Lookahead: return ExplainTexts::tr("Lookahead: the text ahead must match its parts; takes no text");
    case PatternPart::NegativeLookahead:
        return ExplainTexts::tr("Negative lookahead: the text ahead must not match its parts; takes no text");
    }
    return {};
}

QString exactlyDescription(quint64 n)
{
    switch (n) {
    case 0: return ExplainTexts::tr("Repeated exactly zero times");
    case 1: return ExplainTexts::tr("Repeated exactly once");
    default: return ExplainTexts::tr("Repeated exactly %1 times").arg(n);
    }
}

QString repeatDescription(const PatternPart& part)
{
    if (part.max == part.min) {
        const QString exactly = exactlyDescription(part.min);
        return part.lazy ? ExplainTexts::tr("%1 (the lazy mark changes nothing)").arg(exactly) : exactly;
    }
    if (part.min == 0 && part.max == quint64(1))
        return part.lazy ? ExplainTexts::tr("Optional: once or not at all, preferring not at all (lazy)")
                         : ExplainTexts::tr("Optional: once or not at all, preferring once (greedy)");
    QString bounds;
    if (part.max)
        bounds = ExplainTexts::tr("%1 to %2 times").arg(part.min).arg(*part.max);
    else if (part.min == 0)
        bounds = ExplainTexts::tr("zero or more times");
    else if (part.min == 1)
        bounds = ExplainTexts::tr("one or more times");
    else
        bounds = ExplainTexts::tr("%1 or more times").arg(part.min);
    return part.lazy ? ExplainTexts::tr("Repeated %1, as few times as possible (lazy)").arg(bounds)
                     : ExplainTexts::tr("Repeated %1, as many times as possible (greedy)").arg(bounds);
}

/// Builds the tree from the translator's parts, which come in pattern order.
class TreeBuilder {
public:
    TreeBuilder(const QString& pattern, int groupCount) : mPattern(pattern), mGroupCount(groupCount) {}

    std::vector<ExplanationNode> build(const std::vector<PatternPart>& parts)
    {
        mLevels.push_back(Level{{}, {{}}, {0}, false});
        for (const PatternPart& part : parts)
            add(part);
        Level root = std::move(mLevels.back());
        mLevels.pop_back();
        return close(root, mPattern.size());
    }

private:
    /// A node being built; a plain character keeps its text until it joins its neighbours.
    struct Item {
        ExplanationNode node;
        QString run;
    };

    /// An open group, class or the whole pattern, with its alternatives so far.
    struct Level {
        ExplanationNode node;
        std::vector<std::vector<Item>> alternatives;
        std::vector<qsizetype> starts;
        bool isClass = false;
    };

    static ExplanationNode node(ExplanationNode::Kind kind, const PatternPart& part, const QString& description)
    {
        return {kind, description, part.offset, part.length, {}};
    }

    std::vector<Item>& items() { return mLevels.back().alternatives.back(); }

    void append(ExplanationNode node, const QString& run = QString()) { items().push_back({std::move(node), run}); }

    void add(const PatternPart& part)
    {
        const QStringView text = QStringView(mPattern).mid(part.offset, part.length);
        const bool inClass = mLevels.back().isClass;
        switch (part.kind) {
        case PatternPart::GroupStart:
            mLevels.push_back(Level{node(ExplanationNode::Group, part, groupDescription(part)), {{}},
                                    {part.offset + part.length}, false});
            return;
        case PatternPart::ClassStart:
            mLevels.push_back(Level{node(ExplanationNode::Class, part,
                                         part.negated ? ExplainTexts::tr("Negated class: one character that is none of its members")
                                                      : ExplainTexts::tr("Class: one character from its members")),
                                    {{}}, {part.offset + part.length}, true});
            return;
        case PatternPart::GroupEnd:
        case PatternPart::ClassEnd: {
            Level level = std::move(mLevels.back());
            mLevels.pop_back();
            level.node.length = part.offset + part.length - level.node.offset;
            level.node.children = close(level, part.offset);
            append(std::move(level.node));
            return;
        }
        case PatternPart::Alternation:
            mLevels.back().alternatives.emplace_back();
            mLevels.back().starts.push_back(part.offset + part.length);
            return;
        case PatternPart::Quantifier: {
            Item repeated = std::move(items().back());
            items().pop_back();
            ExplanationNode repeat{ExplanationNode::Repeat, repeatDescription(part), repeated.node.offset,
                                   part.offset + part.length - repeated.node.offset, {}};
            repeat.children.push_back(finished(std::move(repeated)));
            append(std::move(repeat));
            return;
        }
        case PatternPart::Anchor:
            append(node(ExplanationNode::Anchor, part, anchorDescription(text)));
            return;
        case PatternPart::AnyCharacter:
            append(node(ExplanationNode::AnyCharacter, part, ExplainTexts::tr("Any character but a line break (carriage return or line feed)")));
            return;
        case PatternPart::CharacterSet:
            append(node(inClass ? ExplanationNode::ClassMember : ExplanationNode::CharacterSet, part,
                        setDescription(text.at(1))));
            return;
        case PatternPart::BackReference:
            append(node(ExplanationNode::BackReference, part,
                        part.pending ? ExplainTexts::tr("Back-reference to group %1, which has not closed here: matches empty text").arg(part.number)
                                     : ExplainTexts::tr("Back-reference to group %1: the text that group %1 matched").arg(part.number)));
            return;
        case PatternPart::ClassRange:
            append(node(ExplanationNode::ClassMember, part,
                        ExplainTexts::tr("Range: one character from %1 to %2").arg(shown(part.character), shown(part.high))));
            return;
        case PatternPart::Character:
            addCharacter(part, text, inClass);
            return;
        }
    }

    void addCharacter(const PatternPart& part, QStringView text, bool inClass)
    {
        const ExplanationNode::Kind kind = inClass ? ExplanationNode::ClassMember : ExplanationNode::Text;
        const bool plain = text.front() != u'\\';
        if (!plain) {
            if (const std::optional<QString> escape = escapeDescription(text, part.character, inClass)) {
                append(node(inClass ? kind : ExplanationNode::Escape, part, *escape));
                return;
            }
        }
        const QString description = ExplainTexts::tr("The character %1").arg(shown(part.character));
        if (!inClass && QChar(part.character).isPrint())
            append(node(kind, part, description), QString(QChar(part.character)));
        else
            append(node(kind, part, description));
    }

    /// What an escape stands for; nothing for an escaped character that stands for itself.
    std::optional<QString> escapeDescription(QStringView text, char16_t c, bool inClass) const
    {
        if (text.size() == 1)
            return ExplainTexts::tr("A backslash: \\c without a letter after it stands for a backslash");
        const char16_t letter = text.at(1).unicode();
        switch (letter) {
        case 'b': case 't': case 'n': case 'r': case 'f': case 'v':
            return capitalized(characterName(c));
        case 'x':
            if (text.size() == 4)
                return ExplainTexts::tr("Hex escape: %1").arg(characterName(c));
            return ExplainTexts::tr("The letter 'x': \\x without two hex digits after it");
        case 'u':
            if (text.size() == 6)
                return ExplainTexts::tr("Unicode escape: %1").arg(characterName(c));
            return ExplainTexts::tr("The letter 'u': \\u without four hex digits after it");
        case 'c':
            return ExplainTexts::tr("Control escape: %1").arg(characterName(c));
        default:
            break;
        }
        if (letter < '0' || letter > '9')
            return std::nullopt;
        QString why;
        if (inClass)
            why = ExplainTexts::tr("; a class has no back-references");
        else if (letter != '0')
            why = ExplainTexts::tr("; not a back-reference, as %1").arg(groupsPhrase());
        if (letter == '8' || letter == '9')
            return ExplainTexts::tr("The digit '%1'%2").arg(QChar(letter), why);
        return ExplainTexts::tr("Octal escape: %1%2").arg(characterName(c), why);
    }

    QString groupsPhrase() const
    {
        if (mGroupCount == 0)
            return ExplainTexts::tr("the pattern has no groups");
        if (mGroupCount == 1)
            return ExplainTexts::tr("the pattern has only 1 group");
        return ExplainTexts::tr("the pattern has only %1 groups").arg(mGroupCount);
    }

    static ExplanationNode finished(Item item)
    {
        if (item.run.size() > 1)
            item.node.description = ExplainTexts::tr("The text \"%1\"").arg(item.run);
        return std::move(item.node);
    }

    /// The parts of a finished level: its items with plain characters joined into runs, or one
    /// Alternative node per alternative.
    static std::vector<ExplanationNode> close(Level& level, qsizetype end)
    {
        const std::size_t count = level.alternatives.size();
        std::vector<ExplanationNode> parts;
        for (std::size_t i = 0; i < count; ++i) {
            std::vector<ExplanationNode> joined = joinRuns(level.alternatives[i]);
            if (count == 1)
                return joined;
            const qsizetype start = level.starts[i];
            const qsizetype stop = i + 1 < count ? level.starts[i + 1] - 1 : end;
            QString description = ExplainTexts::tr("Alternative %1 of %2").arg(i + 1).arg(count);
            if (joined.empty())
                description = ExplainTexts::tr("Alternative %1 of %2: empty, matches without taking any text")
                                  .arg(i + 1)
                                  .arg(count);
            parts.push_back({ExplanationNode::Alternative, description, start, stop - start, std::move(joined)});
        }
        return parts;
    }

    static std::vector<ExplanationNode> joinRuns(std::vector<Item>& items)
    {
        std::vector<Item> runs;
        for (Item& item : items) {
            if (!runs.empty() && !item.run.isEmpty() && !runs.back().run.isEmpty()) {
                Item& run = runs.back();
                run.run += item.run;
                run.node.length = item.node.offset + item.node.length - run.node.offset;
                continue;
            }
            runs.push_back(std::move(item));
        }
        std::vector<ExplanationNode> nodes;
        nodes.reserve(runs.size());
        for (Item& item : runs)
            nodes.push_back(finished(std::move(item)));
        return nodes;
    }

    const QString& mPattern;
    const int mGroupCount;
    std::vector<Level> mLevels;
};

void appendLines(QStringList& lines, const std::vector<ExplanationNode>& nodes, int depth)
{
    for (const ExplanationNode& node : nodes) {
        const QString place = node.offset < 0 ? u"-"_s : QString::number(node.offset) % u'+' % QString::number(node.length);
        lines.append(QString(depth * 2, u' ') % place % u' ' % node.description);
        appendLines(lines, node.children, depth + 1);
    }
}

} // namespace

PatternExplanation explainPattern(const QString& pattern, bool ignoreCase)
{
    PatternExplanation explanation;
    RegExp expression;
    expression.setMultiline(true);
    expression.setIgnoreCase(ignoreCase);
    expression.setPattern(pattern);
    if (std::optional<RegExpError> error = expression.Compile()) {
        ExplanationNode node{ExplanationNode::Error, regExpErrorText(*error), -1, 0, {}};
        if (error->Offset >= 0) {
            node.offset = std::min(error->Offset, pattern.size());
            node.length = node.offset < pattern.size() ? 1 : 0;
        }
        explanation.parts.push_back(node);
        explanation.errorText = node.description;
        explanation.error = std::move(error);
        return explanation;
    }
    std::vector<PatternPart> parts;
    const RegExpResult<TranslatedPattern> translated = translatePattern(pattern, ignoreCase, true, &parts);
    Q_ASSERT(translated.ok());
    explanation.parts = TreeBuilder(pattern, translated->groupCount).build(parts);
    return explanation;
}

QStringList explanationLines(const PatternExplanation& explanation)
{
    QStringList lines;
    appendLines(lines, explanation.parts, 0);
    return lines;
}
