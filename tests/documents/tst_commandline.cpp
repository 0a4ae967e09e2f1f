#include "documents/CommandLine.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void documentFile_data();
    void documentFile();
};

void TestCommandLine::documentFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");

    QTest::newRow("no argument") << QStringList{u"sifta"_s} << QString();
    QTest::newRow("empty argument") << QStringList{u"sifta"_s, QString()} << QString();
    QTest::newRow("absolute path kept") << QStringList{u"sifta"_s, u"/texts/notes.txt"_s} << u"/texts/notes.txt"_s;
    QTest::newRow("relative path from the current folder")
        << QStringList{u"sifta"_s, u"notes.txt"_s} << u"/home/user/notes.txt"_s;
    QTest::newRow("relative path with a folder")
        << QStringList{u"sifta"_s, u"texts/notes.txt"_s} << u"/home/user/texts/notes.txt"_s;
    QTest::newRow("first file only")
        << QStringList{u"sifta"_s, u"a.txt"_s, u"b.txt"_s} << u"/home/user/a.txt"_s;
}

void TestCommandLine::documentFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QCOMPARE(commandLineFile(arguments, u"/home/user"_s), file);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
