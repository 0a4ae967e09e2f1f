#include "busy/WorkThreads.h"

#include <QPromise>
#include <QtConcurrent>

#include <exception>
#include <thread>

QFuture<void> DetachedThreads::start(std::function<void()> work)
{
    QPromise<void> promise;
    QFuture<void> future = promise.future();
    promise.start();
    // The thread holds the promise and work, and nothing of its starter's; the shared state
    // of the future lives until both the thread and the last future have let go of it.
    std::thread([promise = std::move(promise), work = std::move(work)]() mutable {
        try {
            work();
        } catch (...) {
            // Carried by the future, as QtConcurrent does, instead of ending the program.
            promise.setException(std::current_exception());
        }
        // What work holds is released before the future reports its end.
        work = nullptr;
        promise.finish();
    }).detach();
    return future;
}

QFuture<void> PoolThreads::start(std::function<void()> work)
{
    return QtConcurrent::run(&mPool, std::move(work));
}
