#pragma once

#include "app/FormLayout.h"
#include "app/frmSiftaControls.h"
#include "app/MainMenu.h"
#include "documents/DocumentCommands.h"
#include "documents/DocumentWindow.h"
#include "live/PatternStatus.h"
#include "search/SearchCommands.h"
#include "search/SearchWindow.h"

#include <QMainWindow>

#include <memory>

class BusyRunner;
class frmExplain;
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
class frmMatches;

/// The main window: the Search Text, the pattern and replacement boxes, the five search
/// and replace buttons, the syntax pane and the menus. Message boxes go through
/// `messages`, the remembered options and the settings location through `settings`, the
/// open and save dialogs through `dialogs` (the real ones when none is given), and long
/// steps such as searches and reading a file to `threads` (threads that nobody waits for
/// when none is given); all must outlive the window. The window reads the options when it
/// is created and writes them when it closes.
class frmSifta : public QMainWindow, private IDocumentWindow, private ISearchWindow {
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

    // The document as the File and search commands see it.
    QString documentText() const override;
    bool setDocumentText(const QString& sText) override;
    std::optional<QByteArray> swapDocumentUtf8(const QByteArray& utf8) override;
    qint64 documentCapacity() const override;
    bool runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work) override;
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

    // The window as the search commands see it.
    QString patternText() const override;
    void setPatternText(const QString& sPattern) override;
    QStringList patternHistory() const override;
    void setPatternHistory(const QStringList& history) override;
    bool ignoreCase() const override;
    QString replaceWithText() const override;
    QString newLineSequence() const override;
    qsizetype selStart() const override;
    qsizetype selLength() const override;
    void setSelection(qsizetype start, qsizetype length) override;
    bool replaceSelection(const QString& sText) override;
    void focusDocument() override;
    void showMatchLabels(const QString& sMatchNo, const QString& sSubMatches) override;
    void setSubMatchList(const QString& sList) override;
    void setSubMatchLines(const std::vector<int>& lines) override;
    void showWrapNotice(bool backward) override;
    void clearWrapNotice() override;
    /// Shows sNotice in place of the live count for a few seconds.
    void showNotice(const QString& sNotice);
    void showReplacePreview(const ReplacePreview& preview) override;
    std::optional<MatchCollection> liveMatches(const QString& pattern, bool ignoreCase) const override;
    void pauseLiveSearch(bool paused) override;
    bool searchInSelection() const override;
    void setSearchInSelection(bool bValue) override;
    std::optional<TextRange> searchRange() const override;
    void setSearchRange(const std::optional<TextRange>& range) override;
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
    bool mLivePaused = false;
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
    /// The Explain Pattern window's geometry as remembered, until the window exists.
    QString mExplainGeometry;
    std::unique_ptr<QtFileDialog> mOwnFileDialog;
    IFileDialog& mFileDialogs;
    std::unique_ptr<IWorkThreads> mOwnThreads;
    IWorkThreads& mThreads;
    DocumentCommands mDocumentCommands;
    SearchCommands mSearchCommands;
};
