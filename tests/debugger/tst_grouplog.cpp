#include "debugger/GroupLog.h"

#include <QTest>

namespace {

/// A run of 5000 steps at positions 2s: group 1 is (s, 2s) from step 10 on, and unset again
/// at every hundredth step; group 2 is (s - 3, s) at every third step from step 300 on.
/// That is more changes than several checkpoints hold, some at one step.
std::vector<std::size_t> pairsAt(qsizetype step)
{
    std::vector<std::size_t> pairs(6, GroupLog::kUnset);
    for (qsizetype s = 0; s <= step; ++s) {
        if (s >= 10) {
            const bool unset = s % 100 == 0;
            pairs[2] = unset ? GroupLog::kUnset : std::size_t(s);
            pairs[3] = unset ? GroupLog::kUnset : std::size_t(2 * s);
        }
        if (s >= 300 && s % 3 == 0) {
            pairs[4] = std::size_t(s - 3);
            pairs[5] = std::size_t(s);
        }
    }
    return pairs;
}

} // namespace

class tst_GroupLog : public QObject {
    Q_OBJECT
private slots:
    void pairsAtStep_data();
    void pairsAtStep();
};

void tst_GroupLog::pairsAtStep_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("before any change") << 5;
    QTest::newRow("the first change") << 10;
    QTest::newRow("a group unset again") << 200;
    QTest::newRow("both groups change at one step") << 303;
    QTest::newRow("around the first checkpoint") << 1024;
    QTest::newRow("just after a later checkpoint") << 1800;
    QTest::newRow("the last step") << 4999;
}

void tst_GroupLog::pairsAtStep()
{
    QFETCH(int, step);

    GroupLog log(3);
    for (std::uint32_t s = 0; s < 5000; ++s) {
        const std::vector<std::size_t> pairs = pairsAt(s);
        log.record(s, 2 * qsizetype(s), pairs.data(), 3);
    }
    QCOMPARE(log.at(step, [](qsizetype s) { return 2 * s; }), pairsAt(step));
}

QTEST_GUILESS_MAIN(tst_GroupLog)
#include "tst_grouplog.moc"
