#include "app/frmSifta.h"

#include "app/ControlPlacement.h"
#include "window/EditTargets.h"
#include "window/KeyPreview.h"
#include "window/MenuBarKeys.h"
#include "window/StatusLine.h"
#include "window/WindowFit.h"
#include "busy/BusyPointer.h"
#include "busy/WorkThreads.h"
#include "documents/DocumentCaption.h"
#include "live/LiveSearch.h"
#include "platform/QtFileDialog.h"
#include "searchtext/TextExSearchText.h"
#include "settings/CSettings.h"
#include "textex/FontFaces.h"
#include "textex/TextEx.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>


#include <algorithm>

frmSifta::frmSifta(IMessageBox& messages, CSettings& settings, IFileDialog* dialogs, IWorkThreads* threads,
                   QWidget* parent)
    : QMainWindow(parent), mMessages(messages), mSettings(settings), mGeometry(designGeometry()),
      mOwnFileDialog(dialogs ? nullptr : std::make_unique<QtFileDialog>(this)),
      mFileDialogs(dialogs ? *dialogs : *mOwnFileDialog),
      mOwnThreads(threads ? nullptr : std::make_unique<DetachedThreads>()), mThreads(threads ? *threads : *mOwnThreads)
{
    setObjectName(QStringLiteral("frmSifta"));
    setWindowTitle(QStringLiteral("Siftwell"));
    setFont(windowsFont(QStringLiteral("MS Sans Serif"), 8.25));

    mMenu = buildMainMenu(menuBar());
    auto* inner = new QWidget(this);
    inner->setObjectName(QStringLiteral("frmSiftaInner"));
    setCentralWidget(inner);
    mControls = buildControls(inner);
    inner->installEventFilter(this);
    mControls.txtDocument->hwnd()->installEventFilter(this);

    connectCommands();
    mKeyPreview = new KeyPreview(this,
                                 {mMenu.mnuFileNew, mMenu.mnuFileOpen, mMenu.mnuFileSave, mMenu.mnuEditCut,
                                  mMenu.mnuEditCopy, mMenu.mnuEditPaste, mMenu.mnuEditSelectAll, mMenu.mnuEditFind,
                                  mMenu.mnuEditFindNext, mMenu.mnuEditFindPrevious, mMenu.mnuEditReplace,
                                  mMenu.mnuToolsReplaceAndFindNext, mMenu.mnuToolsMatchesWindow,
                                  mMenu.mnuToolsPreviewReplaceAll, mMenu.mnuToolsExplainPattern,
                                  mMenu.mnuToolsDebugPattern},
                                  AccessKeys(mControls.accessKeyControls),
                                 [this](int& KeyAscii) { Form_KeyPress(KeyAscii); });
    // The commands of the window, not those of the focused control, work from its tool windows.
    mKeyPreview->setToolWindowItems(
        {mMenu.mnuFileNew, mMenu.mnuFileOpen, mMenu.mnuFileSave, mMenu.mnuEditFind, mMenu.mnuEditFindNext,
         mMenu.mnuEditFindPrevious, mMenu.mnuEditReplace, mMenu.mnuToolsReplaceAndFindNext, mMenu.mnuToolsMatchesWindow,
         mMenu.mnuToolsPreviewReplaceAll, mMenu.mnuToolsExplainPattern, mMenu.mnuToolsDebugPattern},
        {mMenu.mnuEditFind, mMenu.mnuEditFindNext, mMenu.mnuEditFindPrevious, mMenu.mnuEditReplace,
         mMenu.mnuToolsReplaceAndFindNext});
    new MenuBarKeys(menuBar());

    resize(twipsToPixels(kDesignInnerWidth, logicalDpiX()),
           pixelsY(kDesignInnerHeight) + menuBar()->sizeHint().height());
    // A designed size, or one grown by the syntax pane, can be larger than a small or highly
    // scaled screen; the window then opens or grows as large as the screen lets it.
    keepOnScreen(this);
    Form_Resize();

    connectLive();
    mSearchText = new TextExSearchText(*mControls.txtDocument, *mBusy, this);
    mDocumentCommands = std::make_unique<DocumentCommands>(static_cast<IDocumentWindow&>(*this), *mSearchText,
                                                           messages, mFileDialogs);
    mSearchCommands =
        std::make_unique<SearchCommands>(static_cast<ISearchWindow&>(*this), *mSearchText, *mLive, messages);
    connectSearchText();
    connectMatches();
    connectJournal();
    connectDebugger();
    Form_Load();
    mControls.cboPattern->setFocus();
}

