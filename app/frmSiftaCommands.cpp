// The Edit, Format and Options commands of the main window.

#include "app/frmSifta.h"

#include "window/EditTargets.h"
#include "window/MultiLineBox.h"
#include "platform/MessageBox.h"
#include "settings/CSettings.h"
#include "textex/TextEx.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QSettings>

// Edit commands: they act on the focused control and exchange plain text with the clipboard.

namespace {

/// Puts the target's selection on the clipboard, which holds nothing else afterwards.
/// False, and the clipboard untouched, when there is no target or nothing is selected.
bool copySelection(const EditTarget* target)
{
    if (!target || target->selLength() <= 0)
        return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(target->selText());
    return true;
}

} // namespace

void frmSifta::mnuEditCopy_Click()
{
    copySelection(editTargetFor(activeControl()).get());
}

void frmSifta::mnuEditCut_Click()
{
    const std::unique_ptr<EditTarget> target = editTargetFor(activeControl());
    if (copySelection(target.get()))
        target->setSelText(QString());
}

void frmSifta::mnuEditPaste_Click()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->mimeData();
    // Only plain text pastes: hasText() would also accept a file list as its URLs.
    if (!data || !data->hasFormat(QStringLiteral("text/plain")))
        return;
    if (const std::unique_ptr<EditTarget> target = editTargetFor(activeControl()))
        target->setSelText(clipboard->text());
}

void frmSifta::mnuEditSelectAll_Click()
{
    if (const std::unique_ptr<EditTarget> target = editTargetFor(activeControl()))
        target->selectAll();
}

// Find and Replace: the keys of other editors for the window's own boxes and buttons.

void frmSifta::mnuEditFind_Click()
{
    mControls.cboPattern->setFocus(Qt::ShortcutFocusReason);
    mControls.cboPattern->lineEdit()->selectAll();
}

void frmSifta::mnuEditFindNext_Click()
{
    cmdFind_Click();
}

void frmSifta::mnuEditFindPrevious_Click()
{
    cmdFindPrev_Click();
}

void frmSifta::mnuEditReplace_Click()
{
    mControls.txtReplace->setFocus(Qt::ShortcutFocusReason);
    mControls.txtReplace->selectAll();
}

// Format and Options.

bool frmSifta::WordWrap() const
{
    return mMenu.mnuFormatWordWrap->isChecked();
}

void frmSifta::setWordWrap(bool bValue)
{
    mControls.txtDocument->setScrollBars(bValue ? 2 : 3);
    mMenu.mnuFormatWordWrap->setChecked(bValue);
}

bool frmSifta::ProportionalFont() const
{
    return mMenu.mnuFormatProportionalFont->isChecked();
}

void frmSifta::setProportionalFont(bool bValue)
{
    mControls.txtDocument->Font()->setName(bValue ? QStringLiteral("Lucida Sans") : QStringLiteral("Lucida Console"));
    mMenu.mnuFormatProportionalFont->setChecked(bValue);
}

bool frmSifta::ShowSyntax() const
{
    return mMenu.mnuOptionsShowSyntax->isChecked();
}

void frmSifta::setShowSyntax(bool bValue)
{
    if (bValue == ShowSyntax())
        return;
    // The controls frame overlaps the pane by 120 twips, so the window grows or shrinks by
    // the pane's height less that overlap and the controls above the pane stay put.
    const int change = pixelsY(mGeometry.fraSyntax.height - 120);
    mControls.fraSyntax->setVisible(bValue);
    resize(width(), bValue ? height() + change : height() - change);
    fitToScreen();
    Form_Resize();
    mMenu.mnuOptionsShowSyntax->setChecked(bValue);
}

void frmSifta::mnuFormatWordWrap_Click()
{
    setWordWrap(!WordWrap());
}

void frmSifta::mnuFormatProportionalFont_Click()
{
    setProportionalFont(!ProportionalFont());
}

void frmSifta::mnuOptionsShowSyntax_Click()
{
    setShowSyntax(!ShowSyntax());
}

void frmSifta::markSettingsLocation(bool saveToINI)
{
    mMenu.mnuOptionsSaveToINI->setChecked(saveToINI);
    mMenu.mnuOptionsSaveToRegistry->setChecked(!saveToINI);
}

void frmSifta::mnuOptionsSaveToINI_Click()
{
    mSettings.SaveToINI(true);
    if (!mSettings.SaveToINI()) {
        mMessages.show(frmSifta::tr("Unable to write to application folder. Settings will be saved to the registry"),
                       MessageButtons::Ok, MessageIcon::Information);
        markSettingsLocation(false);
        return;
    }
    markSettingsLocation(true);
}

void frmSifta::mnuOptionsSaveToRegistry_Click()
{
    mSettings.SaveToINI(false);
    markSettingsLocation(false);
}
