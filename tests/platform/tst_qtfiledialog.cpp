#include "platform/QtFileDialog.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

class TestQtFileDialog : public QObject {
    Q_OBJECT

private slots:
    void configure_data();
    void configure();
    void startsInTheInitialFolder();
};

void TestQtFileDialog::configure_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<int>("acceptMode");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<bool>("confirmsOverwrite");

    QTest::newRow("open an existing file")
        << false << (OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING)
        << int(QFileDialog::AcceptOpen) << int(QFileDialog::ExistingFile) << false;
    QTest::newRow("open any name") << false << OFN_EXPLORER << int(QFileDialog::AcceptOpen)
                                   << int(QFileDialog::AnyFile) << false;
    QTest::newRow("save without overwrite prompt")
        << true << (OFN_PATHMUSTEXIST | OFN_EXPLORER) << int(QFileDialog::AcceptSave)
        << int(QFileDialog::AnyFile) << false;
    QTest::newRow("save with overwrite prompt") << true << OFN_OVERWRITEPROMPT
                                                << int(QFileDialog::AcceptSave)
                                                << int(QFileDialog::AnyFile) << true;
}

void TestQtFileDialog::configure()
{
    QFETCH(bool, save);
    QFETCH(quint32, flags);
    QFETCH(int, acceptMode);
    QFETCH(int, fileMode);
    QFETCH(bool, confirmsOverwrite);

    QFileDialog dialog;
    const QStringList filters{"Text Files (*.txt)", "All Files (*)"};
    QtFileDialog::configure(dialog, {save, "Pick", {}, filters, flags});

    QCOMPARE(int(dialog.acceptMode()), acceptMode);
    QCOMPARE(int(dialog.fileMode()), fileMode);
    QCOMPARE(!dialog.testOption(QFileDialog::DontConfirmOverwrite), confirmsOverwrite);
    QCOMPARE(dialog.nameFilters(), filters);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Pick"));
}

void TestQtFileDialog::startsInTheInitialFolder()
{
    QTemporaryDir dir;
    QFileDialog dialog;
    QtFileDialog::configure(dialog, {false, {}, dir.path(), {}, 0});
    QCOMPARE(dialog.directory().absolutePath(), QDir(dir.path()).absolutePath());
}

QTEST_MAIN(TestQtFileDialog)
#include "tst_qtfiledialog.moc"
