#pragma once

#include "matches/MatchExport.h"

#include <QList>

class IFileDialog;
class IMatchesWindow;
class IMessageBox;
class MatchTableModel;

/// The commands of the Matches window: copy rows of the table, and export every match to a
/// file. Both work off the window's thread, so a million rows never stop the window.
class MatchesCommands {
public:
    /// window, messages and dialogs must outlive the commands.
    MatchesCommands(IMatchesWindow& window, IMessageBox& messages, IFileDialog& dialogs);

    /// Puts rows of the table on the clipboard as tab-separated text; nothing when rows is empty.
    void Copy(const MatchTableModel& model, const QList<RowRange>& rows);
    /// Asks for a file and writes every match of the table to it in format. A write that fails
    /// is reported with the system's message and leaves a file of that name as it was.
    void Export(const MatchTableModel& model, MatchFileFormat format);

private:
    IMatchesWindow& mWindow;
    IMessageBox& mMessages;
    IFileDialog& mDialogs;
};
