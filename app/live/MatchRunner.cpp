#include "live/MatchRunner.h"

#include <QMetaObject>
#include <QThreadPool>
#include <QtConcurrent>

MatchRunner::MatchRunner(QThreadPool& pool, QObject* parent) : QObject(parent), mPool(pool) {}

MatchRunner::~MatchRunner()
{
    cancel();
    for (Run& run : mRuns)
        run.future.waitForFinished();
}

quint64 MatchRunner::start(const RegExp& expression, TextReader read)
{
    cancel();
    prune();
    const quint64 generation = ++mGeneration;
    mRunning = true;
    auto cancelFlag = std::make_shared<std::atomic_bool>(false);
    // The destructor waits for every run, so the runner outlives the call that posts to it;
    // a posted result that arrives after the runner is gone is discarded with it.
    QFuture<void> future = QtConcurrent::run(&mPool, [this, expression, read = std::move(read), cancelFlag, generation] {
        RegExpResult<MatchCollection> result = expression.Execute(read(), cancelFlag.get());
        if (result.isCancelled())
            return;
        // A run cancelled or superseded while its result was on the way drops it.
        QMetaObject::invokeMethod(
            this,
            [this, result = std::move(result), cancelFlag, generation] {
                if (cancelFlag->load() || generation != mGeneration)
                    return;
                mRunning = false;
                if (result.ok())
                    emit finished(generation, result.value());
                else
                    emit failed(generation, result.error());
            },
            Qt::QueuedConnection);
    });
    mRuns.append({std::move(future), std::move(cancelFlag)});
    return generation;
}

void MatchRunner::cancel()
{
    for (Run& run : mRuns)
        run.cancel->store(true);
    mRunning = false;
}

void MatchRunner::prune()
{
    mRuns.removeIf([](const Run& run) { return run.future.isFinished(); });
}
