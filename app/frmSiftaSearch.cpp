// The search and replace buttons and menu items of the main window, and the window as the
// search commands see it.

#include "app/frmSifta.h"

#include "window/MultiLineBox.h"
#include "textex/TextEx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolTip>

void frmSifta::cmdFind_Click()
{
    mSearchCommands->FindNext();
}

void frmSifta::cmdFindPrev_Click()
{
    mSearchCommands->FindPrevious();
}

void frmSifta::cmdReplace_Click()
{
    mSearchCommands->Replace();
}

void frmSifta::cmdReplaceAll_Click()
{
    mSearchCommands->ReplaceAll();
}

void frmSifta::cmdUndo_Click()
{
    mSearchCommands->Undo();
}

void frmSifta::mnuToolsReplaceAndFindNext_Click()
{
    mSearchCommands->ReplaceAndFindNext();
}

void frmSifta::mnuToolsUseSelectionAsPattern_Click()
{
    mSearchCommands->UseSelectionAsPattern();
}

void frmSifta::mnuToolsSearchInSelection_Click()
{
    mSearchCommands->SearchInSelection();
}

QString frmSifta::patternText() const
{
    return mControls.cboPattern->currentText();
}

void frmSifta::setPatternText(const QString& sPattern)
{
    mControls.cboPattern->setEditText(sPattern);
}

QStringList frmSifta::patternHistory() const
{
    QStringList history;
    for (int i = 0; i < mControls.cboPattern->count(); ++i)
        history.append(mControls.cboPattern->itemText(i));
    return history;
}

void frmSifta::setPatternHistory(const QStringList& history)
{
    QComboBox* combo = mControls.cboPattern;
    const QString pattern = combo->currentText();
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(history);
    combo->setEditText(pattern);
}

bool frmSifta::ignoreCase() const
{
    return mControls.chkIgnoreCase->checkState() == Qt::Checked;
}

QString frmSifta::replaceWithText() const
{
    return mControls.txtReplace->text();
}







void frmSifta::showMatchLabels(const QString& sMatchNo, const QString& sSubMatches)
{
    mControls.lblMatchNo->setText(sMatchNo);
    mControls.lblSubMatches->setText(sSubMatches);
    placeControls();
}

void frmSifta::setSubMatchList(const QString& sList)
{
    mControls.txtSubMatches->setText(sList);
    // Until the lines are told, no line is known to show a group.
    setSubMatchLines({});
}



bool frmSifta::searchInSelection() const
{
    return mMenu.mnuToolsSearchInSelection->isChecked();
}

void frmSifta::setSearchInSelection(bool bValue)
{
    mMenu.mnuToolsSearchInSelection->setChecked(bValue);
    showMatchCount();
}



void frmSifta::showNote(const QString& sNote)
{
    // Shown over the bottom edge of the Search Text, where it hides no control, for a few seconds.
    TextEx* document = mControls.txtDocument;
    const QPoint place = document->mapToGlobal(QPoint(0, document->height()));
    QToolTip::showText(place, sNote, document, QRect(), 6000);
}
