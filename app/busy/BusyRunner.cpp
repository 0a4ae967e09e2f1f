#include "busy/BusyRunner.h"

#include "busy/WorkThreads.h"

#include <QApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>

BusyRunner::BusyRunner(QWidget& window, IWorkThreads& threads) : QObject(&window), mWindow(window), mThreads(threads)
{
    setObjectName(QStringLiteral("busyRunner"));
}

void BusyRunner::setDelays(int cursorMsec, int dialogMsec)
{
    mCursorDelay = cursorMsec;
    mDialogDelay = dialogMsec;
}

void BusyRunner::cancel()
{
    if (!mCancel)
        return;
    mCancel->store(true);
    mCancelled = true;
    mLoop->quit();
}

bool BusyRunner::runToEnd(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work)
{
    return !runWork(sLabel, [&work](const std::atomic_bool& cancel) { work(cancel); }, AfterCancel::Wait);
}

bool BusyRunner::runWork(const QString& sLabel, std::function<void(const std::atomic_bool& cancel)> work,
                         AfterCancel after)
{
    auto cancel = std::make_shared<std::atomic_bool>(false);
    const QFuture<void> future = mThreads.start([work = std::move(work), cancel] { work(*cancel); });
    return waitFor(future, sLabel, *cancel, after);
}

bool BusyRunner::waitFor(const QFuture<void>& future, const QString& sLabel, std::atomic_bool& cancel,
                         AfterCancel after)
{
    QEventLoop loop;
    const QScopedValueRollback<std::atomic_bool*> running(mCancel, &cancel);
    const QScopedValueRollback<bool> notCancelled(mCancelled, false);
    const QScopedValueRollback<QEventLoop*> waiting(mLoop, &loop);
    QFutureWatcher<void> watcher;
    connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(future);

    bool cursorShown = false;
    std::unique_ptr<QProgressDialog> dialog;
    const auto showCursor = [&] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorShown = true;
    };
    const auto showDialog = [&] {
        dialog = std::make_unique<QProgressDialog>(sLabel, BusyRunner::tr("Cancel"), 0, 0, &mWindow);
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(0);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        connect(dialog.get(), &QProgressDialog::canceled, this, &BusyRunner::cancel);
        dialog->show();
        emit progressShown(dialog.get());
        // The loop runs again, now taking the user's input, which the dialog screens.
        loop.quit();
    };

    QTimer cursorTimer;
    cursorTimer.setSingleShot(true);
    connect(&cursorTimer, &QTimer::timeout, &loop, showCursor);
    QTimer dialogTimer;
    dialogTimer.setSingleShot(true);
    connect(&dialogTimer, &QTimer::timeout, &loop, showDialog);
    // A delay of 0 shows the pointer or the dialog at once, even for work that has
    // already ended, so that its Cancel can be pressed.
    if (mCursorDelay <= 0)
        showCursor();
    else if (!future.isFinished())
        cursorTimer.start(mCursorDelay);
    if (mDialogDelay <= 0)
        showDialog();
    else if (!future.isFinished())
        dialogTimer.start(mDialogDelay);

    // After a cancel, work that must not outlive the call is waited for without the
    // user's input; other work is left to end on its own.
    while (!future.isFinished() && !(mCancelled && after == AfterCancel::Return))
        loop.exec(dialog && !mCancelled ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);

    if (cursorShown)
        QApplication::restoreOverrideCursor();
    return mCancelled;
}
