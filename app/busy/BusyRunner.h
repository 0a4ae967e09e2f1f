#pragma once

#include <QFuture>
#include <QObject>
#include <QString>
#include <QtConcurrent>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QEventLoop;
class QProgressDialog;
class QThreadPool;
class QWidget;

/// Runs a long piece of work off the user-interface thread while the window waits for it:
/// the window keeps painting, past half a second the pointer shows that it is busy, and
/// past two seconds a progress dialog offers Cancel. Until the dialog shows, the user's
/// input waits in the queue; while it shows, the dialog keeps the window from input.
class BusyRunner : public QObject {
    Q_OBJECT
public:
    /// window is the parent of the progress dialog; work goes to pool. Both must outlive
    /// the runner.
    BusyRunner(QWidget& window, QThreadPool& pool);

    /// When the busy pointer and the progress dialog appear, in milliseconds after the
    /// start; 0 shows them at once, also for work that ends at once.
    void setDelays(int cursorMsec, int dialogMsec);

    /// True while work runs.
    bool running() const { return mCancel != nullptr; }
    /// Cancels the work that runs, as the dialog's Cancel does; nothing when none runs.
    void cancel();

    /// Runs work on the pool and returns its result, or nothing when the user pressed
    /// Cancel; work sees the press through its flag and may stop early. Either way work
    /// has ended when this returns, and a cancelled result is dropped even when it was
    /// complete, so that a cancel never lets anything change.
    template <typename T>
    std::optional<T> run(const QString& sLabel, std::function<T(const std::atomic_bool& cancel)> work)
    {
        auto cancel = std::make_shared<std::atomic_bool>(false);
        auto result = std::make_shared<std::optional<T>>();
        const QFuture<void> future =
            QtConcurrent::run(&mPool, [work = std::move(work), cancel, result] { result->emplace(work(*cancel)); });
        if (waitFor(future, sLabel, *cancel))
            return std::nullopt;
        return std::move(*result);
    }

    /// Runs work, which has no result, as run() does; false when the user pressed Cancel.
    bool runToEnd(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work);

signals:
    /// The progress dialog appeared (for tests and for the benchmark, which press Cancel).
    void progressShown(QProgressDialog* dialog);

private:
    /// Waits until future has finished; true when the user cancelled meanwhile.
    bool waitFor(const QFuture<void>& future, const QString& sLabel, std::atomic_bool& cancel);

    QWidget& mWindow;
    QThreadPool& mPool;
    /// The flag of the work that runs, whether it was cancelled, and the loop that waits for it.
    std::atomic_bool* mCancel = nullptr;
    bool mCancelled = false;
    QEventLoop* mLoop = nullptr;
    int mCursorDelay = 500;
    int mDialogDelay = 2000;
};
