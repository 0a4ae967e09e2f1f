#include "busy/BusyPointer.h"
#include "busy/BusyRunner.h"
#include "support/HeldThreads.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>

namespace {

/// The next progress dialog of runner shows at once and its Cancel is pressed.
void cancelNext(BusyRunner& runner)
{
    runner.setDelays(0, 0);
    QObject::connect(&runner, &BusyRunner::progressShown, &runner,
                     [](QProgressDialog* dialog) { dialog->findChild<QPushButton*>()->click(); },
                     Qt::SingleShotConnection);
}

} // namespace

class tst_BusyRunner : public QObject {
    Q_OBJECT
private slots:
    void busyPointerOnlyForLargeWork();
    void busyRunnerReturnsTheResult();
    void busyRunnerCancelDropsTheResult();
    void cancelLeavesWorkThatCannotStopBehind();
    void runToEndWaitsForCancelledWork();
};

void tst_BusyRunner::busyPointerOnlyForLargeWork()
{
    {
        const BusyPointer busy(true);
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    const BusyPointer idle(false);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void tst_BusyRunner::busyRunnerReturnsTheResult()
{
    QWidget window;
    HeldThreads threads;
    BusyRunner runner(window, threads);
    runner.setDelays(60 * 60 * 1000, 60 * 60 * 1000);
    int shown = 0;
    connect(&runner, &BusyRunner::progressShown, this, [&] { ++shown; });
    const std::optional<int> result =
        runner.run<int>(QStringLiteral("Counting"), [](const std::atomic_bool&) { return 42; });
    QCOMPARE(result, std::optional<int>(42));
    QCOMPARE(shown, 0);
}

void tst_BusyRunner::busyRunnerCancelDropsTheResult()
{
    QWidget window;
    window.show();
    HeldThreads threads;
    BusyRunner runner(window, threads);
    runner.setDelays(0, 0);
    QString label;
    connect(&runner, &BusyRunner::progressShown, this, [&](QProgressDialog* dialog) {
        label = dialog->labelText();
        dialog->findChild<QPushButton*>()->click();
    });
    auto sawCancel = std::make_shared<std::atomic_bool>(false);
    const std::optional<int> result =
        runner.run<int>(QStringLiteral("Replacing"), [sawCancel](const std::atomic_bool& cancel) {
            // Works until it is told to stop, as a long search does.
            while (!cancel.load())
                QThread::yieldCurrentThread();
            sawCancel->store(true);
            return 1;
        });
    QCOMPARE(result, std::nullopt);
    QTRY_VERIFY(sawCancel->load());
    QCOMPARE(label, QStringLiteral("Replacing"));
}

void tst_BusyRunner::cancelLeavesWorkThatCannotStopBehind()
{
    QWidget window;
    window.show();
    HeldThreads threads;
    BusyRunner runner(window, threads);
    threads.holdNext();
    cancelNext(runner);
    QCOMPARE(runner.run<int>(QStringLiteral("Searching"), [](const std::atomic_bool&) { return 1; }), std::nullopt);
    QCOMPARE(threads.unfinished(), 1);
    QVERIFY(!runner.running());
    // The next run does not wait for the one left behind.
    runner.setDelays(60 * 60 * 1000, 60 * 60 * 1000);
    QCOMPARE(runner.run<int>(QStringLiteral("Searching"), [](const std::atomic_bool&) { return 2; }),
             std::optional<int>(2));
    QCOMPARE(threads.unfinished(), 1);
}

void tst_BusyRunner::runToEndWaitsForCancelledWork()
{
    QWidget window;
    window.show();
    HeldThreads threads;
    BusyRunner runner(window, threads);
    cancelNext(runner);
    // The work uses the caller's flag, which must outlive it.
    bool stopped = false;
    QVERIFY(!runner.runToEnd(QStringLiteral("Exporting"), [&stopped](const std::atomic_bool& cancel) {
        while (!cancel.load())
            QThread::yieldCurrentThread();
        stopped = true;
    }));
    QVERIFY(stopped);
    QCOMPARE(threads.unfinished(), 0);
}

QTEST_MAIN(tst_BusyRunner)
#include "tst_busyrunner.moc"