frmSifta::~frmSifta() = default;

void frmSifta::connectCommands()
{
    const frmSiftaControls& c = mControls;
    connect(c.cmdFind, &QPushButton::clicked, this, &frmSifta::cmdFind_Click);
    connect(c.cmdFindPrev, &QPushButton::clicked, this, &frmSifta::cmdFindPrev_Click);
    connect(c.cmdReplace, &QPushButton::clicked, this, &frmSifta::cmdReplace_Click);
    connect(c.cmdReplaceAll, &QPushButton::clicked, this, &frmSifta::cmdReplaceAll_Click);
    connect(c.cmdUndo, &QPushButton::clicked, this, &frmSifta::cmdUndo_Click);

    connect(c.txtDocument, &TextEx::Change, this, &frmSifta::txtDocument_Change);
    // Once the change is complete: switching word wrap writes the text again and only then
    // marks the range of Search in Selection again.
    connect(c.txtDocument, &TextEx::Change, this, [this] { mSearchCommands->textChanged(); }, Qt::QueuedConnection);
    connect(c.txtDocument, &TextEx::Click, this, &frmSifta::txtDocument_Click);
    connect(c.txtDocument, &TextEx::KeyUp, this, &frmSifta::txtDocument_KeyUp);
    connect(c.txtDocument, &TextEx::OLEDragDrop, this, &frmSifta::txtDocument_OLEDragDrop);
    connect(c.txtDocument, &TextEx::TooLong, this, &frmSifta::txtDocument_TooLong);
    // Indexing a large text at its first edit holds the window up as long as the text took to go in.
    c.txtDocument->setSlowStepRunner([](qint64 nBytes, const std::function<void()>& work) {
        const BusyPointer busy(nBytes >= kLargeTextLength);
        work();
    });

    const auto command = [this](QAction* item, void (frmSifta::*handler)()) {
        connect(item, &QAction::triggered, this, [this, item, handler] {
            // Qt has already flipped the mark of a checkable item; the command itself
            // decides where the mark goes, so it starts from the mark as it was.
            if (item->isCheckable()) {
                const QSignalBlocker blocker(item);
                item->setChecked(!item->isChecked());
            }
            (this->*handler)();
        });
    };
    command(mMenu.mnuFileNew, &frmSifta::mnuFileNew_Click);
    command(mMenu.mnuFileOpen, &frmSifta::mnuFileOpen_Click);
    command(mMenu.mnuFileSave, &frmSifta::mnuFileSave_Click);
    command(mMenu.mnuFileSaveAs, &frmSifta::mnuFileSaveAs_Click);
    command(mMenu.mnuFileExit, &frmSifta::mnuFileExit_Click);
    command(mMenu.mnuEditCut, &frmSifta::mnuEditCut_Click);
    command(mMenu.mnuEditCopy, &frmSifta::mnuEditCopy_Click);
    command(mMenu.mnuEditPaste, &frmSifta::mnuEditPaste_Click);
    command(mMenu.mnuEditSelectAll, &frmSifta::mnuEditSelectAll_Click);
    command(mMenu.mnuEditFind, &frmSifta::mnuEditFind_Click);
    command(mMenu.mnuEditFindNext, &frmSifta::mnuEditFindNext_Click);
    command(mMenu.mnuEditFindPrevious, &frmSifta::mnuEditFindPrevious_Click);
    command(mMenu.mnuEditReplace, &frmSifta::mnuEditReplace_Click);
    command(mMenu.mnuFormatWordWrap, &frmSifta::mnuFormatWordWrap_Click);
    command(mMenu.mnuFormatProportionalFont, &frmSifta::mnuFormatProportionalFont_Click);
    command(mMenu.mnuFormatHighlightMatches, &frmSifta::mnuFormatHighlightMatches_Click);
    command(mMenu.mnuFormatGroupColours, &frmSifta::mnuFormatGroupColours_Click);
    command(mMenu.mnuFormatGroupColoursEveryMatch, &frmSifta::mnuFormatGroupColoursEveryMatch_Click);
    command(mMenu.mnuOptionsShowSyntax, &frmSifta::mnuOptionsShowSyntax_Click);
    command(mMenu.mnuOptionsSaveToINI, &frmSifta::mnuOptionsSaveToINI_Click);
    command(mMenu.mnuOptionsSaveToRegistry, &frmSifta::mnuOptionsSaveToRegistry_Click);
    command(mMenu.mnuToolsReplaceAndFindNext, &frmSifta::mnuToolsReplaceAndFindNext_Click);
    command(mMenu.mnuToolsUseSelectionAsPattern, &frmSifta::mnuToolsUseSelectionAsPattern_Click);
    command(mMenu.mnuToolsSearchInSelection, &frmSifta::mnuToolsSearchInSelection_Click);
    command(mMenu.mnuToolsMatchesWindow, &frmSifta::mnuToolsMatchesWindow_Click);
    command(mMenu.mnuToolsPreviewReplaceAll, &frmSifta::mnuToolsPreviewReplaceAll_Click);
    command(mMenu.mnuToolsExplainPattern, &frmSifta::mnuToolsExplainPattern_Click);
    command(mMenu.mnuToolsCaseConversion, &frmSifta::mnuToolsCaseConversion_Click);
    command(mMenu.mnuToolsTestCases, &frmSifta::mnuToolsTestCases_Click);
    command(mMenu.mnuToolsDebugPattern, &frmSifta::mnuToolsDebugPattern_Click);
    command(mMenu.mnuHelpAbout, &frmSifta::mnuHelpAbout_Click);
}

