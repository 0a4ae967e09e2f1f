#pragma once

#include "testcases/TestCaseCheck.h"

#include <QWidget>

#include <vector>

class IFileDialog;
class IMessageBox;
class IWorkThreads;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class TestCaseRunner;

/// The Test Cases window: sample texts, each with what the pattern must do with it (match,
/// not match, or give a text by Replace All), and whether it does. Every case is checked
/// again off the window's thread whenever the pattern, its options or a case changes; the
/// summary says how many pass and a failing case what it got. Open and Save read and write
/// test-case files through `dialogs`, and errors go to `messages`.
/// Object names: `frmTestCases`, `tblCases`, `txtSample`, `cboExpect`, `txtExpected`,
/// `lblSummary`, `cmdAdd`, `cmdRemove`, `cmdOpen`, `cmdSave`.
class frmTestCases : public QWidget {
    Q_OBJECT

public:
    /// threads, dialogs and messages must outlive the window.
    frmTestCases(IWorkThreads& threads, IFileDialog& dialogs, IMessageBox& messages, QWidget* parent = nullptr);

    /// The pattern and options the cases are checked against; the same again changes nothing.
    void setSearch(const QString& pattern, bool ignoreCase, const QString& replacement, bool caseConversion);
    /// The search and every case as they are now.
    const TestSuite& suite() const { return mSuite; }
    /// Replaces every case.
    void setCases(const std::vector<TestCase>& cases);
    /// "7 of 8 pass", the pattern's message, or "Checking..." while a check runs.
    QString summary() const;

    /// Asks for a test-case file and shows its cases; the search it holds goes to suiteOpened.
    void cmdOpen_Click();
    /// Asks for a file name and writes the search and the cases there.
    void cmdSave_Click();

signals:
    /// A file was opened: its pattern and options are for the owner's boxes.
    void suiteOpened(const TestSuite& suite);
    /// The user closed the window.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdAdd_Click();
    void cmdRemove_Click();
    void tblCases_CurrentRowChanged(int row);
    /// The editors changed the current case.
    void editCurrentCase();
    /// Shows the cases in the table and checks them.
    void showCases();
    void showRow(int row);
    void check();
    void showOutcome(const SuiteOutcome& outcome);

    IFileDialog& mDialogs;
    IMessageBox& mMessages;
    TestCaseRunner* mRunner;
    TestSuite mSuite;
    SuiteOutcome mOutcome;
    QTableWidget* mTable;
    QPlainTextEdit* mSample;
    QComboBox* mExpect;
    QPlainTextEdit* mExpected;
    QLabel* mSummary;
    QPushButton* mRemove;
};
