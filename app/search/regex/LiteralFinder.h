#pragma once

#include <QString>

/// Finds the places of one literal text in UTF-16 text: a vector scan for two of its code units
/// (the ones least common in ordinary text) at their distance, then a comparison of the whole.
/// When caseless, an ASCII letter of the literal also matches its other case.
class LiteralFinder {
public:
    /// literal must not be empty.
    explicit LiteralFinder(const QString& literal, bool caseless = false);

    /// The first place at or after from where the literal starts, or -1 when there is none.
    qsizetype find(const char16_t* text, qsizetype length, qsizetype from) const;

    qsizetype size() const { return mLiteral.size(); }

private:
    bool matchesAt(const char16_t* text, qsizetype at) const;

    /// The literal, its ASCII letters in lower case when caseless.
    QString mLiteral;
    /// Per code unit of the literal: 0x20 where an ASCII letter may be in either case (set into
    /// the text's code unit before comparing), else 0.
    QString mCaseBits;
    /// The two code units the scan looks for, and where they stand in the literal.
    qsizetype mFirst = 0;
    qsizetype mSecond = 0;
};
