#include "cli/RunTests.h"

#include "cli/CliOutput.h"
#include "cli/InputFiles.h"
#include "cli/ReadInput.h"
#include "cli/RunCommand.h"
#include "testcases/TestCaseCheck.h"

namespace {

/// Checks the cases of one file; false when it holds a failing case.
bool runFile(const InputFile& input, CliOutput& output)
{
    const Result<QByteArray, ReadFailure> bytes = readInput(input);
    if (!bytes) {
        output.error(bytes.error().message);
        return true;
    }
    const QByteArray name = input.shownName();
    const Result<TestSuite, TestCaseFileError> suite = readTestSuite(bytes.value());
    if (!suite) {
        output.error(name + ": " + suite.error().message.toUtf8());
        return true;
    }
    const SuiteOutcome outcome = checkSuite(suite.value());
    if (!outcome.patternError.isEmpty()) {
        output.error(name + ": the pattern: " + outcome.patternError.toUtf8());
        return true;
    }
    bool passed = true;
    for (std::size_t i = 0; i < outcome.cases.size(); ++i) {
        const CaseOutcome& result = outcome.cases[i];
        if (result.passed)
            continue;
        const QByteArray line = name + ": case " + QByteArray::number(qulonglong(i + 1)) + ": "
                              + failureText(suite->cases[i], result).toUtf8();
        if (result.error) {
            output.error(line);
        } else {
            output.write(line + '\n');
            passed = false;
        }
    }
    return passed;
}

} // namespace

int runTests(const CliRequest& request, CliOutput& output)
{
    bool passed = true;
    forEachInput(request, [&](const InputFile& input) { passed = runFile(input, output) && passed; }, output);
    if (output.failed())
        return ExitError;
    return passed ? ExitFound : ExitNoMatch;
}
