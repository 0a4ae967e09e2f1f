#pragma once

#include <QString>

/// Finds the places of one literal text in UTF-16 text: a vector scan for two of its code units
/// (the ones least common in ordinary text) at their distance, then a comparison of the whole.
class LiteralFinder {
public:
    /// literal must not be empty.
    explicit LiteralFinder(const QString& literal);

    /// The first place at or after from where the literal starts, or -1 when there is none.
    qsizetype find(const char16_t* text, qsizetype length, qsizetype from) const;

    qsizetype size() const { return mLiteral.size(); }

private:
    bool matchesAt(const char16_t* text, qsizetype at) const;

    QString mLiteral;
    /// The two code units the scan looks for, and where they stand in the literal.
    qsizetype mFirst = 0;
    qsizetype mSecond = 0;
};
