#pragma once

#include "regex/RegExp.h"
#include "testcases/TestCaseFile.h"

#include <QString>

#include <atomic>
#include <optional>
#include <vector>

/// How one test case came out.
struct CaseOutcome {
    bool passed = false;
    /// The component failed on the text (a runaway pattern, say), so the case could not be
    /// decided; it counts as failed.
    bool error = false;
    /// What the pattern did, when the case failed: "no match", the first match it should not
    /// have found, the text Replace All gave, or the component's message.
    QString got;

    friend bool operator==(const CaseOutcome&, const CaseOutcome&) = default;
};

/// How every case of a suite came out.
struct SuiteOutcome {
    /// The pattern's message when it does not compile; every case has failed then.
    QString patternError;
    std::vector<CaseOutcome> cases;

    qsizetype passedCount() const;
    /// Some case could not be decided, or the pattern does not compile.
    bool hasError() const;
};

/// The expression of suite as the window runs it: its pattern and Ignore Case, Global and
/// Multiline on, and case conversion when the suite asks for it.
RegExp suiteExpression(const TestSuite& suite);

/// Checks testCase with expression (which compiles) and the suite's replacement: a match
/// anywhere in the text, none, or Replace All's result equal to the expected text.
CaseOutcome checkCase(const RegExp& expression, const QString& replacement, const TestCase& testCase,
                      const std::atomic_bool* cancel = nullptr);

/// Checks every case of suite. Once cancel is raised the cases not yet checked are left out.
SuiteOutcome checkSuite(const TestSuite& suite, const std::atomic_bool* cancel = nullptr);

/// "7 of 8 pass".
QString summaryText(const SuiteOutcome& outcome);

/// One line that says how testCase failed: what it expected and what it got, texts quoted
/// with their line breaks, tabs, quotes and backslashes escaped.
QString failureText(const TestCase& testCase, const CaseOutcome& outcome);
