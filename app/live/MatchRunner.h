#pragma once

#include "regex/MatchCollection.h"
#include "regex/RegExp.h"
#include "regex/RegExpError.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

class IWorkThreads;

/// Gives a text to search; called on the thread of the run, so that it may decode there.
using TextReader = std::function<QString()>;

/// Runs a regular expression over a snapshot of a text off the user-interface thread, one
/// run that counts at a time: starting a run cancels the one before it and starts at once,
/// without waiting for the old one to stop. A run that was cancelled or superseded never
/// reports; one that cannot stop at once ends on its own, unseen, since it owns what it
/// uses. Results are the compact match collection of the component.
class MatchRunner : public QObject {
    Q_OBJECT
public:
    /// Runs go to threads, which must outlive the runner.
    explicit MatchRunner(IWorkThreads& threads, QObject* parent = nullptr);
    /// Cancels the current run.
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
    IWorkThreads& mThreads;
    quint64 mGeneration = 0;
    bool mRunning = false;
    /// The cancel flag of the newest run.
    std::shared_ptr<std::atomic_bool> mCancel;
};
