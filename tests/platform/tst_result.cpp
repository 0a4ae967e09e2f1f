#include "platform/Result.h"

#include <QString>
#include <QTest>

using namespace Qt::StringLiterals;

using Done = Result<void, QString>;

class TestResult : public QObject {
    Q_OBJECT

private slots:
    void doneWithoutErrorSucceeds();
    void errorFails();
    void laterErrorReplacesSuccess();
};

void TestResult::doneWithoutErrorSucceeds()
{
    const Done done;
    QVERIFY(done.ok());
    QVERIFY(static_cast<bool>(done));
}

// An empty error is still an error: failure is what was returned, not what it says.
void TestResult::errorFails()
{
    const Done failed(QString{});
    QVERIFY(!failed.ok());
    QVERIFY(!failed);
    QCOMPARE(failed.error(), QString());
}

// Collecting the first failure of several steps assigns an error over a success.
void TestResult::laterErrorReplacesSuccess()
{
    Done first;
    first = Done(u"refused"_s);
    QVERIFY(!first.ok());
    QCOMPARE(first.error(), u"refused"_s);
    first = Done();
    QVERIFY(first.ok());
}

QTEST_GUILESS_MAIN(TestResult)
#include "tst_result.moc"
