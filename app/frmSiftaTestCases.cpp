// Tools, Case Conversion in Replacements, and Tools, Test Cases: a window beside the main
// window that checks sample texts against the pattern, its options and the Replace With text.

#include "app/frmSifta.h"

#include "window/KeyPreview.h"
#include "window/MultiLineBox.h"
#include "testcases/frmTestCases.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>

bool frmSifta::ConvertCase() const
{
    return mMenu.mnuToolsCaseConversion->isChecked();
}

void frmSifta::setConvertCase(bool bValue)
{
    mMenu.mnuToolsCaseConversion->setChecked(bValue);
    mSearchCommands->setCaseConversion(bValue ? CaseConversion::On : CaseConversion::Off);
    updateTestCases();
}

void frmSifta::mnuToolsCaseConversion_Click()
{
    setConvertCase(!ConvertCase());
}

bool frmSifta::TestCases() const
{
    return mMenu.mnuToolsTestCases->isChecked();
}

void frmSifta::setTestCases(bool bValue)
{
    mMenu.mnuToolsTestCases->setChecked(bValue);
    if (!bValue) {
        if (mTestCases)
            mTestCases->hide();
        return;
    }
    if (!mTestCases) {
        mTestCases = new frmTestCases(mThreads, mFileDialogs, mMessages, this);
        mKeyPreview->addToolWindow(mTestCases);
        connect(mTestCases, &frmTestCases::suiteOpened, this, &frmSifta::testCases_SuiteOpened);
        connect(mTestCases, &frmTestCases::closed, this, [this] { mMenu.mnuToolsTestCases->setChecked(false); });
        connect(mControls.cboPattern, &QComboBox::editTextChanged, this, &frmSifta::updateTestCases);
        connect(mControls.chkIgnoreCase, &QCheckBox::stateChanged, this, &frmSifta::updateTestCases);
        connect(mControls.txtReplace, &QPlainTextEdit::textChanged, this, &frmSifta::updateTestCases);
    }
    updateTestCases();
    mTestCases->show();
    mTestCases->raise();
}

void frmSifta::mnuToolsTestCases_Click()
{
    setTestCases(!TestCases());
}

// The samples have the line feeds of a plain text box, so the replacement has them too.
void frmSifta::updateTestCases()
{
    if (TestCases())
        mTestCases->setSearch(mControls.cboPattern->currentText(),
                              mControls.chkIgnoreCase->checkState() == Qt::Checked,
                              mControls.txtReplace->toPlainText(), ConvertCase());
}

void frmSifta::testCases_SuiteOpened(const TestSuite& suite)
{
    mControls.cboPattern->setEditText(suite.pattern);
    mControls.chkIgnoreCase->setCheckState(suite.ignoreCase ? Qt::Checked : Qt::Unchecked);
    mControls.txtReplace->setText(suite.replacement);
    setConvertCase(suite.caseConversion);
}
