#pragma once

#include "busy/WorkThreads.h"

#include <QFuture>
#include <QList>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <utility>

/// Work threads for tests. A piece of work the test asks to hold waits, deaf to its cancel
/// flag, until release(), as a search deep inside one match does; other work runs at once.
/// Each piece runs on a thread that nobody waits for, as in the program. A held piece goes
/// on by itself after a minute, so that code that waits for it fails its test instead of
/// hanging it. The destructor releases every piece and waits until all have ended.
class HeldThreads final : public IWorkThreads {
public:
    ~HeldThreads() override
    {
        release();
        for (QFuture<void>& started : mStarted)
            started.waitForFinished();
    }

    /// The next piece of work started is held.
    void holdNext() { mHoldNext = true; }
    /// Lets the held pieces go on.
    void release()
    {
        {
            const std::lock_guard lock(mGate->mutex);
            mGate->open = true;
        }
        mGate->opened.notify_all();
    }
    /// The number of pieces started.
    qsizetype started() const { return mStarted.size(); }
    /// The number of pieces started that have not ended.
    qsizetype unfinished() const
    {
        return std::count_if(mStarted.cbegin(), mStarted.cend(),
                             [](const QFuture<void>& started) { return !started.isFinished(); });
    }

    QFuture<void> start(std::function<void()> work) override
    {
        if (std::exchange(mHoldNext, false))
            work = [gate = mGate, work = std::move(work)] {
                gate->wait();
                work();
            };
        QFuture<void> started = mThreads.start(std::move(work));
        mStarted.append(started);
        return started;
    }

private:
    struct Gate {
        std::mutex mutex;
        std::condition_variable opened;
        bool open = false;

        void wait()
        {
            std::unique_lock lock(mutex);
            opened.wait_for(lock, std::chrono::minutes(1), [this] { return open; });
        }
    };

    std::shared_ptr<Gate> mGate = std::make_shared<Gate>();
    bool mHoldNext = false;
    DetachedThreads mThreads;
    QList<QFuture<void>> mStarted;
};
