#pragma once

#include "window/FormLayout.h"
#include "app/frmSiftaControls.h"
#include "window/MainMenu.h"
#include "documents/DocumentCommands.h"
#include "documents/DocumentWindow.h"
#include "journal/DocumentJournal.h"
#include "live/PatternStatus.h"
#include "search/SearchCommands.h"
#include "search/SearchWindow.h"
#include "testcases/TestCaseFile.h"

#include <QMainWindow>

#include <memory>

class BusyRunner;
class frmExplain;
class frmTestCases;
class CSettings;
class IFileDialog;
class LiveSearch;
class MatchHighlighter;
class PatternFeedback;
class IMessageBox;
class IWorkThreads;
class KeyPreview;
class QLabel;
class QMimeData;
class QTimer;
class QtFileDialog;
class TextExSearchText;
class frmMatches;
struct Recovery;
class frmDebugger;
class LatestRun;
class PatternMarks;
class SlowPatternWatch;

/// The main window: the Search Text, the pattern and replacement boxes, the five search
/// and replace buttons, the syntax pane and the menus. Message boxes go through
/// `messages`, the remembered options and the settings location through `settings`, the
/// open and save dialogs through `dialogs` (the real ones when none is given), and long
/// steps such as searches and reading a file to `threads` (threads that nobody waits for
/// when none is given); all must outlive the window. The window reads the options when it
/// is created and writes them when it closes.
class frmSifta : public QMainWindow, private IDocumentWindow, private ISearchWindow, private IJournalDocument {
    Q_OBJECT

public:
    frmSifta(IMessageBox& messages, CSettings& settings, IFileDialog* dialogs = nullptr,
             IWorkThreads* threads = nullptr, QWidget* parent = nullptr);
    ~frmSifta() override;

    /// True while the document has changes that are not saved. Setting the other value
    /// refreshes the caption; setting the same value does nothing.
    bool Dirty() const override { return mDirty; }
    void setDirty(bool bValue) override;
    /// Sets the caption: "*" while Dirty, the document's file name, " - Siftwell".
    void RefreshCaption() override;
    /// Offers to save a changed document: 2 when the user cancelled, 1 otherwise.
    int QuerySaveChanges();
    /// Loads `sFile` as the document, as File, Open does once the file is chosen; a file
    /// that cannot be read is reported and leaves the document as it was.
    void LoadDocument(const QString& sFile);
    /// Loads `sFile`, named on the command line, as LoadDocument does; a file that cannot
    /// be read is reported with its path, since no dialog has shown it to the user.
    void LoadCommandLineDocument(const QString& sFile);
    /// Restores the document that `recovery`'s journal kept, as it was at its last change,
    /// and goes on writing that journal. False, after a message, when the Search Text cannot
    /// hold the text; the journal is then left as it is.
    bool RestoreJournal(Recovery&& recovery);
    /// The document's recovery journal.
    DocumentJournal& journal() { return *mJournal; }

    /// Long lines of the Search Text wrap (true) or scroll sideways (false).
    bool WordWrap() const;
    void setWordWrap(bool bValue);
    /// The Search Text shows "Lucida Sans" (true) or "Lucida Console" (false), keeping its size.
    bool ProportionalFont() const;
    void setProportionalFont(bool bValue);
    /// Every match of the pattern is marked in the Search Text while the user types.
    bool HighlightMatches() const;
    void setHighlightMatches(bool bValue);
    /// The Matches window is open: every match of the pattern in a table, kept up to date.
    bool MatchesWindow() const;
    void setMatchesWindow(bool bValue);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Start-up and closing.
    void Form_Load();
    void Form_Unload(int& Cancel);
    void SaveOptions();

    // The document as the window shows it.
    /// Connects what the window shows around the Search Text to its adapter.
    void connectSearchText();
    QString fileName() const override;
    void setFileName(const QString& sFileName) override;
    void showFormat(const TextFormat& format) override;

    // File and Help commands.
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFileExit_Click();
    void txtDocument_OLEDragDrop(const QMimeData* Data);
    /// Tells the user that the Search Text refused a text too long for it.
    void txtDocument_TooLong();
    void mnuHelpAbout_Click();

    void connectCommands();

    // Layout.
    void Form_Resize();
    /// Places the controls where mGeometry says; labels widen to captions the layout cannot foresee.
    void placeControls();
    int pixelsY(double twips) const;
    /// Shrinks and moves the window so that it lies inside the free area of its screen.
    void fitToScreen();

    // Search and replace.
    void cmdFind_Click();
    void cmdFindPrev_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();
    void cmdUndo_Click();
    void mnuToolsReplaceAndFindNext_Click();
    void mnuToolsUseSelectionAsPattern_Click();
    void mnuToolsSearchInSelection_Click();
    void mnuToolsMatchesWindow_Click();
    void mnuToolsPreviewReplaceAll_Click();
    /// The Explain Pattern window is open beside the window, following the pattern box.
    bool ExplainPattern() const;
    void setExplainPattern(bool bValue);
    void mnuToolsExplainPattern_Click();
    void updateExplanation();
    void placeExplainWindow();
    /// Replace All, Replace and Find Next, the preview and the test cases read the case
    /// sequences \U \L \u \l \E in the Replace With text.
    bool ConvertCase() const;
    void setConvertCase(bool bValue);
    void mnuToolsCaseConversion_Click();
    /// The Test Cases window is open beside the window, checking its cases against the pattern.
    bool TestCases() const;
    void setTestCases(bool bValue);
    void mnuToolsTestCases_Click();
    void updateTestCases();
    void testCases_SuiteOpened(const TestSuite& suite);
    // Tools, Debug Pattern, and the steps and warnings on the pattern's parts.
    void connectDebugger();
    void mnuToolsDebugPattern_Click();
    /// Marks the repeats of the pattern that can match the same text in many ways.
    void updatePatternWarnings();
    /// Counts the engine's steps per part of the pattern on the Search Text, off the window's thread.
    void countPatternSteps();

