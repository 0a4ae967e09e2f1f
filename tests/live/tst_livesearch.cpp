#include "live/LiveCount.h"
#include "live/LiveSearch.h"
#include "live/PatternStatus.h"
#include "support/HeldThreads.h"

#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <limits>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<TextRange>)

namespace {

/// A live search over a text the test holds, with a pause no test waits for: every test
/// starts what waits with runPending.
struct Fixture {
    QString text;
    HeldThreads threads;
    LiveSearch live{[this] { return TextReader([snapshot = text] { return snapshot; }); }, threads};
    QSignalSpy matchesSpy{&live, &LiveSearch::matchesChanged};
    QSignalSpy statusSpy{&live, &LiveSearch::statusChanged};

    explicit Fixture(const QString& sText) : text(sText) { live.setPause(60 * 60 * 1000); }

    /// Starts what waits and waits for its matches to land.
    bool land()
    {
        live.runPending();
        return matchesSpy.wait(10'000);
    }
};

} // namespace

class tst_LiveSearch : public QObject {
    Q_OBJECT
private slots:
    void toolTips_data();
    void toolTips();
    void matchesLandAfterThePause();
    void ignoreCaseRunsAgain();
    void editWhileARunIsInFlight();
    void newerPatternSupersedesARunInFlight();
    void invalidPatternIsReportedWithoutARun();
    void emptyPatternShowsNothing();
    void switchedOffShowsNoMatchesButStillReportsErrors();
    void backtrackingLimitIsReported();
    void supersededRunStopsWithinItsSearch();
    void supersededRunThatCannotStopHoldsUpNothing();
    void heldRunStartsWhenReleased();
    void pauseAndSwitchTakeEffectTogether();
    void changeWithdrawsTheStatusBefore_data();
    void changeWithdrawsTheStatusBefore();
    void countText_data();
    void countText();
};

void tst_LiveSearch::toolTips_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<qsizetype>("count");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");

    QTest::newRow("nothing to tell") << int(PatternStatus::State::None) << qsizetype(0) << QString() << QString();
    QTest::newRow("no matches") << int(PatternStatus::State::Valid) << qsizetype(0) << QString() << "0 matches";
    QTest::newRow("many matches, plain decimal")
        << int(PatternStatus::State::Valid) << qsizetype(1234567) << QString() << "1234567 matches";
    QTest::newRow("invalid: the message itself")
        << int(PatternStatus::State::Invalid) << qsizetype(0) << "Expected ')' in regular expression"
        << "Expected ')' in regular expression";
}

void tst_LiveSearch::toolTips()
{
    QFETCH(int, state);
    QFETCH(qsizetype, count);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    const PatternStatus status{PatternStatus::State(state), count, message};
    QCOMPARE(status.toolTip(), expected);
}

void tst_LiveSearch::matchesLandAfterThePause()
{
    Fixture f(QStringLiteral("one two three"));
    f.live.setPattern(QStringLiteral("\\w+"));
    QVERIFY(f.live.isPending());
    QCOMPARE(f.matchesSpy.count(), 0);
    QVERIFY(f.land());
    QCOMPARE(f.live.matches().Count(), qsizetype(3));
    QCOMPARE(f.live.status().state, PatternStatus::State::Valid);
    QCOMPARE(f.live.status().toolTip(), QStringLiteral("3 matches"));
}

void tst_LiveSearch::ignoreCaseRunsAgain()
{
    Fixture f(QStringLiteral("Ab ab AB"));
    f.live.setPattern(QStringLiteral("ab"));
    QVERIFY(f.land());
    QCOMPARE(f.live.matches().Count(), qsizetype(1));
    f.live.setIgnoreCase(true);
    QVERIFY(f.land());
    QCOMPARE(f.live.matches().Count(), qsizetype(3));
}

void tst_LiveSearch::editWhileARunIsInFlight()
{
    Fixture f(QStringLiteral("aaa"));
    f.live.setPattern(QStringLiteral("a"));
    f.live.runPending();
    // Before the run can report, the text changes: its three matches must never land.
    f.text = QStringLiteral("a");
    f.live.textChanged();
    QVERIFY(f.land());
    QCOMPARE(f.matchesSpy.count(), 1);
    QCOMPARE(f.live.matches().Count(), qsizetype(1));
    QCOMPARE(f.live.matches().Text(), QStringLiteral("a"));
    QCOMPARE(f.live.status().matchCount, qsizetype(1));
}

void tst_LiveSearch::newerPatternSupersedesARunInFlight()
{
    Fixture f(QStringLiteral("abc abc"));
    f.live.setPattern(QStringLiteral("a"));
    f.live.runPending();
    f.live.setPattern(QStringLiteral("abc|c"));
    QVERIFY(f.land());
    QCOMPARE(f.matchesSpy.count(), 1);
    QCOMPARE(f.live.matches().Count(), qsizetype(2));
}

