#include "debugger/PatternAmbiguity.h"

#include "regex/PatternTranslator.h"

#include <QCoreApplication>

#include <bitset>
#include <optional>
#include <set>

namespace {

struct DebuggerTexts {
    Q_DECLARE_TR_FUNCTIONS(DebuggerTexts)
};

/// The characters that can start a match, coarsely: every code unit below 256 on its own,
/// all those above as one.
struct Starts {
    std::bitset<256> low;
    bool high = false;

    void add(char16_t c)
    {
        if (c < 256)
            low.set(c);
        else
            high = true;
    }
    void add(const Starts& other)
    {
        low |= other.low;
        high = high || other.high;
    }
    bool meets(const Starts& other) const { return (low & other.low).any() || (high && other.high); }
};

struct Node {
    enum Type { Set, Empty, Group, Repeat };
    Type type = Empty;
    qsizetype offset = 0;
    qsizetype length = 0;
    Starts starts;                 ///< Set
    std::optional<char16_t> literal; ///< a Set of one character
    bool unbounded = false;        ///< Repeat
    bool optional = false;         ///< Repeat with minimum 0
    /// Group: alternatives, each a sequence; Repeat: one sequence of the one atom.
    std::vector<std::vector<Node>> alternatives;
};

Starts letterSet(char16_t letter)
{
    Starts set;
    const auto range = [&set](char16_t low, char16_t high) {
        for (char16_t c = low; c <= high; ++c)
            set.add(c);
    };
    switch (letter | 0x20) {
    case 'd': range('0', '9'); break;
    case 'w': range('0', '9'); range('A', 'Z'); range('a', 'z'); set.add('_'); break;
    default: for (char16_t c : u" \t\r\n\v\f") if (c) set.add(c); break;
    }
    if (letter >= 'A' && letter <= 'Z') {
        set.low.flip();
        set.high = true;
    }
    return set;
}

/// Builds the tree of the parts the translator read.
class TreeReader {
public:
    TreeReader(const QString& pattern, const std::vector<PatternPart>& parts, bool ignoreCase)
        : mPattern(pattern), mParts(parts), mIgnoreCase(ignoreCase)
    {
    }

