#include "platform/Tools.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTools : public QObject {
    Q_OBJECT

private slots:
    void getFileName_data();
    void getFileName();
    void getFileExtension_data();
    void getFileExtension();
    void stripNull_data();
    void stripNull();
    void fileExists_data();
    void fileExists();
    void fileExistsOnEmptyPath();
};

void TestTools::getFileName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");

    QTest::newRow("full path") << "/home/ann/texts/notes.txt" << "notes.txt";
    QTest::newRow("name only") << "notes.txt" << "notes.txt";
    QTest::newRow("ends with separator") << "/home/ann/texts/" << "";
    QTest::newRow("unnamed document marker") << "Untitled" << "Untitled";
    QTest::newRow("backslash is an ordinary character") << "C:\\texts\\notes.txt"
                                                        << "C:\\texts\\notes.txt";
    QTest::newRow("empty") << "" << "";
}

void TestTools::getFileName()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(Tools::GetFileName(path), name);
}

void TestTools::getFileExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("extension");

    QTest::newRow("plain") << "/home/ann/texts/notes.txt" << "txt";
    QTest::newRow("last of several dots") << "archive.tar.gz" << "gz";
    QTest::newRow("dot in a folder name does not count") << "/home/my.dir/readme" << "";
    QTest::newRow("leading dot of a hidden name") << ".profile" << "";
    QTest::newRow("leading dot after a folder") << "/home/ann/.profile" << "";
    QTest::newRow("ends with a dot") << "notes." << "";
    QTest::newRow("filter pattern") << "*.txt" << "txt";
    QTest::newRow("all-files pattern") << "*.*" << "*";
    QTest::newRow("no dot") << "Makefile" << "";
    QTest::newRow("compared exactly") << "NOTES.TXT" << "TXT";
}

void TestTools::getFileExtension()
{
    QFETCH(QString, path);
    QFETCH(QString, extension);
    QCOMPARE(Tools::GetFileExtension(path), extension);
}

void TestTools::stripNull_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stripped");

    QTest::newRow("null in the middle") << QStringLiteral("abc\0def") << "abc";
    QTest::newRow("no null") << "abcdef" << "abcdef";
    QTest::newRow("starts with a null") << QStringLiteral("\0abc") << "";
    QTest::newRow("buffer padded with nulls") << QStringLiteral("notes\0\0\0") << "notes";
    QTest::newRow("empty") << "" << "";
}

void TestTools::stripNull()
{
    QFETCH(QString, text);
    QFETCH(QString, stripped);
    QCOMPARE(Tools::StripNull(text), stripped);
}

void TestTools::fileExists_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("exists");

    QTest::newRow("file") << "notes.txt" << true;
    QTest::newRow("read-only file") << "locked.txt" << true;
    QTest::newRow("hidden file") << ".hidden" << true;
    QTest::newRow("link to a file") << "link-to-notes" << true;
    QTest::newRow("folder") << "folder" << false;
    QTest::newRow("link to nothing") << "dangling-link" << false;
    QTest::newRow("missing") << "missing.txt" << false;
    QTest::newRow("file used as a folder") << "notes.txt/inner" << false;
}

void TestTools::fileExists()
{
    QFETCH(QString, entry);
    QFETCH(bool, exists);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char* name : {"notes.txt", "locked.txt", ".hidden"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::setPermissions(dir.filePath("locked.txt"), QFile::ReadOwner));
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QVERIFY(QFile::link(dir.filePath("notes.txt"), dir.filePath("link-to-notes")));
    QVERIFY(QFile::link(dir.filePath("gone.txt"), dir.filePath("dangling-link")));

    QCOMPARE(Tools::FileExists(dir.filePath(entry)), exists);
}

void TestTools::fileExistsOnEmptyPath()
{
    QVERIFY(!Tools::FileExists(QString()));
}

QTEST_GUILESS_MAIN(TestTools)
#include "tst_tools.moc"
