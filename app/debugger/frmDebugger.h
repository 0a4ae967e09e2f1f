#pragma once

#include <QString>
#include <QWidget>

#include <atomic>
#include <memory>

class IWorkThreads;
class LatestRun;
class QLabel;
class QPushButton;
class QSpinBox;
class QTimer;
class StepListView;
class StepTrace;

/// A tool window that steps through the engine's attempt to match a pattern: each step
/// shows the position in the text and the part of the pattern, both marked, the groups so
/// far, and whether the engine backtracked to get there. The steps are computed off the
/// window's thread and listed virtually, up to ten million of them.
/// Object names: `frmDebugger`, `lblPattern`, `lblText`, `lblGroups`, `lblStatus`, `lstSteps`,
/// `cmdBack`, `cmdForward`, `cmdNextBacktrack`, `spnStep`, `cmdGo`.
class frmDebugger : public QWidget {
    Q_OBJECT
public:
    /// The steps are computed on threads, which must outlive the window.
    explicit frmDebugger(IWorkThreads& threads, QWidget* parent = nullptr);
    ~frmDebugger() override;

    /// Steps through pattern under ignoreCase on text from start position first, trying
    /// start positions up to last; what was shown before goes at once.
    void debug(const QString& pattern, bool ignoreCase, const QString& text, qsizetype first, qsizetype last);
    /// Steps kept of one attempt; ten million unless lowered.
    void setMaxSteps(qsizetype steps) { mMaxSteps = steps; }

    /// The steps shown, or null while they are computed or when there are none.
    const StepTrace* trace() const { return mTrace.get(); }
    /// The step shown (0-based), -1 for none.
    qsizetype currentStep() const;
    void setCurrentStep(qsizetype step);

signals:
    /// The steps of the last debug are ready (or the pattern could not be traced).
    void traced();
    /// The user closed the window.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showTrace(const std::shared_ptr<const StepTrace>& trace);
    void showStep(qsizetype step);
    void showProgress();
    QString outcomeText() const;

    LatestRun* mRun;
    QLabel* mPattern;
    QLabel* mText;
    QLabel* mGroups;
    QLabel* mStatus;
    StepListView* mSteps;
    QPushButton* mBack;
    QPushButton* mForward;
    QPushButton* mNextBacktrack;
    QSpinBox* mStep;
    QPushButton* mGo;
    QTimer* mProgressTimer;
    std::shared_ptr<std::atomic<qsizetype>> mProgress;
    std::shared_ptr<const StepTrace> mTrace;
    qsizetype mMaxSteps;
};
