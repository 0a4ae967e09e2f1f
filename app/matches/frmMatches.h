#pragma once

#include "busy/WorkThreads.h"
#include "live/PatternStatus.h"
#include "matches/MatchesCommands.h"
#include "matches/MatchesWindow.h"
#include "regex/MatchCollection.h"

#include <QWidget>

class BusyRunner;
class IFileDialog;
class IMessageBox;
class MatchTableModel;
class QLabel;
class QPushButton;
class QTableView;
class QThreadPool;

/// The Matches window: every match of the pattern as a table, as the live matching finds
/// them, with a line telling how many there are (or why there are none). Double-clicking a
/// row, or Enter on it, asks for that match to be selected in the Search Text. Copy puts the
/// selected rows on the clipboard; Export writes every match to a CSV or a JSON Lines file.
class frmMatches : public QWidget, private IMatchesWindow {
    Q_OBJECT
public:
    /// messages and dialogs must outlive the window.
    frmMatches(IMessageBox& messages, IFileDialog& dialogs, QWidget* parent = nullptr);
    ~frmMatches() override;

    /// Shows matches, every match of the live matching's last run, in place of the ones before.
    void setMatches(const MatchCollection& matches);
    /// Shows what the live matching tells about the pattern: an error in place of the count.
    void setStatus(const PatternStatus& status);
    const MatchTableModel& table() const { return *mModel; }

signals:
    /// The user chose match index of matches.
    void matchActivated(const MatchCollection& matches, qsizetype index);
    /// The window was shown or hidden, by the user or by the program.
    void visibilityChanged(bool visible);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work) override;
    void setClipboardText(const QString& sText) override;

    void cmdCopy_Click();
    void showCount();
    /// Column widths that fit their titles and the numbers of the current matches.
    void fitColumns();
    QList<RowRange> selectedRows() const;

    /// Lines are counted and long commands run here, never on Qt's global pool, which helps
    /// paint: one thread, which the window's own steps take in turn.
    QThreadPool* mPool = nullptr;
    PoolThreads mPoolThreads;
    MatchTableModel* mModel = nullptr;
    QLabel* mCount = nullptr;
    QTableView* mTable = nullptr;
    BusyRunner* mBusy = nullptr;
    PatternStatus mStatus;
    /// What the widths were fitted to: the number of columns, and the digits of the number
    /// of matches and of the text's length.
    QList<qsizetype> mFittedShape;
    MatchesCommands mCommands;
};
