#include "platform/CommonDialog.h"
#include "support/ScriptedFileDialog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTextFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files|*.*|");

} // namespace

class TestCommonDialog : public QObject {
    Q_OBJECT

private slots:
    void completeFilter_data();
    void completeFilter();
    void getFilterExtension_data();
    void getFilterExtension();
    void qtNameFilters_data();
    void qtNameFilters();
    void chosenName_data();
    void chosenName();
    void requestCarriesTheCallersChoices();
    void readOnlyAnswer_data();
    void readOnlyAnswer();
};

void TestCommonDialog::completeFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("completed");

    QTest::newRow("ends with a separator")
        << kTextFilter << QStringLiteral("Text Files (*.txt)\0*.txt\0All Files\0*.*\0\0");
    QTest::newRow("no closing separator") << "Text|*.txt" << QStringLiteral("Text\0*.txt\0\0");
    QTest::newRow("already closed twice gets a third")
        << "Text|*.txt||" << QStringLiteral("Text\0*.txt\0\0\0");
    QTest::newRow("empty filter") << "" << QStringLiteral("\0\0");
}

void TestCommonDialog::completeFilter()
{
    QFETCH(QString, filter);
    QFETCH(QString, completed);
    QCOMPARE(CommonDialog::CompleteFilter(filter), completed);
}

void TestCommonDialog::getFilterExtension_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("extension");

    QTest::newRow("first pair") << kTextFilter << 1 << "txt";
    QTest::newRow("all files") << kTextFilter << 2 << "*";
    QTest::newRow("beyond the last pair") << kTextFilter << 3 << "";
    QTest::newRow("no pair zero") << kTextFilter << 0 << "";
    QTest::newRow("last of several patterns") << "Logs|*.txt;*.log|" << 1 << "log";
    QTest::newRow("pattern without extension") << "Make|Makefile|" << 1 << "";
}

void TestCommonDialog::getFilterExtension()
{
    QFETCH(QString, filter);
    QFETCH(int, index);
    QFETCH(QString, extension);
    QCOMPARE(CommonDialog::GetFilterExtension(CommonDialog::CompleteFilter(filter), index),
             extension);
}

void TestCommonDialog::qtNameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("nameFilters");

    QTest::newRow("patterns already shown in the description")
        << kTextFilter << QStringList{"Text Files (*.txt)", "All Files (*)"};
    QTest::newRow("all-files pattern shown in the description")
        << "All Files (*.*)|*.*|" << QStringList{"All Files (*)"};
    QTest::newRow("several patterns") << "Texts|*.txt;*.log|"
                                      << QStringList{"Texts (*.txt *.log)"};
    QTest::newRow("description shows other text in parentheses")
        << "Notes (mine)|*.txt|" << QStringList{"Notes (mine) (*.txt)"};
    QTest::newRow("empty filter") << "" << QStringList{};
}

void TestCommonDialog::qtNameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, nameFilters);
    QCOMPARE(CommonDialog::ToQtNameFilters(CommonDialog::CompleteFilter(filter)), nameFilters);
}

void TestCommonDialog::chosenName_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("result");

    QTest::newRow("save: text filter adds its extension") << true << "notes" << 1 << "notes.txt";
    QTest::newRow("save: all files adds nothing") << true << "notes" << 2 << "notes";
    QTest::newRow("save: typed extension is kept") << true << "notes.log" << 1 << "notes.log";
    QTest::newRow("save: trailing dot gets the extension after it")
        << true << "notes." << 1 << "notes..txt";
    QTest::newRow("save: hidden name has no extension") << true << ".notes" << 1 << ".notes.txt";
    QTest::newRow("save: existing name still completed") << true << "existing" << 1
                                                         << "existing.txt";
    QTest::newRow("open: existing file keeps its name") << false << "existing" << 1
                                                        << "existing";
    QTest::newRow("open: new name is completed") << false << "new" << 1 << "new.txt";
    QTest::newRow("open: existing folder name does not count as a file")
        << false << "folder" << 1 << "folder.txt";
}

void TestCommonDialog::chosenName()
{
    QFETCH(bool, save);
    QFETCH(QString, chosen);
    QFETCH(int, filterIndex);
    QFETCH(QString, result);

    QTemporaryDir dir;
    QFile existing(dir.filePath("existing"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    ScriptedFileDialog dialog;
    dialog.choose(dir.filePath(chosen), filterIndex);

    bool readOnly = false;
    QCOMPARE(CommonDialog::ShowFileDialog(dialog, {}, {}, kTextFilter, 0, readOnly, save),
             dir.filePath(result));
}

void TestCommonDialog::requestCarriesTheCallersChoices()
{
    ScriptedFileDialog dialog;
    dialog.cancel();

    CommonDialog::ShowSave(dialog, "Save the text", "/tmp/notes.txt", "Text (*.txt)|*.txt|",
                           OFN_PATHMUSTEXIST | OFN_EXPLORER);

    QCOMPARE(dialog.requests.size(), 1);
    const FileDialogRequest expected{true, "Save the text", "/tmp/notes.txt",
                                     {"Text (*.txt)"}, OFN_PATHMUSTEXIST | OFN_EXPLORER};
    QCOMPARE(dialog.requests.constFirst(), expected);
}

void TestCommonDialog::readOnlyAnswer_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");

    QTest::newRow("confirmed with the box checked") << true << true << false << true;
    QTest::newRow("confirmed with the box clear") << true << false << true << false;
    QTest::newRow("cancel leaves the caller's value") << false << false << true << true;
}

void TestCommonDialog::readOnlyAnswer()
{
    QFETCH(bool, confirmed);
    QFETCH(bool, checked);
    QFETCH(bool, before);
    QFETCH(bool, after);

    ScriptedFileDialog dialog;
    if (confirmed)
        dialog.choose("/tmp/notes.txt", 1, checked);
    bool readOnly = before;

    const QString path =
        CommonDialog::ShowOpen(dialog, {}, {}, kTextFilter, OFN_FILEMUSTEXIST, readOnly);

    QCOMPARE(path.isEmpty(), !confirmed);
    QCOMPARE(readOnly, after);
}

QTEST_GUILESS_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
