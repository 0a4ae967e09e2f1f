#pragma once

#include <QString>

#include <random>
#include <vector>

/// A random pattern of the flavour, written twice: as a user types it, and for JavaScript's
/// RegExp without the m flag, with the intended differences of the flavour spelled out: '.'
/// excludes only CR and LF, \s and \S know six white-space characters, and under Multiline "^"
/// and "$" take CR, LF and CR LF as one line break each.
struct RandomPattern {
    QString flavour;
    QString javascript;
    bool ignoreCase = false;
    bool multiline = false;
    int groups = 0;
    /// For group j (index j - 1): it stands inside an atom repeated more than once, where
    /// JavaScript forgets its text at each repetition and the flavour keeps it.
    std::vector<bool> repeatedGroups;
    /// A back-reference reads such a group, so the two may match differently.
    bool readsKeptCapture = false;
    /// The code units the pattern names, for texts that match.
    QString alphabet;
};

/// Makes random patterns and texts from a seed: lazy and greedy quantifiers on atoms that can
/// match empty, back-references to groups that may take no part (forward ones too), sets with
/// code units above U+00FF, astral characters, and letters whose case maps beyond ASCII.
class PatternGenerator {
public:
    explicit PatternGenerator(quint32 seed) : mRandom(seed) {}

    RandomPattern pattern();
    QString text(const RandomPattern& pattern);

private:
    struct Out {
        QString flavour;
        QString javascript;
        void add(const QString& both) { flavour += both; javascript += both; }
    };

    bool chance(int percent);
    int number(int below);
    char16_t character();
    void disjunction(Out& out, int depth);
    void term(Out& out, int depth);
    void atom(Out& out, int depth);
    void characterClass(Out& out);
    QString escaped(char16_t c);

    std::mt19937 mRandom;
    RandomPattern mPattern;
    std::vector<int> mReferences;
};