    // The window as the search commands see it.
    QString patternText() const override;
    void setPatternText(const QString& sPattern) override;
    QStringList patternHistory() const override;
    void setPatternHistory(const QStringList& history) override;
    bool ignoreCase() const override;
    QString replaceWithText() const override;
    void showMatchLabels(const QString& sMatchNo, const QString& sSubMatches) override;
    void setSubMatchList(const QString& sList) override;
    void setSubMatchLines(const std::vector<int>& lines) override;
    void showWrapNotice(bool backward) override;
    void clearWrapNotice() override;
    /// Shows sNotice in place of the live count for a few seconds.
    void showNotice(const QString& sNotice);
    void showReplacePreview(const ReplacePreview& preview) override;
    bool searchInSelection() const override;
    void setSearchInSelection(bool bValue) override;
    void showNote(const QString& sNote) override;

    // Live matching and long operations.
    void connectLive();
    /// Hands the pattern and the case option to the live matching.
    void updateLiveSearch();
    void mnuFormatHighlightMatches_Click();
    /// The groups of the selected match, or of every match, are marked in their colours, and
    /// the lines of the sub-match list in the same colours.
    bool GroupColours() const;
    void setGroupColours(bool bValue);
    bool GroupColoursEveryMatch() const;
    void setGroupColoursEveryMatch(bool bValue);
    void mnuFormatGroupColours_Click();
    void mnuFormatGroupColoursEveryMatch_Click();
    void applyGroupColours();
    /// Live matching runs while its matches are marked or listed, and no replacement runs.
    void applyLiveEnabled();

    // The count of the live matching beside the status line, the notice of a search that
    // went around the text, and the Matches window.
    void connectMatches();
    void showLiveStatus(const PatternStatus& status);
    /// Shows the notice while it lasts, else the live count.
    void showMatchCount();
    /// Puts the count between the Search Text's label and the status line's text.
    void placeMatchCount();
    frmMatches* matchesWindow();
    void matchesWindow_VisibilityChanged(bool visible);

    // Keyboard and caret status.
    void Form_KeyPress(int& KeyAscii);
    void UpdateCursorLabel();
    void txtDocument_Change();
    void txtDocument_Click();
    void txtDocument_KeyUp(int KeyCode, int Shift);

    // Edit commands.
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditSelectAll_Click();
    void mnuEditFind_Click();
    void mnuEditFindNext_Click();
    void mnuEditFindPrevious_Click();
    void mnuEditReplace_Click();

    // Format and Options commands.
    bool ShowSyntax() const;
    void setShowSyntax(bool bValue);
    void mnuFormatWordWrap_Click();
    void mnuFormatProportionalFont_Click();
    void mnuOptionsShowSyntax_Click();
    void mnuOptionsSaveToINI_Click();
    void mnuOptionsSaveToRegistry_Click();
    void markSettingsLocation(bool saveToINI);

    // The recovery journal.
    void connectJournal();
    void mnuOptionsRecoveryJournal_Click();
    JournalState journalState() const override;
    std::function<QString()> journalText() const override;
    bool journalTextEmpty() const override;
    QWidget* activeControl() const;

    IMessageBox& mMessages;
    CSettings& mSettings;
    frmSiftaControls mControls;
    MainMenu mMenu;
    FormGeometry mGeometry;
    KeyPreview* mKeyPreview = nullptr;

    QString mFileName = kUntitled;
    bool mDirty = false;
    /// Set by File, Exit while busy work runs, so that the program ends once it has stopped.
    bool mQuitAfterBusy = false;
    LiveSearch* mLive = nullptr;
    MatchHighlighter* mHighlighter = nullptr;
    PatternFeedback* mPatternFeedback = nullptr;
    /// The lines of the sub-match list that each group takes.
    std::vector<int> mSubMatchLines;
    BusyRunner* mBusy = nullptr;
    QLabel* mMatchCount = nullptr;
    /// The encoding of the document's file, left of the status line's text.
    QLabel* mEncoding = nullptr;
    QString mMatchCountText;
    QString mNotice;
    QTimer* mNoticeTimer = nullptr;
    frmMatches* mMatchesWindow = nullptr;
    /// The Matches window's geometry as remembered, until the window exists.
    QString mMatchesGeometry;
    frmExplain* mExplain = nullptr;
    frmDebugger* mDebugger = nullptr;
    PatternMarks* mPatternMarks = nullptr;
    LatestRun* mStepCounts = nullptr;
    SlowPatternWatch* mSlowWatch = nullptr;
    /// The Explain Pattern window's geometry as remembered, until the window exists.
    QString mExplainGeometry;
    frmTestCases* mTestCases = nullptr;
    std::unique_ptr<QtFileDialog> mOwnFileDialog;
    IFileDialog& mFileDialogs;
    std::unique_ptr<IWorkThreads> mOwnThreads;
    IWorkThreads& mThreads;
    TextExSearchText* mSearchText = nullptr;
    std::unique_ptr<DocumentCommands> mDocumentCommands;
    std::unique_ptr<SearchCommands> mSearchCommands;
    /// Last, so that it goes first, while the document it reads is still there; shared with
    /// the handlers of the controls' signals, which tearing the widgets down may still raise.
    std::shared_ptr<DocumentJournal> mJournal;
};
