#pragma once

#include "testcases/TestCaseCheck.h"

#include <QObject>

#include <atomic>
#include <memory>

class IWorkThreads;

/// Checks a suite off the user-interface thread, one run that counts at a time: a new run
/// cancels the one before it and starts at once; a cancelled or superseded run never reports.
class TestCaseRunner : public QObject {
    Q_OBJECT
public:
    /// Runs go to threads, which must outlive the runner.
    explicit TestCaseRunner(IWorkThreads& threads, QObject* parent = nullptr);
    /// Cancels the current run.
    ~TestCaseRunner() override;

    /// Starts checking suite (copied) in place of the run before.
    void start(const TestSuite& suite);
    /// True from start until the newest run has reported.
    bool isRunning() const { return mRunning; }

signals:
    /// The newest run checked every case.
    void finished(const SuiteOutcome& outcome);

private:
    void cancel();

    IWorkThreads& mThreads;
    quint64 mGeneration = 0;
    bool mRunning = false;
    std::shared_ptr<std::atomic_bool> mCancel;
};
