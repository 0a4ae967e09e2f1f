#include "busy/BusyRunner.h"

#include <QApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

BusyRunner::BusyRunner(QWidget& window, QThreadPool& pool) : QObject(&window), mWindow(window), mPool(pool)
{
    setObjectName(QStringLiteral("busyRunner"));
}

void BusyRunner::setDelays(int cursorMsec, int dialogMsec)
{
    mCursorDelay = cursorMsec;
    mDialogDelay = dialogMsec;
}

bool BusyRunner::waitFor(const QFuture<void>& future, const QString& sLabel, std::atomic_bool& cancel)
{
    QEventLoop loop;
    QFutureWatcher<void> watcher;
    connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(future);

    bool cursorShown = false;
    bool cancelled = false;
    std::unique_ptr<QProgressDialog> dialog;
    const auto showCursor = [&] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorShown = true;
    };
    const auto showDialog = [&] {
        dialog = std::make_unique<QProgressDialog>(sLabel, QStringLiteral("Cancel"), 0, 0, &mWindow);
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(0);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        connect(dialog.get(), &QProgressDialog::canceled, dialog.get(), [&] {
            cancelled = true;
            cancel.store(true);
            // The loop runs again, now without the user's input, until the work has stopped.
            loop.quit();
        });
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

    while (!future.isFinished())
        loop.exec(dialog && !cancelled ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);

    if (cursorShown)
        QApplication::restoreOverrideCursor();
    return cancelled;
}
