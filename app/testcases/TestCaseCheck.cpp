#include "testcases/TestCaseCheck.h"

#include "regex/RegExpErrorText.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

/// The messages of the test cases; sifta-cli, which installs no translation, shows them in English.
struct TestCaseTexts {
    Q_DECLARE_TR_FUNCTIONS(TestCaseTexts)
};

/// Longest part of a match a failing case shows.
constexpr qsizetype kShownMatch = 60;

QString quoted(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\\': out += QStringLiteral("\\\\"); break;
        default: out += c;
        }
    }
    return out + u'"';
}

CaseOutcome failed(const QString& got)
{
    return CaseOutcome{false, false, got};
}

CaseOutcome componentFailed(const RegExpError& error)
{
    return CaseOutcome{false, true, regExpErrorText(error)};
}

} // namespace

qsizetype SuiteOutcome::passedCount() const
{
    return std::count_if(cases.begin(), cases.end(), [](const CaseOutcome& outcome) { return outcome.passed; });
}

bool SuiteOutcome::hasError() const
{
    return !patternError.isEmpty()
        || std::any_of(cases.begin(), cases.end(), [](const CaseOutcome& outcome) { return outcome.error; });
}

RegExp suiteExpression(const TestSuite& suite)
{
    RegExp expression(suite.pattern);
    expression.setIgnoreCase(suite.ignoreCase);
    expression.setGlobal(true);
    expression.setMultiline(true);
    expression.setCaseConversion(suite.caseConversion ? CaseConversion::On : CaseConversion::Off);
    return expression;
}

CaseOutcome checkCase(const RegExp& expression, const QString& replacement, const TestCase& testCase,
                      const std::atomic_bool* cancel)
{
    if (testCase.expectation == Expectation::ReplaceGives) {
        const RegExpResult<QString> result = expression.Replace(testCase.text, replacement, cancel);
        if (!result)
            return componentFailed(result.error());
        if (result.value() == testCase.expected)
            return CaseOutcome{true, false, {}};
        return failed(result.value());
    }
    RegExp first = expression;
    first.setGlobal(false);
    const RegExpResult<MatchCollection> matches = first.Execute(testCase.text, cancel);
    if (!matches)
        return componentFailed(matches.error());
    const bool found = matches.value().Count() > 0;
    if (found == (testCase.expectation == Expectation::Match))
        return CaseOutcome{true, false, {}};
    if (!found)
        return failed(TestCaseTexts::tr("no match"));
    const Match match = matches.value().Item(0);
    const QString value = match.Value();
    return failed(TestCaseTexts::tr("a match at %1: %2%3")
                      .arg(match.FirstIndex())
                      .arg(quoted(value.left(kShownMatch)), value.size() > kShownMatch ? QStringLiteral("...")
                                                                                       : QString()));
}

SuiteOutcome checkSuite(const TestSuite& suite, const std::atomic_bool* cancel)
{
    SuiteOutcome outcome;
    const RegExp expression = suiteExpression(suite);
    if (const std::optional<RegExpError> error = expression.Compile()) {
        outcome.patternError = regExpErrorText(*error);
        outcome.cases.assign(suite.cases.size(), CaseOutcome{false, true, outcome.patternError});
        return outcome;
    }
    for (const TestCase& testCase : suite.cases) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            break;
        outcome.cases.push_back(checkCase(expression, suite.replacement, testCase, cancel));
    }
    return outcome;
}

QString summaryText(const SuiteOutcome& outcome)
{
    return TestCaseTexts::tr("%1 of %2 pass").arg(outcome.passedCount()).arg(outcome.cases.size());
}

QString failureText(const TestCase& testCase, const CaseOutcome& outcome)
{
    if (outcome.error)
        return outcome.got;
    switch (testCase.expectation) {
    case Expectation::Match:
        return TestCaseTexts::tr("expected a match, got no match");
    case Expectation::NoMatch:
        return TestCaseTexts::tr("expected no match, got %1").arg(outcome.got);
    case Expectation::ReplaceGives:
        return TestCaseTexts::tr("expected %1, got %2").arg(quoted(testCase.expected), quoted(outcome.got));
    }
    Q_UNREACHABLE();
}
