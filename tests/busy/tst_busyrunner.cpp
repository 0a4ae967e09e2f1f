#include "busy/BusyPointer.h"
#include "busy/BusyRunner.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QThreadPool>

class tst_BusyRunner : public QObject {
    Q_OBJECT
private slots:
    void busyPointerOnlyForLargeWork();
    void busyRunnerReturnsTheResult();
    void busyRunnerCancelDropsTheResult();
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
    QThreadPool pool;
    BusyRunner runner(window, pool);
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
    QThreadPool pool;
    BusyRunner runner(window, pool);
    runner.setDelays(0, 0);
    QString label;
    connect(&runner, &BusyRunner::progressShown, this, [&](QProgressDialog* dialog) {
        label = dialog->labelText();
        dialog->findChild<QPushButton*>()->click();
    });
    bool sawCancel = false;
    const std::optional<int> result = runner.run<int>(QStringLiteral("Replacing"), [&](const std::atomic_bool& cancel) {
        // Works until it is told to stop, as a long search does.
        while (!cancel.load())
            QThread::yieldCurrentThread();
        sawCancel = true;
        return 1;
    });
    QCOMPARE(result, std::nullopt);
    QVERIFY(sawCancel);
    QCOMPARE(label, QStringLiteral("Replacing"));
}

QTEST_MAIN(tst_BusyRunner)
#include "tst_busyrunner.moc"
