#pragma once

#include <QFuture>

#include <functional>

class QThreadPool;

/// Starts pieces of work off the user-interface thread. Nobody waits for a piece that is
/// no longer wanted: a search deep inside one match may not see its cancel flag for a long
/// time, and it must hold neither the window, nor the next search, nor the exit. So a piece
/// of work owns everything it uses, and may still be running when the program ends.
class IWorkThreads {
public:
    virtual ~IWorkThreads() = default;

    /// Runs work on a thread of its own; the future finishes once work has returned.
    virtual QFuture<void> start(std::function<void()> work) = 0;
};

/// Each piece of work on a new thread that is never joined.
class DetachedThreads final : public IWorkThreads {
public:
    QFuture<void> start(std::function<void()> work) override;
};

/// Each piece of work on pool, which waits for its work when it is destroyed: for work that
/// is always waited for, which takes the pool's threads in turn.
class PoolThreads final : public IWorkThreads {
public:
    /// pool must outlive the object.
    explicit PoolThreads(QThreadPool& pool) : mPool(pool) {}
    QFuture<void> start(std::function<void()> work) override;

private:
    QThreadPool& mPool;
};
