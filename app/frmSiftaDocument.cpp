// The main window's document and its life: start-up and closing with the remembered
// options, the File commands and Help, About.

#include "app/frmSifta.h"

#include "about/frmHelp.h"
#include "window/MultiLineBox.h"
#include "window/StatusLine.h"
#include "busy/BusyRunner.h"
#include "documents/RememberedOptions.h"
#include "explain/frmExplain.h"
#include "live/LiveSearch.h"
#include "matches/frmMatches.h"
#include "platform/MessageBox.h"
#include "searchtext/TextExSearchText.h"
#include "settings/CSettings.h"
#include "textex/TextEx.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QSettings>
#include <QSignalBlocker>

#include <utility>

// Start-up and closing.

namespace {

QString iniRefusedText(const QString& sPath)
{
    return frmSifta::tr("%1 cannot be written (the disk may be full), so changes to the options cannot be kept "
                        "there. The options shown are those it holds; changes will be saved to the registry.")
        .arg(QDir::toNativeSeparators(sPath));
}

} // namespace

void frmSifta::Form_Load()
{
    mFileName = kUntitled;

    const RememberedOptions options = readRememberedOptions(mSettings);
    QComboBox* pattern = mControls.cboPattern;
    {
        const QSignalBlocker blocker(pattern);
        pattern->addItems(options.history);
        // Adding the first entry puts it in the edit field; the stored pattern goes there.
        pattern->setEditText(options.pattern);
    }
    mControls.txtReplace->setText(options.replaceWith);
    mControls.chkIgnoreCase->setCheckState(ignoreCaseState(options.ignoreCase));
    setWordWrap(options.wordWrap);
    setProportionalFont(options.proportionalFont);
    markSettingsLocation(mSettings.SaveToINI());
    setShowSyntax(options.showSyntax);
    setHighlightMatches(options.highlightMatches);
    setGroupColours(options.groupColours);
    setGroupColoursEveryMatch(options.groupColoursEveryMatch);
    setSearchInSelection(options.searchInSelection);
    setConvertCase(options.caseConversion);
    mMatchesGeometry = options.matchesWindowGeometry;
    setMatchesWindow(options.matchesWindow);
    mExplainGeometry = options.explainPatternGeometry;
    setExplainPattern(options.explainPattern);
    mControls.lblMatchNo->clear();
    // Applying word wrap can switch the inner box of the Search Text and so mark the
    // document changed; the new document starts unchanged.
    setDirty(false);
    // The options shown came from a Settings.ini that cannot take changes; told once the
    // window is up, so that the user sees them behind the message.
    if (optionsFromRefusedINI(mSettings))
        QMetaObject::invokeMethod(this, [this] { mMessages.show(iniRefusedText(mSettings.INIFile()), MessageButtons::Ok,
                                                                MessageIcon::Exclamation); }, Qt::QueuedConnection);
}

void frmSifta::Form_Unload(int& Cancel)
{
    if (QuerySaveChanges() == DocumentCommands::Cancelled) {
        Cancel = 1;
        return;
    }
    SaveOptions();
    mJournal->end();
}

void frmSifta::closeEvent(QCloseEvent* event)
{
    int Cancel = 0;
    Form_Unload(Cancel);
    if (Cancel != 0) {
        event->ignore();
        return;
    }
    event->accept();
    // Whatever the window was busy with, such as reading a file, is given up with it.
    mBusy->cancel();
}