// Layout.

int frmSifta::pixelsY(double twips) const
{
    return twipsToPixels(twips, logicalDpiY());
}

bool frmSifta::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        Form_Resize();
    if (watched == mControls.txtDocument->hwnd() && event->type() == QEvent::KeyPress) {
        // Ctrl+Enter types a line break as Enter does, as the hint under Replace With says.
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
            mControls.txtDocument->setSelText(mControls.txtDocument->NewLineSequence());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmSifta::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmSifta::fitToScreen()
{
    fitWindowToScreen(this);
}

void frmSifta::Form_Resize()
{
    const QSize inner = centralWidget()->size();
    mGeometry = ::Form_Resize(mGeometry, pixelsToTwips(inner.width(), logicalDpiX()),
                              pixelsToTwips(inner.height(), logicalDpiY()), isMinimized(),
                              !mControls.fraSyntax->isHidden());
    placeControls();
}

void frmSifta::placeControls()
{
    ::placeControls(mControls, mGeometry, logicalDpiX(), logicalDpiY());
    placeMatchCount();
}

// Tab and Shift+Tab visit the controls in the window's own order, across its frames.
bool frmSifta::focusNextPrevChild(bool next)
{
    const QList<QWidget*>& order = mControls.tabOrder;
    QWidget* focus = focusWidget();
    const auto current = std::find_if(order.begin(), order.end(), [focus](QWidget* control) {
        return control == focus || control->isAncestorOf(focus);
    });
    if (current == order.end())
        return QMainWindow::focusNextPrevChild(next);

    const qsizetype count = order.size();
    qsizetype index = current - order.begin();
    for (qsizetype step = 0; step < count; ++step) {
        index = (index + (next ? 1 : count - 1)) % count;
        QWidget* candidate = order.at(index);
        if (candidate->isVisibleTo(this) && candidate->isEnabled()) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

// Document state.

void frmSifta::setDirty(bool bValue)
{
    if (mDirty == bValue)
        return;
    mDirty = bValue;
    RefreshCaption();
}

void frmSifta::RefreshCaption()
{
    setWindowTitle(documentCaption(mFileName, mDirty));
}

// Keyboard and caret status.

QWidget* frmSifta::activeControl() const
{
    return focusWidget();
}

void frmSifta::Form_KeyPress(int& KeyAscii)
{
    if (KeyAscii != 1)
        return;
    if (std::unique_ptr<EditTarget> target = editTargetFor(activeControl())) {
        target->selectAll();
        KeyAscii = 0;
    }
}

void frmSifta::UpdateCursorLabel()
{
    const TextEx* document = mControls.txtDocument;
    const int line = document->CurrentLine();
    const int column = document->CurrentChar();
    const int length = document->TextLength();
    mControls.lblCursor->setText(statusLineText(qint64(line) + 1, qint64(column) + 1, length));
    placeMatchCount();
}

void frmSifta::txtDocument_Change()
{
    if (!Dirty())
        setDirty(true);
    UpdateCursorLabel();
}

void frmSifta::txtDocument_Click()
{
    UpdateCursorLabel();
}

void frmSifta::txtDocument_KeyUp(int /*KeyCode*/, int /*Shift*/)
{
    UpdateCursorLabel();
}
