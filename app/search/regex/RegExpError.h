#pragma once

#include <QString>

/// A failure of the regular-expression component: a pattern that does not compile,
/// a search that hit a resource limit, a result that would be too long, or a cancelled run.
struct RegExpError {
    int Number = 0;
    QString Description;
    /// Offset in the pattern (UTF-16 code units) where the problem was found, else -1.
    qsizetype Offset = -1;

    // Pattern errors, numbered as the original component numbers them.
    static constexpr int SyntaxError = 5017;           ///< "Syntax error in regular expression"
    static constexpr int UnexpectedQuantifier = 5018;  ///< "Unexpected quantifier"
    static constexpr int ExpectedBracket = 5019;       ///< "Expected ']' in regular expression"
    static constexpr int ExpectedParen = 5020;         ///< "Expected ')' in regular expression"
    static constexpr int InvalidRange = 5021;          ///< "Invalid range in character set"

    // Failures of our own, outside the range the original component uses.
    static constexpr int TooMuchBacktracking = 5040;   ///< match limit or search budget reached on this text
    static constexpr int PatternTooComplex = 5041;     ///< valid pattern beyond the engine's limits (e.g. a{70000})
    static constexpr int ResultTooLong = 5042;         ///< Replace result longer than the maximum length
    static constexpr int Cancelled = 5043;             ///< the caller's cancel flag was raised
    static constexpr int TextTooLong = 5044;           ///< the searched text exceeds the 32-bit position range
    static constexpr int InternalError = 5045;         ///< unexpected engine failure (a bug)
    static constexpr int TooManyRepetitions = 5046;    ///< the repetitions a match holds open outgrow its memory

    /// The fixed description for one of the numbers above.
    static QString describe(int number);
    /// An error with the fixed description of number.
    static RegExpError make(int number, qsizetype offset = -1);
};
