// The main window's view of every match: the live count beside the status line, the brief
// notice of a search that went around the text, the Matches window and the preview of
// Replace All.

#include "app/frmSifta.h"

#include "searchtext/TextExSearchText.h"

#include "window/KeyPreview.h"
#include "window/StatusLine.h"
#include "live/LiveCount.h"
#include "live/LiveSearch.h"
#include "matches/frmMatches.h"
#include "matches/frmReplacePreview.h"

#include <QAction>
#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace {

/// How long the notice of a search that went around the text stays, in milliseconds.
constexpr int kNoticeMsec = 4000;

} // namespace

void frmSifta::connectMatches()
{
    mMatchCount = new QLabel(centralWidget());
    mMatchCount->setObjectName(QStringLiteral("lblMatchCount"));
    mMatchCount->setTextFormat(Qt::PlainText);
    mMatchCount->setAlignment(Qt::AlignRight | Qt::AlignTop);
    mEncoding = new QLabel(centralWidget());
    mEncoding->setObjectName(QStringLiteral("lblEncoding"));
    mEncoding->setTextFormat(Qt::PlainText);
    mEncoding->setAlignment(Qt::AlignRight | Qt::AlignTop);
    mNoticeTimer = new QTimer(this);
    mNoticeTimer->setObjectName(QStringLiteral("noticeTimer"));
    mNoticeTimer->setSingleShot(true);
    mNoticeTimer->setInterval(kNoticeMsec);
    connect(mNoticeTimer, &QTimer::timeout, this, [this] {
        mNotice.clear();
        showMatchCount();
    });
    placeMatchCount();
}

void frmSifta::showLiveStatus(const PatternStatus& status)
{
    if (mMatchesWindow)
        mMatchesWindow->setStatus(status);
    showMatchCount();
}

void frmSifta::showWrapNotice(bool backward)
{
    showNotice(wrapNoticeText(backward));
}

void frmSifta::clearWrapNotice()
{
    if (mNotice != wrapNoticeText(false) && mNotice != wrapNoticeText(true))
        return;
    mNoticeTimer->stop();
    mNotice.clear();
    showMatchCount();
}

void frmSifta::showNotice(const QString& sNotice)
{
    mNotice = sNotice;
    mNoticeTimer->start();
    showMatchCount();
}

void frmSifta::showMatchCount()
{
    mMatchCountText = liveCountText(mLive->status(), mLive->matchesFor(patternText(), ignoreCase()),
                                    searchInSelection() ? mSearchText->searchRange() : std::nullopt);
    QFont font = mMatchCount->font();
    font.setBold(!mNotice.isEmpty());
    mMatchCount->setFont(font);
    placeMatchCount();
}

void frmSifta::placeMatchCount()
{
    if (!mMatchCount)
        return;
    const QLabel* cursor = mControls.lblCursor;
    const QFontMetrics cursorMetrics = cursor->fontMetrics();
    const int gap = cursorMetrics.horizontalAdvance(QStringLiteral("    "));
    const int left = mControls.lblSearchText->geometry().right() + 1 + gap;
    int right = cursor->geometry().right() + 1 - cursorMetrics.horizontalAdvance(cursor->text()) - gap;
    if (!mEncoding->text().isEmpty()) {
        const int encodingWidth = std::min(mEncoding->fontMetrics().horizontalAdvance(mEncoding->text()),
                                           std::max(0, right - left));
        mEncoding->setGeometry(right - encodingWidth, cursor->y(), encodingWidth, cursor->height());
        right -= encodingWidth + gap;
    }
    mEncoding->setVisible(!mEncoding->text().isEmpty());
    const int width = std::max(0, right - left);
    mMatchCount->setGeometry(left, cursor->y(), width, cursor->height());

    const QString text = mNotice.isEmpty() ? mMatchCountText : mNotice;
    const QString shown = mMatchCount->fontMetrics().elidedText(text, Qt::ElideRight, width);
    mMatchCount->setText(shown);
    mMatchCount->setToolTip(shown == text ? QString() : text);
}

bool frmSifta::MatchesWindow() const
{
    return mMenu.mnuToolsMatchesWindow->isChecked();
}

void frmSifta::setMatchesWindow(bool bValue)
{
    if (bValue) {
        matchesWindow()->show();
        mMatchesWindow->raise();
    } else if (mMatchesWindow) {
        mMatchesWindow->hide();
    }
}

frmMatches* frmSifta::matchesWindow()
{
    if (mMatchesWindow)
        return mMatchesWindow;
    mMatchesWindow = new frmMatches(mMessages, mFileDialogs, this);
    mKeyPreview->addToolWindow(mMatchesWindow);
    if (!mMatchesGeometry.isEmpty())
        mMatchesWindow->restoreGeometry(QByteArray::fromBase64(mMatchesGeometry.toLatin1()));
    mMatchesWindow->setStatus(mLive->status());
    connect(mMatchesWindow, &frmMatches::visibilityChanged, this, &frmSifta::matchesWindow_VisibilityChanged);
    connect(mMatchesWindow, &frmMatches::matchActivated, this,
            [this](const MatchCollection& matches, qsizetype index) { mSearchCommands->SelectMatch(matches, index); });
    return mMatchesWindow;
}

void frmSifta::matchesWindow_VisibilityChanged(bool visible)
{
    mMenu.mnuToolsMatchesWindow->setChecked(visible);
    applyLiveEnabled();
    // A hidden window lets go of its matches, which the live matching may replace at any time.
    mMatchesWindow->setMatches(visible ? mLive->matches() : MatchCollection());
}

void frmSifta::mnuToolsMatchesWindow_Click()
{
    setMatchesWindow(!MatchesWindow());
}

void frmSifta::mnuToolsPreviewReplaceAll_Click()
{
    mSearchCommands->PreviewReplaceAll();
}

void frmSifta::showReplacePreview(const ReplacePreview& preview)
{
    auto* dialog = new frmReplacePreview(preview, this);
    mKeyPreview->addToolWindow(dialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Queued, so that the replacement runs once the dialog has gone, exactly as the button's.
    connect(dialog, &QDialog::accepted, this, [this] { mSearchCommands->ReplaceAll(); }, Qt::QueuedConnection);
    dialog->open();
}
