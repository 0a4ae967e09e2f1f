#pragma once

#include "DocumentWindow.h"
#include "FormLayout.h"
#include "MainMenu.h"
#include "RegExp.h"
#include "UndoText.h"
#include "frmSiftaControls.h"

#include <QMainWindow>

class CSettings;
class IMessageBox;
class KeyPreview;

/// The main window: the Search Text, the pattern and replacement boxes, the five search
/// and replace buttons, the syntax pane and the menus. Message boxes go through
/// `messages` and the settings location through `settings`; both must outlive the window.
class frmSifta : public QMainWindow {
    Q_OBJECT

public:
    frmSifta(IMessageBox& messages, CSettings& settings, QWidget* parent = nullptr);
    ~frmSifta() override;

    /// True while the document has changes that are not saved. Setting the other value
    /// refreshes the caption; setting the same value does nothing.
    bool Dirty() const { return mDirty; }
    void setDirty(bool bValue);
    /// Sets the caption: "*" while Dirty, the document's file name, " - Siftwell".
    void RefreshCaption();

    /// Long lines of the Search Text wrap (true) or scroll sideways (false).
    bool WordWrap() const;
    void setWordWrap(bool bValue);
    /// The Search Text shows "Lucida Sans" (true) or "Lucida Console" (false), keeping its size.
    bool ProportionalFont() const;
    void setProportionalFont(bool bValue);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void connectCommands();

    // Layout.
    void Form_Resize();
    /// Places the controls where mGeometry says; labels widen to captions the layout cannot foresee.
    void placeControls();
    int pixelsY(double twips) const;

    // Search and replace.
    void cmdFind_Click();
    void cmdFindPrev_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();
    void cmdUndo_Click();
    bool FindMatch(bool Backward);
    void AddPatternToHistory();
    void ReplaceSelection();
    QString replaceWithText() const;
    void showNoMatches();

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

    RegExp mExpression;
    UndoText mUndoText;
    QString mFileName = kUntitled;
    bool mDirty = false;
};
