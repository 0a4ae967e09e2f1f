#pragma once

#include "regex/RegExpError.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

/// One part of a pattern in plain words, with the parts it holds.
struct ExplanationNode {
    enum Kind { Text, Escape, AnyCharacter, CharacterSet, Anchor, BackReference, Group, Alternative,
                Class, ClassMember, Repeat, Error };
    Kind kind = Text;
    QString description;
    /// Where the part stands in the pattern, in UTF-16 code units; -1 for an error the
    /// pattern has no place for. offset + length never exceeds the pattern's length.
    qsizetype offset = 0;
    qsizetype length = 0;
    std::vector<ExplanationNode> children;
};

/// A pattern read as the regular-expression component reads it (with Multiline on, as the
/// window searches), as a tree of its parts.
struct PatternExplanation {
    /// The top-level parts; for a pattern that does not compile, one Error node.
    std::vector<ExplanationNode> parts;
    /// Why the pattern does not compile; nothing when it does.
    std::optional<RegExpError> error;
    /// The message the window gives for the error (regExpErrorText), empty when there is none.
    QString errorText;
};

/// Explains pattern as the component compiles it under ignoreCase: the parts its translator
/// reads (consecutive plain characters form one Text part, a repeated atom sits inside its
/// Repeat part, a group's or the pattern's alternatives each get an Alternative part), or the
/// compile error with its place.
PatternExplanation explainPattern(const QString& pattern, bool ignoreCase);

/// The tree as lines: two spaces of indent per level, then "offset+length description".
QStringList explanationLines(const PatternExplanation& explanation);
