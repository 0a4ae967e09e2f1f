#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QString>

#include <vector>

/// What a test case expects of the pattern in its text.
enum class Expectation {
    Match,      ///< the pattern matches somewhere in the text
    NoMatch,    ///< the pattern matches nowhere in the text
    ReplaceGives, ///< Replace All over the text gives `expected`
};

/// One sample text and what the pattern must do with it.
struct TestCase {
    QString text;
    Expectation expectation = Expectation::Match;
    /// The text Replace All must give; only for Expectation::ReplaceGives.
    QString expected;

    friend bool operator==(const TestCase&, const TestCase&) = default;
};

/// A pattern with its options and its test cases, as a test-case file holds them.
struct TestSuite {
    QString pattern;
    bool ignoreCase = false;
    /// The Replace With text of the cases that expect a replacement.
    QString replacement;
    /// The replacement reads the case sequences \U \L \u \l \E.
    bool caseConversion = false;
    std::vector<TestCase> cases;

    friend bool operator==(const TestSuite&, const TestSuite&) = default;
};

/// The format version that writeTestSuite writes and the newest that readTestSuite reads.
inline constexpr int kTestCaseFormatVersion = 1;

/// Why a test-case file could not be read: a message that names the place in the file.
struct TestCaseFileError {
    QString message;
};

/// The JSON text of suite: an object with "format": "sifta-test-cases", "version", "pattern",
/// "ignoreCase", "replacement", "caseConversion" and "cases", each case an object with "text",
/// "expect" ("match", "no match" or "replace") and, for "replace", "result". UTF-8, indented.
QByteArray writeTestSuite(const TestSuite& suite);

/// The suite in json, as writeTestSuite writes it. "ignoreCase", "replacement" and
/// "caseConversion" may be left out (false, empty, false); names it does not know are
/// ignored, so a later version may add some. Fails on text that is not JSON, a file of
/// another format or of a newer version, a missing or mistyped value, with a message that
/// says which.
Result<TestSuite, TestCaseFileError> readTestSuite(const QByteArray& json);
