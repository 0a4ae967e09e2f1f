#include "testcases/frmTestCases.h"

#include "platform/FileBytes.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "testcases/TestCaseRunner.h"
#include "window/AccessibleCaption.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { SampleColumn, ExpectsColumn, ResultColumn };

/// Test-case files are small; a larger file is surely something else.
constexpr qint64 kMaxFileBytes = qint64(64) << 20;

QStringList fileFilters()
{
    return {frmTestCases::tr("Sifta Test Cases (*.json)"), frmTestCases::tr("All Files (*)")};
}

/// text on one line, each line break shown as an arrow.
QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\u21b5"));
    text.replace(u'\n', u'\u21b5');
    text.replace(u'\r', u'\u21b5');
    return text;
}

QString expectsText(const TestCase& testCase)
{
    switch (testCase.expectation) {
    case Expectation::Match: return frmTestCases::tr("match");
    case Expectation::NoMatch: return frmTestCases::tr("no match");
    case Expectation::ReplaceGives: return frmTestCases::tr("Replace All gives %1").arg(oneLine(testCase.expected));
    }
    Q_UNREACHABLE();
}


QPushButton* addButton(QHBoxLayout* row, const char* name, const QString& caption, const QString& description)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QLatin1String(name));
    describeControl(button, caption, description);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

frmTestCases::frmTestCases(IWorkThreads& threads, IFileDialog& dialogs, IMessageBox& messages, QWidget* parent)
    : QWidget(parent, Qt::Tool), mDialogs(dialogs), mMessages(messages), mRunner(new TestCaseRunner(threads, this)),
      mTable(new QTableWidget(0, 3)), mSample(new QPlainTextEdit), mExpect(new QComboBox),
      mExpected(new QPlainTextEdit), mSummary(new QLabel), mRemove(nullptr)
{
    setObjectName(QStringLiteral("frmTestCases"));
    setWindowTitle(tr("Test Cases"));
    mTable->setObjectName(QStringLiteral("tblCases"));
    mSample->setObjectName(QStringLiteral("txtSample"));
    mExpect->setObjectName(QStringLiteral("cboExpect"));
    mExpected->setObjectName(QStringLiteral("txtExpected"));
    mSummary->setObjectName(QStringLiteral("lblSummary"));

    auto* buttons = new QHBoxLayout;
    QPushButton* add = addButton(buttons, "cmdAdd", tr("&Add"), tr("Add a case with an empty sample"));
    mRemove = addButton(buttons, "cmdRemove", tr("&Remove"), tr("Remove the selected case"));
    buttons->addStretch();
    QPushButton* open =
        addButton(buttons, "cmdOpen", tr("&Open..."), tr("Open a pattern with its test cases from a file"));
    QPushButton* save =
        addButton(buttons, "cmdSave", tr("&Save..."), tr("Save the pattern with its test cases to a file"));

    mTable->setHorizontalHeaderLabels({tr("Sample"), tr("Expects"), tr("Result")});
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::SingleSelection);
    mTable->verticalHeader()->hide();
    mTable->horizontalHeader()->setStretchLastSection(true);

    mExpect->addItems({tr("Must match"), tr("Must not match"), tr("Replace All gives")});
    auto* editors = new QFormLayout;
    auto* sampleLabel = new QLabel(tr("Sa&mple:"));
    sampleLabel->setBuddy(mSample);
    auto* expectLabel = new QLabel(tr("E&xpect:"));
    expectLabel->setBuddy(mExpect);
    auto* expectedLabel = new QLabel(tr("&Gives:"));
    expectedLabel->setBuddy(mExpected);
    describeControl(mTable, tr("Test cases"),
                    tr("Each sample text, what the pattern must do with it, and how it came out"));
    describeControl(mSample, sampleLabel->text(), tr("The sample text of the selected case"));
    describeControl(mExpect, expectLabel->text(), tr("What the pattern must do with the sample"));
    describeControl(mExpected, expectedLabel->text(), tr("The text that Replace All must give on the sample"));
    mSummary->setAccessibleDescription(tr("How many cases pass"));
    editors->addRow(sampleLabel, mSample);
    editors->addRow(expectLabel, mExpect);
    editors->addRow(expectedLabel, mExpected);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(mTable, 2);
    layout->addLayout(editors, 1);
    layout->addWidget(mSummary);
    resize(560, 480);

    connect(add, &QPushButton::clicked, this, &frmTestCases::cmdAdd_Click);
    connect(mRemove, &QPushButton::clicked, this, &frmTestCases::cmdRemove_Click);
    connect(open, &QPushButton::clicked, this, &frmTestCases::cmdOpen_Click);
    connect(save, &QPushButton::clicked, this, &frmTestCases::cmdSave_Click);
    connect(mTable, &QTableWidget::currentCellChanged, this,
            [this](int row) { tblCases_CurrentRowChanged(row); });
    connect(mSample, &QPlainTextEdit::textChanged, this, &frmTestCases::editCurrentCase);
    connect(mExpect, &QComboBox::currentIndexChanged, this, &frmTestCases::editCurrentCase);
    connect(mExpected, &QPlainTextEdit::textChanged, this, &frmTestCases::editCurrentCase);
    connect(mRunner, &TestCaseRunner::finished, this, &frmTestCases::showOutcome);
    showCases();
}

void frmTestCases::setSearch(const QString& pattern, bool ignoreCase, const QString& replacement, bool caseConversion)
{
    if (pattern == mSuite.pattern && ignoreCase == mSuite.ignoreCase && replacement == mSuite.replacement
        && caseConversion == mSuite.caseConversion)
        return;
    mSuite.pattern = pattern;
    mSuite.ignoreCase = ignoreCase;
    mSuite.replacement = replacement;
    mSuite.caseConversion = caseConversion;
    check();
}

