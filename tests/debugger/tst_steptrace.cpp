#include "debugger/StepTrace.h"

#include <QTest>

namespace {

std::shared_ptr<const StepTrace> traceOf(const QString& pattern, const QString& text, qsizetype first, qsizetype last,
                                         qsizetype maxSteps = StepTrace::kDefaultMaxSteps)
{
    RegExpResult<TracedPattern> compiled = TracedPattern::compile(pattern, false);
    if (!compiled)
        return nullptr;
    return StepTrace::record(std::make_shared<const TracedPattern>(std::move(compiled).value()), text, first, last,
                             maxSteps);
}

/// The steps as "position:part", the part as the pattern spells it, "!" for a backtrack and
/// "^" for a new start position; one space between steps.
QString stepsOf(const StepTrace& trace)
{
    QStringList steps;
    for (qsizetype i = 0; i < trace.size(); ++i) {
        const TraceStep step = trace.at(i);
        const TracedPart part = trace.pattern().parts()[std::size_t(step.part)];
        steps << QString::number(step.position) + u':' + trace.pattern().pattern().mid(part.offset, part.length)
                + QLatin1String(step.backtrack ? "!" : "") + QLatin1String(step.newStart ? "^" : "");
    }
    return steps.join(u' ');
}

/// The groups as "start-end", "-" for a group with none, one space between groups.
QString groupsOf(const std::vector<std::pair<qsizetype, qsizetype>>& groups)
{
    QStringList spans;
    for (const auto& [start, end] : groups)
        spans << (start < 0 ? QStringLiteral("-") : QString::number(start) + u'-' + QString::number(end));
    return spans.join(u' ');
}

} // namespace

class tst_StepTrace : public QObject {
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void stepLimit();
    void nextBacktrack();
};

void tst_StepTrace::steps_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("groups"); // at the last step
    QTest::addColumn<int>("matchStart");  // -1: no match

    // Worked by hand: the engine tries each item at the position it has reached; a failed
    // item sends it back to the last choice, or to the next start position. The step after
    // the whole pattern (empty part) is the match.
    QTest::newRow("literal found at the second start") << "ab" << "xab" << 0 << 3 << "0:a^ 1:a!^ 2:b 3:" << "" << 1;
    QTest::newRow("from a later start position") << "ab" << "abab" << 2 << 4 << "2:a^ 3:b 4:" << "" << 2;
    QTest::newRow("selected match: one start position only") << "b" << "ab" << 0 << 0 << "0:b^" << "" << -1;
    // a* takes every a at once, b fails, and a* gives nothing back that b could use.
    QTest::newRow("repeat then letter, no match") << "a*b" << "aac"
        << 0 << 3 << "0:a*^ 2:b 1:a*!^ 2:b 2:a*!^ 2:b 3:a*!^ 3:b" << "" << -1;
    // A step at | or ) is the end of an alternative that matched.
    QTest::newRow("repeated alternatives") << "(a|b)+c" << "abc"
        << 0 << 3 << "0:(^ 0:a 1:| 1:a 1:b! 2:)+ 2:a 2:b! 2:c! 3:" << "1-2" << 0;
    QTest::newRow("optional group left out") << "x(a)?y" << "xy" << 0 << 2 << "0:x^ 1:( 1:a 1:y! 2:" << "-" << 0;
    QTest::newRow("back-reference") << "(a)\\1" << "aa" << 0 << 2 << "0:(^ 0:a 1:) 1:\\1 2:" << "0-1" << 0;
}

void tst_StepTrace::steps()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QString, steps);
    QFETCH(QString, groups);
    QFETCH(int, matchStart);

    const auto trace = traceOf(pattern, text, first, last);
    QVERIFY(trace);
    QCOMPARE(stepsOf(*trace), steps);
    QCOMPARE(groupsOf(trace->groupsAt(trace->size() - 1)), groups);
    QCOMPARE(trace->outcome().end, matchStart < 0 ? TraceOutcome::End::NoMatch : TraceOutcome::End::Matched);
    QCOMPARE(trace->outcome().matchStart, matchStart);
}

void tst_StepTrace::stepLimit()
{
    // (a+)+b backtracks 2^n ways on n a's; the trace keeps only as many steps as allowed.
    const auto trace = traceOf(QStringLiteral("(a+)+b"), QString(30, u'a'), 0, 30, 1000);
    QCOMPARE(trace->size(), 1000);
    QCOMPARE(trace->outcome().end, TraceOutcome::End::Stopped);
    QVERIFY(!trace->cancelled());
}

void tst_StepTrace::nextBacktrack()
{
    const auto trace = traceOf(QStringLiteral("a*b"), QStringLiteral("aac"), 0, 3);
    QCOMPARE(trace->nextBacktrack(-1), 2);
    QCOMPARE(trace->nextBacktrack(2), 4);
    QCOMPARE(trace->nextBacktrack(6), -1);
}

QTEST_GUILESS_MAIN(tst_StepTrace)
#include "tst_steptrace.moc"
