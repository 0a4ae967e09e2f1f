#pragma once

#include "search/MatchCollection.h"
#include "search/RegExp.h"
#include "search/RegExpError.h"

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QThreadPool;

/// Gives a text to search; called on the thread of the run, so that it may decode there.
using TextReader = std::function<QString()>;

/// Runs a regular expression over a snapshot of a text on a thread pool, one run at a time:
/// starting a run cancels the one before it, which stops within its search, and the new run
/// starts once it has. A run that was cancelled or superseded never reports. Results are the
/// compact match collection of the component.
class MatchRunner : public QObject {
    Q_OBJECT
public:
    /// Runs go to pool, which must outlive the runner.
    explicit MatchRunner(QThreadPool& pool, QObject* parent = nullptr);
    /// Cancels the current run and waits for it to stop.
    ~MatchRunner() override;

    /// Starts expression (copied; copies share the compiled form) over the text that read
    /// gives on the run's thread. Returns the run's generation, which finished or failed
    /// will carry.
    quint64 start(const RegExp& expression, TextReader read);
    /// Cancels the current run; it will not report.
    void cancel();
    /// True from start until the current run has reported or been cancelled.
    bool isRunning() const { return mRunning; }
    /// The generation of the newest run.
    quint64 generation() const { return mGeneration; }

signals:
    void finished(quint64 generation, const MatchCollection& matches);
    /// The component failed on this text (e.g. its backtracking limit); never for a cancel.
    void failed(quint64 generation, const RegExpError& error);

private:
    struct Request {
        RegExp expression;
        TextReader read;
        quint64 generation = 0;
    };

    void launch(Request request);
    void runEnded();

    QThreadPool& mPool;
    quint64 mGeneration = 0;
    bool mRunning = false;
    /// The run on the pool, until it has ended, and its cancel flag.
    QFutureWatcher<void> mRun;
    std::shared_ptr<std::atomic_bool> mCancel;
    /// A run started while a cancelled one was still stopping; it follows that one.
    std::optional<Request> mWaiting;
};

