#pragma once

#include <QFuture>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class IWorkThreads;
class QEventLoop;
class QProgressDialog;
class QWidget;

/// Runs a long piece of work off the user-interface thread while the window waits for it:
/// the window keeps painting, past half a second the pointer shows that it is busy, and
/// past two seconds a progress dialog offers Cancel. Until the dialog shows, the user's
/// input waits in the queue; while it shows, the dialog keeps the window from input.
class BusyRunner : public QObject {
    Q_OBJECT
public:
    /// window is the parent of the progress dialog; work goes to threads. Both must outlive
    /// the runner.
    BusyRunner(QWidget& window, IWorkThreads& threads);

    /// When the busy pointer and the progress dialog appear, in milliseconds after the
    /// start; 0 shows them at once, also for work that ends at once.
    void setDelays(int cursorMsec, int dialogMsec);

    /// True while work runs.
    bool running() const { return mCancel != nullptr; }
    /// Cancels the work that runs, as the dialog's Cancel does; nothing when none runs.
    void cancel();

    /// Runs work off the window's thread and returns its result, or nothing when the user
    /// pressed Cancel. A Cancel returns at once, so work must own everything it uses: it
    /// sees the press through its flag, and runs on to its end unseen when it cannot stop
    /// at once. A cancelled result is dropped even when it was complete, so that a cancel
    /// never lets anything change.
    template <typename T>
    std::optional<T> run(const QString& sLabel, std::function<T(const std::atomic_bool& cancel)> work)
    {
        auto result = std::make_shared<std::optional<T>>();
        if (runWork(sLabel, [work = std::move(work), result](const std::atomic_bool& cancel) {
                result->emplace(work(cancel));
            }, AfterCancel::Return))
            return std::nullopt;
        return std::move(*result);
    }

    /// Runs work, which may use the caller's data, as run() does, except that a Cancel
    /// waits until work has stopped; false when the user pressed Cancel.
    bool runToEnd(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work);

signals:
    /// The progress dialog appeared (for tests and for the benchmark, which press Cancel).
    void progressShown(QProgressDialog* dialog);

private:
    enum class AfterCancel { Return, Wait };

    /// Runs work and waits for it; true when the user cancelled meanwhile.
    bool runWork(const QString& sLabel, std::function<void(const std::atomic_bool& cancel)> work, AfterCancel after);
    /// Waits until future has finished, or after a cancel until after says; true when the
    /// user cancelled meanwhile.
    bool waitFor(const QFuture<void>& future, const QString& sLabel, std::atomic_bool& cancel, AfterCancel after);

    QWidget& mWindow;
    IWorkThreads& mThreads;
    /// The flag of the work that runs, whether it was cancelled, and the loop that waits for it.
    std::atomic_bool* mCancel = nullptr;
    bool mCancelled = false;
    QEventLoop* mLoop = nullptr;
    int mCursorDelay = 500;
    int mDialogDelay = 2000;
};
