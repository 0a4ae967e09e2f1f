#include "debugger/SlowPatternWatch.h"

#include "regex/RegExpError.h"
#include "regex/RegExpErrorText.h"

#include <QSignalSpy>
#include <QTest>

class tst_SlowPatternWatch : public QObject {
    Q_OBJECT
private slots:
    void statuses_data();
    void statuses();
    void countThatLasts();
};

void tst_SlowPatternWatch::statuses_data()
{
    QTest::addColumn<int>("error"); // the live search's error; 0 for a count
    QTest::addColumn<int>("slow");

    QTest::newRow("stopped at the backtracking budget") << RegExpError::TooMuchBacktracking << 1;
    QTest::newRow("out of memory for repetitions") << RegExpError::TooManyRepetitions << 0;
    QTest::newRow("syntax error") << RegExpError::SyntaxError << 0;
    QTest::newRow("counted") << 0 << 0;
}

void tst_SlowPatternWatch::statuses()
{
    QFETCH(int, error);
    QFETCH(int, slow);

    SlowPatternWatch watch;
    QSignalSpy spy(&watch, &SlowPatternWatch::slow);
    watch.setStatus({PatternStatus::State::Counting, 0, {}});
    watch.setStatus(error ? PatternStatus{PatternStatus::State::Invalid, 0, regExpErrorText(RegExpError::make(error))}
                          : PatternStatus{PatternStatus::State::Valid, 3, {}});
    QCOMPARE(spy.count(), slow);
}

void tst_SlowPatternWatch::countThatLasts()
{
    SlowPatternWatch watch;
    watch.setMoment(0);
    QSignalSpy spy(&watch, &SlowPatternWatch::slow);
    watch.setStatus({PatternStatus::State::Counting, 0, {}});
    QVERIFY(spy.wait());
    QCOMPARE(spy.count(), 1);
}

QTEST_GUILESS_MAIN(tst_SlowPatternWatch)
#include "tst_slowpatternwatch.moc"