void tst_LiveSearch::invalidPatternIsReportedWithoutARun()
{
    Fixture f(QStringLiteral("abc"));
    f.live.setPattern(QStringLiteral("a"));
    QVERIFY(f.land());
    f.live.setPattern(QStringLiteral("(a"));
    f.live.runPending();
    // Reported at once, and the matches of the last valid pattern are dropped with it.
    QCOMPARE(f.live.status().state, PatternStatus::State::Invalid);
    QCOMPARE(f.live.status().toolTip(), QStringLiteral("Expected ')' in regular expression"));
    QCOMPARE(f.live.matches().Count(), qsizetype(0));
    QCOMPARE(f.matchesSpy.count(), 2);
}

void tst_LiveSearch::emptyPatternShowsNothing()
{
    Fixture f(QStringLiteral("abc"));
    f.live.setPattern(QStringLiteral("b"));
    QVERIFY(f.land());
    f.live.setPattern(QString());
    f.live.runPending();
    QCOMPARE(f.live.matches().Count(), qsizetype(0));
    QCOMPARE(f.live.status().state, PatternStatus::State::None);
}

void tst_LiveSearch::switchedOffShowsNoMatchesButStillReportsErrors()
{
    Fixture f(QStringLiteral("abc"));
    f.live.setPattern(QStringLiteral("b"));
    QVERIFY(f.land());
    f.live.setEnabled(false);
    QCOMPARE(f.live.matches().Count(), qsizetype(0));
    QCOMPARE(f.live.status().state, PatternStatus::State::None);

    f.live.setPattern(QStringLiteral("c"));
    f.live.runPending();
    QCOMPARE(f.live.status().state, PatternStatus::State::None);
    f.live.setPattern(QStringLiteral("[c"));
    f.live.runPending();
    QCOMPARE(f.live.status().toolTip(), QStringLiteral("Expected ']' in regular expression"));

    f.live.setPattern(QStringLiteral("c"));
    f.live.setEnabled(true);
    QVERIFY(f.land());
    QCOMPARE(f.live.matches().Count(), qsizetype(1));
}