void frmTestCases::setCases(const std::vector<TestCase>& cases)
{
    mSuite.cases = cases;
    showCases();
}

QString frmTestCases::summary() const
{
    return mSummary->text();
}

void frmTestCases::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

void frmTestCases::cmdAdd_Click()
{
    mSuite.cases.push_back(TestCase{});
    const int row = int(mSuite.cases.size()) - 1;
    mTable->insertRow(row);
    showRow(row);
    mTable->setCurrentCell(row, SampleColumn);
    mSample->setFocus();
    check();
}

void frmTestCases::cmdRemove_Click()
{
    const int row = mTable->currentRow();
    if (row < 0)
        return;
    mSuite.cases.erase(mSuite.cases.begin() + row);
    if (std::size_t(row) < mOutcome.cases.size())
        mOutcome.cases.erase(mOutcome.cases.begin() + row);
    mTable->removeRow(row);
    tblCases_CurrentRowChanged(mTable->currentRow());
    check();
}

void frmTestCases::cmdOpen_Click()
{
    FileDialogRequest request;
    request.title = tr("Open Test Cases");
    request.nameFilters = fileFilters();
    request.flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    const std::optional<FileDialogChoice> choice = mDialogs.run(request);
    if (!choice)
        return;
    const Result<QByteArray, FileError> bytes = FileBytes::read(choice->path, kMaxFileBytes);
    if (!bytes) {
        mMessages.show(bytes.error().message(), MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    const Result<TestSuite, TestCaseFileError> suite = readTestSuite(bytes.value());
    if (!suite) {
        mMessages.show(tr("%1 holds no test cases that Sifta can read: %2")
                           .arg(QFileInfo(choice->path).fileName(), suite.error().message),
                       MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    mSuite = suite.value();
    mOutcome = SuiteOutcome();
    showCases();
    emit suiteOpened(mSuite);
}

void frmTestCases::cmdSave_Click()
{
    FileDialogRequest request;
    request.save = true;
    request.title = tr("Save Test Cases");
    request.nameFilters = fileFilters();
    request.flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    const std::optional<FileDialogChoice> choice = mDialogs.run(request);
    if (!choice)
        return;
    QString path = choice->path;
    if (choice->filterIndex == 1 && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".json");
    if (const std::optional<FileError> error = FileBytes::write(path, writeTestSuite(mSuite)))
        mMessages.show(error->message(), MessageButtons::Ok, MessageIcon::Exclamation);
}

void frmTestCases::tblCases_CurrentRowChanged(int row)
{
    const bool some = row >= 0 && std::size_t(row) < mSuite.cases.size();
    const TestCase shown = some ? mSuite.cases[std::size_t(row)] : TestCase{};
    {
        const QSignalBlocker sample(mSample);
        const QSignalBlocker expect(mExpect);
        const QSignalBlocker expected(mExpected);
        mSample->setPlainText(shown.text);
        mExpect->setCurrentIndex(int(shown.expectation));
        mExpected->setPlainText(shown.expected);
    }
    mSample->setEnabled(some);
    mExpect->setEnabled(some);
    mExpected->setEnabled(some && shown.expectation == Expectation::ReplaceGives);
    mRemove->setEnabled(some);
}

void frmTestCases::editCurrentCase()
{
    const int row = mTable->currentRow();
    if (row < 0 || std::size_t(row) >= mSuite.cases.size())
        return;
    TestCase& testCase = mSuite.cases[std::size_t(row)];
    testCase.text = mSample->toPlainText();
    testCase.expectation = Expectation(mExpect->currentIndex());
    testCase.expected = testCase.expectation == Expectation::ReplaceGives ? mExpected->toPlainText() : QString();
    mExpected->setEnabled(testCase.expectation == Expectation::ReplaceGives);
    showRow(row);
    check();
}

void frmTestCases::showCases()
{
    mTable->setRowCount(int(mSuite.cases.size()));
    for (int row = 0; row < mTable->rowCount(); ++row)
        showRow(row);
    mTable->setCurrentCell(mSuite.cases.empty() ? -1 : 0, SampleColumn);
    tblCases_CurrentRowChanged(mTable->currentRow());
    check();
}

void frmTestCases::showRow(int row)
{
    const TestCase& testCase = mSuite.cases[std::size_t(row)];
    const auto cell = [this, row](Column column, const QString& text) {
        QTableWidgetItem* item = mTable->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            mTable->setItem(row, column, item);
        }
        item->setText(text);
        return item;
    };
    cell(SampleColumn, oneLine(testCase.text));
    cell(ExpectsColumn, expectsText(testCase));
    QString result;
    bool failed = false;
    if (std::size_t(row) < mOutcome.cases.size()) {
        const CaseOutcome& outcome = mOutcome.cases[std::size_t(row)];
        failed = !outcome.passed;
        result = failed ? tr("fail: %1").arg(failureText(testCase, outcome)) : tr("pass");
    }
    cell(ResultColumn, result)->setForeground(failed ? QBrush(Qt::darkRed) : QBrush());
}

void frmTestCases::check()
{
    mSummary->setText(tr("Checking..."));
    mRunner->start(mSuite);
}

void frmTestCases::showOutcome(const SuiteOutcome& outcome)
{
    mOutcome = outcome;
    for (int row = 0; row < mTable->rowCount(); ++row)
        showRow(row);
    mSummary->setText(outcome.patternError.isEmpty() ? summaryText(outcome) : outcome.patternError);
}