void frmSifta::SaveOptions()
{
    RememberedOptions options;
    const QComboBox* pattern = mControls.cboPattern;
    options.pattern = pattern->currentText();
    for (int i = 0; i < pattern->count(); ++i)
        options.history.append(pattern->itemText(i));
    options.replaceWith = mControls.txtReplace->text();
    options.ignoreCase = ignoreCaseValue(mControls.chkIgnoreCase->checkState());
    options.wordWrap = WordWrap();
    options.proportionalFont = ProportionalFont();
    options.showSyntax = mMenu.mnuOptionsShowSyntax->isChecked();
    options.highlightMatches = HighlightMatches();
    options.groupColours = GroupColours();
    options.groupColoursEveryMatch = GroupColoursEveryMatch();
    options.searchInSelection = searchInSelection();
    options.caseConversion = ConvertCase();
    options.matchesWindow = MatchesWindow();
    options.matchesWindowGeometry = mMatchesWindow ? QString::fromLatin1(mMatchesWindow->saveGeometry().toBase64())
                                                   : mMatchesGeometry;
    options.explainPattern = ExplainPattern();
    options.explainPatternGeometry = mExplain ? QString::fromLatin1(mExplain->saveGeometry().toBase64()) : mExplainGeometry;
    writeRememberedOptions(mSettings, options);
}

// Document state.

int frmSifta::QuerySaveChanges()
{
    return mDocumentCommands->QuerySaveChanges();
}

void frmSifta::LoadDocument(const QString& sFile)
{
    mDocumentCommands->Load(sFile);
}

void frmSifta::LoadCommandLineDocument(const QString& sFile)
{
    mDocumentCommands->Load(sFile, DocumentCommands::ErrorNaming::WithPath);
}

void frmSifta::connectSearchText()
{
    // The editor cannot show a very long line quickly: the user is told why the window waits
    // before it does, and the notice stays a while after the wait.
    connect(mSearchText, &TextExSearchText::longLineWriting, this, [this](qsizetype longest) {
        showNotice(longLineNoticeText(longest));
        mMatchCount->repaint();
    });
    connect(mSearchText, &TextExSearchText::longLineWritten, this, [this](bool written) {
        if (written) {
            mNoticeTimer->start();
            return;
        }
        mNotice.clear();
        showMatchCount();
    });
    connect(mSearchText, &TextExSearchText::searchRangeChanged, this, &frmSifta::showMatchCount);
    connect(mSearchText, &TextExSearchText::busyChanged, this, [this](bool busy) {
        mLive->setHeld(busy);
        // File, Exit during the work closed the last window, which ends the event loop only
        // while it runs: the work may have come before the loop was started, at start-up.
        if (!busy && std::exchange(mQuitAfterBusy, false))
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    });
}

void frmSifta::txtDocument_TooLong()
{
    mMessages.show(frmSifta::tr("The Search Text cannot hold that much text: it holds at most %1 bytes (in UTF-8). "
                                "The text was left as it was.")
                       .arg(QLocale().toString(mControls.txtDocument->Capacity())),
                   MessageButtons::Ok, MessageIcon::Exclamation);
}

QString frmSifta::fileName() const
{
    return mFileName;
}

void frmSifta::setFileName(const QString& sFileName)
{
    mFileName = sFileName;
}

void frmSifta::showFormat(const TextFormat& format)
{
    mEncoding->setText(encodingText(format));
    mEncoding->setToolTip(encodingToolTip(format));
    placeMatchCount();
}

// File commands.

void frmSifta::mnuFileNew_Click()
{
    mDocumentCommands->New();
}

void frmSifta::mnuFileOpen_Click()
{
    mDocumentCommands->Open();
}

void frmSifta::mnuFileSave_Click()
{
    mDocumentCommands->Save();
}

void frmSifta::mnuFileSaveAs_Click()
{
    mDocumentCommands->SaveAs();
}

void frmSifta::mnuFileExit_Click()
{
    if (!close())
        return;
    // The program ends at once: the about window, which has no owner, closes too, and
    // with the last window gone the event loop ends.
    QApplication::closeAllWindows();
    mQuitAfterBusy = mBusy->running();
}

void frmSifta::txtDocument_OLEDragDrop(const QMimeData* Data)
{
    if (Data)
        mDocumentCommands->Drop(*Data);
}

// Help.

void frmSifta::mnuHelpAbout_Click()
{
    frmHelp::showAbout(this);
}
