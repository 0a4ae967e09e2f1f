#include "debugger/StepProfile.h"

#include <QTest>

namespace {

/// The counts as "part=steps", the part as the pattern spells it, one space between parts.
QString countsOf(const StepProfile& profile, const QString& pattern)
{
    QStringList counts;
    for (const StepProfile::Part& part : profile.parts)
        counts << pattern.mid(part.offset, part.length) + u'=' + QString::number(part.steps);
    return counts.join(u' ');
}

} // namespace

class tst_StepProfile : public QObject {
    Q_OBJECT

private slots:
    void counts_data();
    void counts();
    void nestedCounts();
    void stopsAtBudget();
    void heat_data();
    void heat();
};

void tst_StepProfile::counts_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<quint64>("budget");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<quint64>("total"); // the end of a match is a step of no part
    QTest::addColumn<int>("start");

    QTest::newRow("cheap starts: the first of the costliest") << "a*b" << "aac" << 0 << quint64(100) << "a*=1 b=1"
                                                              << quint64(2) << 0;
    QTest::newRow("the start where a match costs most") << "x|y" << "zzzy" << 0 << quint64(100) << "x=1 |=0 y=1"
                                                        << quint64(3) << 3;
    QTest::newRow("only from the given position on") << "ab" << "abxab" << 3 << quint64(100) << "a=1 b=1"
                                                     << quint64(3) << 3;
    // (a+)+b on n a's: the inner repeat is tried once for each of the 2^n ways to split the run.
    QTest::newRow("nested repeat on four a's") << "(a+)+b" << "aaaa" << 0 << quint64(100) << "(=1 a+=16 )+=15 b=15"
                                               << quint64(47) << 0;
}

void tst_StepProfile::counts()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(quint64, budget);
    QFETCH(QString, counts);
    QFETCH(quint64, total);
    QFETCH(int, start);

    ProfileLimits limits;
    limits.budget = budget;
    const RegExpResult<StepProfile> profile = profileSteps(pattern, false, text, from, limits);
    QVERIFY(profile.ok());
    QCOMPARE(countsOf(profile.value(), pattern), counts);
    QCOMPARE(profile.value().total, total);
    QCOMPARE(profile.value().start, start);
    QCOMPARE(profile.value().budget, budget);
}

void tst_StepProfile::nestedCounts()
{
    const RegExpResult<StepProfile> profile = profileSteps(QStringLiteral("x(a+)+b"), false, QStringLiteral("xaaaa"), 0);
    QVERIFY(profile.ok());
    // The group holds its parts' steps, the pattern all of them.
    QCOMPARE(profile.value().stepsWithin(1, 5), quint64(1 + 16 + 15));
    QCOMPARE(profile.value().stepsWithin(0, 7), quint64(1 + 1 + 16 + 15 + 15));
    QCOMPARE(profile.value().hottest(), quint64(16));
}

void tst_StepProfile::stopsAtBudget()
{
    ProfileLimits limits;
    limits.probeSteps = 100;
    limits.budget = 500;
    // 2^40 ways: the probe stops at the first start position, the count at the budget.
    const RegExpResult<StepProfile> profile = profileSteps(QStringLiteral("(a+)+b"), false, QString(40, u'a'), 0, limits);
    QVERIFY(profile.ok());
    QCOMPARE(profile.value().start, 0);
    QCOMPARE(profile.value().total, quint64(500));
    QCOMPARE(profile.value().stepsWithin(0, 6), quint64(500));
}

void tst_StepProfile::heat_data()
{
    QTest::addColumn<quint64>("steps");
    QTest::addColumn<quint64>("hottest");
    QTest::addColumn<uint>("rgb");

    QTest::newRow("no steps: white") << quint64(0) << quint64(100) << 0xFFFFFFu;
    QTest::newRow("one step: pale yellow") << quint64(1) << quint64(100) << 0xFFF5B4u;
    QTest::newRow("the hottest: red") << quint64(100) << quint64(100) << 0xDC281Eu;
    QTest::newRow("a tenth of the hottest: halfway") << quint64(10) << quint64(100) << 0xEE8F69u;
}

void tst_StepProfile::heat()
{
    QFETCH(quint64, steps);
    QFETCH(quint64, hottest);
    QFETCH(uint, rgb);
    QCOMPARE(uint(heatRgb(steps, hottest)), rgb);
}

QTEST_GUILESS_MAIN(tst_StepProfile)
#include "tst_stepprofile.moc"