void tst_LiveSearch::backtrackingLimitIsReported()
{
    Fixture f(QStringLiteral("a").repeated(40) + QStringLiteral("!"));
    f.live.setPattern(QStringLiteral("(a+)+$"));
    f.live.runPending();
    QVERIFY(f.statusSpy.wait(60'000));
    QCOMPARE(f.live.status().state, PatternStatus::State::Invalid);
    QVERIFY(f.live.status().toolTip().startsWith(QStringLiteral("Error: ")));
    QCOMPARE(f.live.matches().Count(), qsizetype(0));
}

void tst_LiveSearch::pauseAndSwitchTakeEffectTogether()
{
    Fixture f(QStringLiteral("one two"));
    f.live.setPattern(QStringLiteral("\\w+"));
    QVERIFY(f.land());
    // A pause drops the matches; switching on during it does not end it.
    f.live.setPaused(true);
    QCOMPARE(f.live.matches().Count(), qsizetype(0));
    f.live.setEnabled(false);
    f.live.setEnabled(true);
    QVERIFY(!f.live.isEnabled());
    // Ending the pause while switched off runs nothing.
    f.live.setEnabled(false);
    f.live.setPaused(false);
    QVERIFY(!f.live.isEnabled());
    f.live.setEnabled(true);
    QVERIFY(f.live.isEnabled());
    QVERIFY(f.land());
    QCOMPARE(f.live.matches().Count(), qsizetype(2));
}

void tst_LiveSearch::supersededRunStopsWithinItsSearch()
{
    // Without a budget the superseded run would search for hours; it sees its cancel flag
    // within the search for one match.
    HeldThreads threads;
    MatchRunner runner(threads);
    QSignalSpy finished(&runner, &MatchRunner::finished);
    RegExp endless(QStringLiteral("(a+)+b"));
    endless.setGlobal(true);
    endless.setMatchBudget(std::numeric_limits<qint64>::max());
    const QString text = (QString(21, u'a') + u'c').repeated(10'000) + QStringLiteral("ab");
    auto reading = std::make_shared<std::atomic_bool>(false);
    runner.start(endless, [text, reading] {
        reading->store(true);
        return text;
    });
    QTRY_VERIFY(reading->load());
    RegExp quick(QStringLiteral("a"));
    quick.setGlobal(true);
    const quint64 generation = runner.start(quick, [] { return QStringLiteral("aa"); });
    QVERIFY(finished.wait(60'000));
    QTRY_COMPARE_WITH_TIMEOUT(threads.unfinished(), 0, 60'000);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.at(0).at(0).value<quint64>(), generation);
}

void tst_LiveSearch::supersededRunThatCannotStopHoldsUpNothing()
{
    Fixture f(QStringLiteral("aaa b"));
    f.live.setPattern(QStringLiteral("a"));
    f.threads.holdNext();
    f.live.runPending();
    f.live.setPattern(QStringLiteral("b"));
    QVERIFY(f.land());
    QCOMPARE(f.live.matches().Count(), qsizetype(1));
    QCOMPARE(f.threads.unfinished(), 1);
    QVERIFY(!f.live.isBusy());
}

void tst_LiveSearch::heldRunStartsWhenReleased()
{
    Fixture f(QStringLiteral("one two"));
    f.live.setPattern(QStringLiteral("\\w+"));
    f.live.setHeld(true);
    f.live.runPending();
    QCOMPARE(f.threads.started(), 0);
    QVERIFY(f.live.isBusy());
    f.live.setHeld(false);
    QVERIFY(f.matchesSpy.wait(10'000));
    QCOMPARE(f.live.matches().Count(), qsizetype(2));
}

void tst_LiveSearch::changeWithdrawsTheStatusBefore_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<int>("state"); // at once after the change

    const int counting = int(PatternStatus::State::Counting);
    QTest::newRow("the count of the pattern before") << u"a"_s << u"b"_s << false << counting;
    QTest::newRow("the error of the pattern before") << u"(a"_s << u"a"_s << false << counting;
    QTest::newRow("the case option changed") << u"a"_s << u"a"_s << true << counting;
    QTest::newRow("an emptied pattern tells nothing") << u"a"_s << QString() << false << int(PatternStatus::State::None);
}

// A count or an error never stands beside a pattern other than the one it was found for.
void tst_LiveSearch::changeWithdrawsTheStatusBefore()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(bool, ignoreCase);
    QFETCH(int, state);

    Fixture f(u"ab AB"_s);
    f.live.setPattern(before);
    f.live.runPending();
    QTRY_VERIFY(!f.live.isBusy());
    QVERIFY(f.live.status().state != PatternStatus::State::Counting);

    f.live.setPattern(after);
    f.live.setIgnoreCase(ignoreCase);
    QCOMPARE(int(f.live.status().state), state);
    QCOMPARE(f.live.status().toolTip(), QString());
    f.live.runPending();
    QTRY_VERIFY(!f.live.isBusy());
    QVERIFY(f.live.status().state != PatternStatus::State::Counting);
}

void tst_LiveSearch::countText_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("current"); // the counted matches still fit the text
    QTest::addColumn<std::optional<TextRange>>("range");
    QTest::addColumn<QString>("expected");

    const int valid = int(PatternStatus::State::Valid);
    QTest::newRow("the whole text") << valid << true << std::optional<TextRange>() << u"6 matches"_s;
    QTest::newRow("inside a range, as Find numbers them")
        << valid << true << std::optional(TextRange{2, 12}) << u"4 of 6 matches in the selection"_s;
    QTest::newRow("a match that leaves the range does not count")
        << valid << true << std::optional(TextRange{2, 11}) << u"3 of 6 matches in the selection"_s;
    QTest::newRow("a range while the matches are counted again")
        << valid << false << std::optional(TextRange{2, 8}) << u"Counting..."_s;
    QTest::newRow("counting") << int(PatternStatus::State::Counting) << true << std::optional<TextRange>()
                              << u"Counting..."_s;
    QTest::newRow("an error") << int(PatternStatus::State::Invalid) << true << std::optional(TextRange{2, 8})
                              << u"Syntax error in regular expression"_s;
    QTest::newRow("nothing to tell") << int(PatternStatus::State::None) << true << std::optional<TextRange>()
                                     << QString();
}

void tst_LiveSearch::countText()
{
    QFETCH(int, state);
    QFETCH(bool, current);
    QFETCH(std::optional<TextRange>, range);
    QFETCH(QString, expected);

    RegExp expression(u"\\w\\w"_s);
    expression.setGlobal(true);
    const MatchCollection matches = expression.Execute(u"ab cd ef gh ij kl"_s).value();
    // Six matches of two letters, at 0, 3, 6, 9, 12 and 15.
    const PatternStatus status{PatternStatus::State(state), matches.Count(), u"Syntax error in regular expression"_s};
    QCOMPARE(liveCountText(status, current ? std::optional(matches) : std::nullopt, range,
                           QLocale(QLocale::English, QLocale::UnitedStates)),
             expected);
}

QTEST_GUILESS_MAIN(tst_LiveSearch)
#include "tst_livesearch.moc"
