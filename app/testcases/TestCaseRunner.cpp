#include "testcases/TestCaseRunner.h"

#include "busy/WorkThreads.h"

#include <QFutureWatcher>

TestCaseRunner::TestCaseRunner(IWorkThreads& threads, QObject* parent) : QObject(parent), mThreads(threads) {}

TestCaseRunner::~TestCaseRunner()
{
    cancel();
}

void TestCaseRunner::start(const TestSuite& suite)
{
    cancel();
    const quint64 generation = ++mGeneration;
    mRunning = true;
    auto cancelFlag = std::make_shared<std::atomic_bool>(false);
    mCancel = cancelFlag;
    auto outcome = std::make_shared<SuiteOutcome>();
    // One watcher a run, so that a run left behind reports to none but its own.
    auto* watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcher<void>::finished, this, [this, watcher, cancelFlag, outcome, generation] {
        watcher->deleteLater();
        if (cancelFlag->load() || generation != mGeneration)
            return;
        mRunning = false;
        emit finished(*outcome);
    });
    watcher->setFuture(mThreads.start([suite, cancelFlag, outcome] { *outcome = checkSuite(suite, cancelFlag.get()); }));
}

void TestCaseRunner::cancel()
{
    if (mCancel)
        mCancel->store(true);
    mRunning = false;
}
