#pragma once

#include "busy/WorkThreads.h"

#include <QFutureWatcher>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

/// One piece of work off the window's thread that counts at a time: starting one cancels
/// the one before, which then never reports. The work owns what it uses, so one that cannot
/// stop at once ends on its own, unseen.
class LatestRun : public QObject {
    Q_OBJECT
public:
    /// threads must outlive the object.
    explicit LatestRun(IWorkThreads& threads, QObject* parent = nullptr) : QObject(parent), mThreads(threads) {}
    ~LatestRun() override { cancel(); }

    /// Runs work with a cancel flag on another thread, then done with its result on this
    /// object's thread, unless it was cancelled or another run started meanwhile.
    template <typename R>
    void start(std::function<R(const std::atomic_bool& cancel)> work, std::function<void(const R&)> done)
    {
        cancel();
        const quint64 generation = ++mGeneration;
        mRunning = true;
        auto cancelFlag = std::make_shared<std::atomic_bool>(false);
        mCancel = cancelFlag;
        auto result = std::make_shared<std::optional<R>>();
        // One watcher a run, so that a run left behind reports to none but its own.
        auto* watcher = new QFutureWatcher<void>(this);
        connect(watcher, &QFutureWatcher<void>::finished, this, [this, watcher, cancelFlag, result, generation, done] {
            watcher->deleteLater();
            if (cancelFlag->load() || generation != mGeneration || !*result)
                return;
            mRunning = false;
            done(**result);
        });
        watcher->setFuture(mThreads.start([work = std::move(work), cancelFlag, result] { result->emplace(work(*cancelFlag)); }));
    }

    /// Cancels the current run; it will not report.
    void cancel()
    {
        if (mCancel)
            mCancel->store(true);
        mRunning = false;
    }
    /// From start until the current run has reported or been cancelled.
    bool isRunning() const { return mRunning; }

private:
    IWorkThreads& mThreads;
    quint64 mGeneration = 0;
    bool mRunning = false;
    std::shared_ptr<std::atomic_bool> mCancel;
};
