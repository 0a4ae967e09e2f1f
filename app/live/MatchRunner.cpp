#include "live/MatchRunner.h"

#include "busy/WorkThreads.h"

#include <QFutureWatcher>

#include <optional>

MatchRunner::MatchRunner(IWorkThreads& threads, QObject* parent) : QObject(parent), mThreads(threads) {}

MatchRunner::~MatchRunner()
{
    cancel();
}

quint64 MatchRunner::start(const RegExp& expression, TextReader read)
{
    cancel();
    const quint64 generation = ++mGeneration;
    mRunning = true;
    auto cancelFlag = std::make_shared<std::atomic_bool>(false);
    mCancel = cancelFlag;
    auto result = std::make_shared<std::optional<RegExpResult<MatchCollection>>>();
    // One watcher a run, so that a run left behind reports to none but its own, which its
    // end or the runner's deletes.
    auto* watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcher<void>::finished, this, [this, watcher, cancelFlag, result, generation] {
        watcher->deleteLater();
        if (cancelFlag->load() || generation != mGeneration)
            return;
        mRunning = false;
        if (!*result || (*result)->isCancelled())
            return;
        if ((*result)->ok())
            emit finished(generation, (*result)->value());
        else
            emit failed(generation, (*result)->error());
    });
    watcher->setFuture(mThreads.start([expression, read = std::move(read), cancelFlag, result] {
        result->emplace(expression.Execute(read(), cancelFlag.get()));
    }));
    return generation;
}

void MatchRunner::cancel()
{
    if (mCancel)
        mCancel->store(true);
    mRunning = false;
}
