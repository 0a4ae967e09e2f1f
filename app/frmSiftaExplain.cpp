// Tools, Explain Pattern: a window beside the main window that shows the parts of the pattern
// and selects the part the user picks in the pattern box.

#include "app/frmSifta.h"

#include "window/KeyPreview.h"
#include "window/ScreenFit.h"
#include "explain/frmExplain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>

#include <algorithm>

bool frmSifta::ExplainPattern() const
{
    return mMenu.mnuToolsExplainPattern->isChecked();
}

void frmSifta::setExplainPattern(bool bValue)
{
    mMenu.mnuToolsExplainPattern->setChecked(bValue);
    if (!bValue) {
        if (mExplain)
            mExplain->hide();
        return;
    }
    if (!mExplain) {
        mExplain = new frmExplain(this);
        mKeyPreview->addToolWindow(mExplain);
        connect(mExplain, &frmExplain::partSelected, this, [this](qsizetype offset, qsizetype length) {
            mControls.cboPattern->lineEdit()->setSelection(int(offset), int(length));
        });
        connect(mExplain, &frmExplain::closed, this, [this] { mMenu.mnuToolsExplainPattern->setChecked(false); });
        connect(mExplain, &frmExplain::stepCountRequested, this, &frmSifta::countPatternSteps);
        connect(mControls.cboPattern, &QComboBox::editTextChanged, this, &frmSifta::updateExplanation);
        connect(mControls.chkIgnoreCase, &QCheckBox::stateChanged, this, &frmSifta::updateExplanation);
        if (!mExplainGeometry.isEmpty())
            mExplain->restoreGeometry(QByteArray::fromBase64(mExplainGeometry.toLatin1()));
        else
            placeExplainWindow();
    }
    updateExplanation();
    mExplain->show();
    mExplain->raise();
}

// Without a remembered place, the window opens to the right of the main window and as tall,
// as wide as the room there up to its design width, but never too narrow for the pattern's
// parts and meanings: where the room is too small for them, it covers the main window's
// right-hand side (the buttons) as far as it must.
void frmSifta::placeExplainWindow()
{
    const QRect area = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const QSize decoration = mExplain->frameGeometry().size() - mExplain->size();
    const int room = area.right() - frame.right() - decoration.width();
    updateExplanation();
    const int width = std::min(std::max(std::min(room, mExplain->width()), mExplain->preferredWidth()),
                               area.width() - decoration.width());
    mExplain->resize(width, height());
    const QRect beside(frame.topRight() + QPoint(1, 0), mExplain->size() + decoration);
    mExplain->move(fitInside(beside, area).topLeft());
}

void frmSifta::mnuToolsExplainPattern_Click()
{
    setExplainPattern(!ExplainPattern());
}

void frmSifta::updateExplanation()
{
    if (ExplainPattern())
        mExplain->setPattern(mControls.cboPattern->currentText(),
                             mControls.chkIgnoreCase->checkState() == Qt::Checked);
}
