#include "live/MatchRunner.h"

#include <QMetaObject>
#include <QThreadPool>
#include <QtConcurrent>

MatchRunner::MatchRunner(QThreadPool& pool, QObject* parent) : QObject(parent), mPool(pool)
{
    connect(&mRun, &QFutureWatcher<void>::finished, this, &MatchRunner::runEnded);
}

MatchRunner::~MatchRunner()
{
    cancel();
    mRun.waitForFinished();
}

quint64 MatchRunner::start(const RegExp& expression, TextReader read)
{
    cancel();
    const quint64 generation = ++mGeneration;
    mRunning = true;
    Request request{expression, std::move(read), generation};
    if (mRun.isFinished())
        launch(std::move(request));
    else
        mWaiting = std::move(request);
    return generation;
}

void MatchRunner::launch(Request request)
{
    mCancel = std::make_shared<std::atomic_bool>(false);
    // The destructor waits for the run, so the runner outlives the call that posts to it;
    // a posted result that arrives after the runner is gone is discarded with it.
    mRun.setFuture(QtConcurrent::run(&mPool, [this, request = std::move(request), cancelFlag = mCancel] {
        RegExpResult<MatchCollection> result = request.expression.Execute(request.read(), cancelFlag.get());
        if (result.isCancelled())
            return;
        // A run cancelled or superseded while its result was on the way drops it.
        QMetaObject::invokeMethod(
            this,
            [this, result = std::move(result), cancelFlag, generation = request.generation] {
                if (cancelFlag->load() || generation != mGeneration)
                    return;
                mRunning = false;
                if (result.ok())
                    emit finished(generation, result.value());
                else
                    emit failed(generation, result.error());
            },
            Qt::QueuedConnection);
    }));
}

void MatchRunner::runEnded()
{
    if (mWaiting && mRun.isFinished()) {
        Request request = std::move(*mWaiting);
        mWaiting.reset();
        launch(std::move(request));
    }
}

void MatchRunner::cancel()
{
    if (mCancel)
        mCancel->store(true);
    mWaiting.reset();
    mRunning = false;
}