    std::vector<std::vector<Node>> alternatives()
    {
        std::vector<std::vector<Node>> found(1);
        while (mAt < mParts.size() && mParts[mAt].kind != PatternPart::GroupEnd) {
            if (mParts[mAt].kind == PatternPart::Alternation) {
                ++mAt;
                found.emplace_back();
                continue;
            }
            Node atom = readAtom();
            if (mAt < mParts.size() && mParts[mAt].kind == PatternPart::Quantifier) {
                const PatternPart& q = mParts[mAt++];
                Node repeat;
                repeat.type = Node::Repeat;
                repeat.offset = atom.offset;
                repeat.length = q.offset + q.length - atom.offset;
                repeat.unbounded = !q.max;
                repeat.optional = q.min == 0;
                repeat.alternatives.push_back({std::move(atom)});
                atom = std::move(repeat);
            }
            found.back().push_back(std::move(atom));
        }
        return found;
    }

private:
    void addCharacter(Starts& set, char16_t c) const
    {
        set.add(c);
        if (mIgnoreCase && ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'))
            set.add(char16_t(c ^ 0x20));
    }

    Node readAtom()
    {
        const PatternPart& part = mParts[mAt++];
        Node node;
        node.offset = part.offset;
        node.length = part.length;
        switch (part.kind) {
        case PatternPart::Character:
            node.type = Node::Set;
            addCharacter(node.starts, part.character);
            node.literal = mIgnoreCase ? char16_t(QChar(part.character).toLower().unicode()) : part.character;
            break;
        case PatternPart::AnyCharacter:
            node.type = Node::Set;
            node.starts.low.set();
            node.starts.low.reset('\r');
            node.starts.low.reset('\n');
            node.starts.high = true;
            break;
        case PatternPart::CharacterSet:
            node.type = Node::Set;
            node.starts = letterSet(mPattern.at(part.offset + 1).unicode());
            break;
        case PatternPart::ClassStart:
            node.type = Node::Set;
            readClass(node, part.negated);
            break;
        case PatternPart::GroupStart:
            node.type = Node::Group;
            node.alternatives = alternatives();
            if (mAt < mParts.size()) // its end
                node.length = mParts[mAt].offset + 1 - node.offset, ++mAt;
            // What a lookahead matches is no part of an iteration's text.
            if (part.group == PatternPart::Lookahead || part.group == PatternPart::NegativeLookahead)
                node = Node{Node::Empty, node.offset, node.length, {}, {}, false, false, {}};
            break;
        default: // anchors and back-references
            break;
        }
        return node;
    }

    void readClass(Node& node, bool negated)
    {
        Starts set;
        while (mAt < mParts.size() && mParts[mAt].kind != PatternPart::ClassEnd) {
            const PatternPart& member = mParts[mAt++];
            if (member.kind == PatternPart::ClassRange)
                for (char32_t c = member.character; c <= member.high; ++c)
                    addCharacter(set, char16_t(c));
            else if (member.kind == PatternPart::CharacterSet)
                set.add(letterSet(mPattern.at(member.offset + 1).unicode()));
            else
                addCharacter(set, member.character);
        }
        if (mAt < mParts.size())
            node.length = mParts[mAt++].offset + 1 - node.offset;
        if (negated) {
            set.low.flip();
            set.high = true;
        }
        node.starts = set;
    }

    const QString& mPattern;
    const std::vector<PatternPart>& mParts;
    const bool mIgnoreCase;
    std::size_t mAt = 0;
};

bool nullable(const Node& node);

bool nullable(const std::vector<Node>& sequence)
{
    for (const Node& node : sequence)
        if (!nullable(node))
            return false;
    return true;
}

bool nullable(const Node& node)
{
    switch (node.type) {
    case Node::Set: return false;
    case Node::Empty: return true;
    case Node::Repeat: return node.optional || nullable(node.alternatives.front());
    case Node::Group:
        for (const auto& alternative : node.alternatives)
            if (nullable(alternative))
                return true;
        return false;
    }
    return true;
}

Starts starts(const Node& node);

Starts starts(const std::vector<Node>& sequence)
{
    Starts found;
    for (const Node& node : sequence) {
        found.add(starts(node));
        if (!nullable(node))
            break;
    }
    return found;
}

Starts starts(const Node& node)
{
    if (node.type == Node::Set)
        return node.starts;
    Starts found;
    for (const auto& alternative : node.alternatives)
        found.add(starts(alternative));
    return found;
}

/// The node repeats without bound, or holds such a repeat that nothing else of its
/// sequence has to match: one iteration of a repeat around it can be split into several.
bool loops(const Node& node)
{
    if (node.type == Node::Repeat && node.unbounded)
        return true;
    if (node.type != Node::Group && node.type != Node::Repeat)
        return false;
    for (const auto& sequence : node.alternatives)
        for (std::size_t i = 0; i < sequence.size(); ++i) {
            if (!loops(sequence[i]))
                continue;
            bool restNullable = true;
            for (std::size_t k = 0; k < sequence.size(); ++k)
                restNullable = restNullable && (k == i || nullable(sequence[k]));
            if (restNullable)
                return true;
        }
    return false;
}

/// Two repeats without bound that can take the same characters, with nothing that has to
/// match between them.
bool adjacentLoops(const std::vector<Node>& sequence)
{
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        if (!loops(sequence[i]))
            continue;
        for (std::size_t k = i + 1; k < sequence.size(); ++k) {
            if (loops(sequence[k]) && starts(sequence[i]).meets(starts(sequence[k])))
                return true;
            if (!nullable(sequence[k]))
                break;
        }
    }
    return false;
}

/// The text of a sequence of plain characters; nothing for any other sequence.
std::optional<QString> literalText(const std::vector<Node>& sequence)
{
    QString text;
    for (const Node& node : sequence) {
        if (!node.literal)
            return std::nullopt;
        text += QChar(*node.literal);
    }
    return text;
}

/// Whether some text is a sequence of the words in two ways (Sardinas and Patterson's test).
bool ambiguousCode(const std::vector<QString>& words)
{
    const std::set<QString> code(words.begin(), words.end());
    if (code.size() < words.size())
        return true;
    // The rests of one word after another that starts it.
    auto rests = [](const std::set<QString>& a, const std::set<QString>& b) {
        std::set<QString> found;
        for (const QString& x : a)
            for (const QString& y : b)
                if (y.size() > x.size() && y.startsWith(x))
                    found.insert(y.mid(x.size()));
        return found;
    };
    std::set<QString> seen;
    std::set<QString> current = rests(code, code);
    while (!current.empty()) {
        for (const QString& rest : current)
            if (code.contains(rest))
                return true;
        std::set<QString> next = rests(code, current);
        next.merge(rests(current, code));
        std::erase_if(next, [&seen](const QString& rest) { return seen.contains(rest); });
        seen.insert(next.begin(), next.end());
        current = std::move(next);
    }
    return false;
}

bool overlappingAlternatives(const Node& group)
{
    const auto& alternatives = group.alternatives;
    if (alternatives.size() < 2)
        return false;
    std::vector<QString> words;
    for (const auto& alternative : alternatives) {
        const std::optional<QString> text = literalText(alternative);
        if (!text || text->isEmpty())
            break;
        words.push_back(*text);
    }
    if (words.size() == alternatives.size())
        return ambiguousCode(words);
    for (std::size_t i = 0; i < alternatives.size(); ++i)
        for (std::size_t k = i + 1; k < alternatives.size(); ++k)
            if (starts(alternatives[i]).meets(starts(alternatives[k])))
                return true;
    return false;
}

void inspect(const std::vector<Node>& sequence, std::vector<AmbiguityWarning>& warnings);

void inspect(const Node& node, std::vector<AmbiguityWarning>& warnings)
{
    if (node.type == Node::Repeat && node.unbounded) {
        const Node& atom = node.alternatives.front().front();
        std::optional<AmbiguityWarning::Kind> kind;
        if (loops(atom) && atom.type != Node::Repeat)
            kind = AmbiguityWarning::NestedRepeat;
        else if (atom.type == Node::Group) {
            for (const auto& sequence : atom.alternatives)
                if (adjacentLoops(sequence))
                    kind = AmbiguityWarning::NestedRepeat;
            if (!kind && overlappingAlternatives(atom))
                kind = AmbiguityWarning::OverlappingAlternatives;
        }
        if (kind) {
            warnings.push_back({*kind, node.offset, node.length});
            return; // one warning for the outermost repeat
        }
    }
    for (const auto& sequence : node.alternatives)
        inspect(sequence, warnings);
}

void inspect(const std::vector<Node>& sequence, std::vector<AmbiguityWarning>& warnings)
{
    for (const Node& node : sequence)
        inspect(node, warnings);
}

} // namespace

QString AmbiguityWarning::text() const
{
    return kind == NestedRepeat
        ? DebuggerTexts::tr("A repeat inside a repeat: the same text can be split among the iterations in many "
                            "ways, and a search that fails near it tries them all.")
        : DebuggerTexts::tr("Repeated alternatives that can match the same text: a search that fails near it tries "
                            "every way of combining them.");
}

std::vector<AmbiguityWarning> findAmbiguity(const QString& pattern, bool ignoreCase)
{
    std::vector<PatternPart> parts;
    if (!translatePattern(pattern, ignoreCase, true, &parts))
        return {};
    TreeReader reader(pattern, parts, ignoreCase);
    Node top;
    top.type = Node::Group;
    top.alternatives = reader.alternatives();
    std::vector<AmbiguityWarning> warnings;
    inspect(top, warnings);
    return warnings;
}
