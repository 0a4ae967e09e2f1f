#include "platform/FilePath.h"
#include "platform/Tools.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QTest>
#include <QUrl>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

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
    void filePathKeepsEveryByte_data();
    void filePathKeepsEveryByte();
    void fileFromALocalUrl_data();
    void fileFromALocalUrl();
    void fileFromAPathQtDecoded_data();
    void fileFromAPathQtDecoded();
    void currentFolderThatIsNotUtf8();
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

void TestTools::filePathKeepsEveryByte_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("text");

    // The stand-in for the byte b that is no part of valid UTF-8.
    const auto byte = [](char16_t b) { return QString(QChar(char16_t(0xDC00 + b))); };
    QTest::newRow("ASCII") << QByteArray("notes.txt") << QStringLiteral("notes.txt");
    QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9.txt") << QStringLiteral("caf\u00E9.txt");
    QTest::newRow("four-byte UTF-8") << QByteArray("\xF0\x9F\x98\x80") << QStringLiteral("\U0001F600");
    QTest::newRow("Latin-1 byte") << QByteArray("caf\xE9.txt") << u"caf"_s + byte(0xE9) + u".txt"_s;
    QTest::newRow("lone continuation byte") << QByteArray("\x80") << byte(0x80);
    QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << byte(0xC0) + byte(0xAF);
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << byte(0xED) + byte(0xA0) + byte(0x80);
    QTest::newRow("above U+10FFFF") << QByteArray("\xF4\x90\x80\x80")
                                    << byte(0xF4) + byte(0x90) + byte(0x80) + byte(0x80);
    QTest::newRow("sequence cut at the end") << QByteArray("a\xE2\x82") << u"a"_s + byte(0xE2) + byte(0x82);
    QTest::newRow("character after an invalid byte") << QByteArray("\xFF\xC3\xA9") << byte(0xFF) + u"\u00E9"_s;
    QTest::newRow("four-byte UTF-8 before an invalid byte") << QByteArray("\xF0\x9F\x98\x80\xFF")
                                                            << QStringLiteral("\U0001F600") + byte(0xFF);
}

void TestTools::filePathKeepsEveryByte()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, text);

    QCOMPARE(FilePath::decode(name), text);
    QCOMPARE(FilePath::encode(text), name);
}

void TestTools::fileFromALocalUrl_data()
{
    QTest::addColumn<QByteArray>("url");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("ASCII") << QByteArray("file:///tmp/notes.txt") << QByteArray("/tmp/notes.txt");
    QTest::newRow("UTF-8") << QByteArray("file:///tmp/caf%C3%A9.txt") << QByteArray("/tmp/caf\xC3\xA9.txt");
    QTest::newRow("Latin-1 byte") << QByteArray("file:///tmp/caf%E9.txt") << QByteArray("/tmp/caf\xE9.txt");
    QTest::newRow("escaped blank and percent sign") << QByteArray("file:///tmp/a%20b%25.txt")
                                                    << QByteArray("/tmp/a b%.txt");
}

void TestTools::fileFromALocalUrl()
{
    QFETCH(QByteArray, url);
    QFETCH(QByteArray, name);

    QCOMPARE(FilePath::encode(FilePath::fromLocalUrl(QUrl::fromEncoded(url))), name);
}

void TestTools::fileFromAPathQtDecoded_data()
{
    QTest::addColumn<QByteArrayList>("entries");
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("UTF-8 name as it is") << QByteArrayList{"caf\xC3\xA9.txt"} << QByteArray("caf\xC3\xA9.txt")
                                         << QByteArray("caf\xC3\xA9.txt");
    QTest::newRow("name that is not UTF-8") << QByteArrayList{"caf\xE9.txt"} << QByteArray("caf\xE9.txt")
                                            << QByteArray("caf\xE9.txt");
    QTest::newRow("folder that is not UTF-8") << QByteArrayList{"d\xFF", "d\xFF/notes.txt"}
                                              << QByteArray("d\xFF/notes.txt") << QByteArray("d\xFF/notes.txt");
    QTest::newRow("U+FFFD that is part of the name") << QByteArrayList{"caf\xEF\xBF\xBD.txt"}
                                                     << QByteArray("caf\xEF\xBF\xBD.txt")
                                                     << QByteArray("caf\xEF\xBF\xBD.txt");
    QTest::newRow("new name kept") << QByteArrayList{} << QByteArray("caf\xEF\xBF\xBD.txt")
                                   << QByteArray("caf\xEF\xBF\xBD.txt");
    QTest::newRow("two names that read the same") << QByteArrayList{"caf\xE9.txt", "caf\xE8.txt"}
                                                  << QByteArray("caf\xE9.txt") << QByteArray();
}

void TestTools::fileFromAPathQtDecoded()
{
    QFETCH(QByteArrayList, entries);
    QFETCH(QByteArray, chosen);
    QFETCH(QByteArray, file);

    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    // QTemporaryDir, which decodes names as Qt does, cannot remove these.
    const auto removeEntries = qScopeGuard([&] { std::filesystem::remove_all(folder.constData()); });
    for (const QByteArray& entry : entries) {
        const QByteArray path = folder + entry;
        QVERIFY(path.endsWith(".txt") ? ::close(::creat(path.constData(), 0600)) == 0 : ::mkdir(path.constData(), 0700) == 0);
    }

    const std::optional<QString> found = FilePath::fromQtPath(QFile::decodeName(folder + chosen));

    QCOMPARE(found.has_value(), !file.isEmpty());
    if (found)
        QCOMPARE(FilePath::encode(*found), folder + file);
}

void TestTools::currentFolderThatIsNotUtf8()
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + "/caf\xE9";
    QCOMPARE(::mkdir(folder.constData(), 0700), 0);
    const QString before = QDir::currentPath();
    QVERIFY(::chdir(folder.constData()) == 0);
    const QString current = FilePath::currentFolder();
    QVERIFY(QDir::setCurrent(before));
    ::rmdir(folder.constData());

    QCOMPARE(FilePath::encode(current), folder);
}

QTEST_GUILESS_MAIN(TestTools)
#include "tst_tools.moc"
