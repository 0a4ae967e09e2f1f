#include "platform/TextFile.h"
#include "support/FileContent.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

namespace {

mode_t modeOf(const QString& path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

QByteArray everyByteValue()
{
    QByteArray bytes;
    for (int value = 0; value < 256; ++value)
        bytes.append(char(value));
    return bytes;
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void roundTripKeepsEveryByte_data();
    void roundTripKeepsEveryByte();
    void failedReadCreatesNothing_data();
    void failedReadCreatesNothing();
    void failedWriteReportsTheSystemError_data();
    void failedWriteReportsTheSystemError();
    void failedWriteKeepsTheOldFile();
    void readOnlyFileIsRefusedAndKept_data();
    void readOnlyFileIsRefusedAndKept();
    void replacingKeepsPermissions_data();
    void replacingKeepsPermissions();
    void newFileGetsTheDefaultPermissions();
    void writingThroughALinkKeepsTheLink();
    void characterOutsideTheCodePageIsSavedAsUtf8_data();
    void characterOutsideTheCodePageIsSavedAsUtf8();
    void unencodableTextWritesNothing();
    void errorMessageIsDescriptionBlankNumber();
};

void TestTextFile::roundTripKeepsEveryByte_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("CR LF pairs") << QByteArray("one\r\ntwo\r\n") << "one\r\ntwo\r\n";
    QTest::newRow("lone LF") << QByteArray("one\ntwo") << "one\ntwo";
    QTest::newRow("lone CR") << QByteArray("one\rtwo") << "one\rtwo";
    QTest::newRow("NUL bytes") << QByteArray("a\0b\0", 4) << QStringLiteral("a\0b\0");
    QTest::newRow("invalid UTF-8 is read byte by byte")
        << QByteArray("caf\xE9 \x80") << QStringLiteral("caf\u00E9 \u20AC");
    QTest::newRow("UTF-8") << QByteArray("gr\xC3\xBC\xC3\x9F") << QStringLiteral("gr\u00FC\u00DF");
    QTest::newRow("byte-order mark kept out of the text")
        << QByteArray("\xEF\xBB\xBFhi") << "hi";
    QTest::newRow("every byte value") << everyByteValue() << QString();
    QTest::newRow("empty file") << QByteArray() << "";
}

void TestTextFile::roundTripKeepsEveryByte()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QTemporaryDir dir;
    const QString path = dir.filePath("document");
    QVERIFY(FileContent::write(path, bytes));

    const Tools::TextFileRead read = Tools::ReadTextFile(path);
    QVERIFY(read.ok());
    if (!text.isNull())
        QCOMPARE(read.value().text, text);

    QVERIFY(QFile::remove(path));
    const Tools::TextFileWrite written =
        Tools::WriteTextFile(path, read.value().text, read.value().format);
    QVERIFY(written.ok());
    QVERIFY(!written->replacedEncoding);
    QCOMPARE(FileContent::read(path), bytes);
}

void TestTextFile::failedReadCreatesNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("number");

    QTest::newRow("missing file") << "missing.txt" << ENOENT;
    QTest::newRow("folder") << "folder" << EISDIR;
    QTest::newRow("folder part is a regular file") << "file.txt/inner.txt" << ENOTDIR;
}

void TestTextFile::failedReadCreatesNothing()
{
    QFETCH(QString, path);
    QFETCH(int, number);

    QTemporaryDir dir;
    QVERIFY(FileContent::write(dir.filePath("file.txt"), "old"));
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);

    const Tools::TextFileRead read = Tools::ReadTextFile(dir.filePath(path));

    QVERIFY(!read.ok());
    QCOMPARE(read.error().number, number);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void TestTextFile::failedWriteReportsTheSystemError_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("mustExist");
    QTest::addColumn<int>("number");

    QTest::newRow("folder part is a regular file") << "file.txt/new.txt" << false << ENOTDIR;
    QTest::newRow("path is a folder") << "folder" << false << EISDIR;
    QTest::newRow("folder does not exist") << "nowhere/new.txt" << false << ENOENT;
    QTest::newRow("saving a vanished file") << "vanished.txt" << true << ENOENT;
    QTest::newRow("full device") << "/dev/full" << false << ENOSPC;
}

void TestTextFile::failedWriteReportsTheSystemError()
{
    QFETCH(QString, path);
    QFETCH(bool, mustExist);
    QFETCH(int, number);

    QTemporaryDir dir;
    QVERIFY(FileContent::write(dir.filePath("file.txt"), "old"));
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);

    const Tools::TextFileWrite written = Tools::WriteTextFile(
        QDir(dir.path()).absoluteFilePath(path), "text", {},
        mustExist ? FileBytes::Target::ExistingOnly : FileBytes::Target::NewOrExisting);

    QVERIFY(!written.ok());
    QCOMPARE(written.error().number, number);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void TestTextFile::failedWriteKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    QVERIFY(FileContent::write(path, "the old content"));

    std::optional<Tools::TextFileWrite> written;
    {
        FileSizeLimit limit(64);
        written = Tools::WriteTextFile(path, QString(1000, QLatin1Char('x')), {});
    }

    QVERIFY(!written->ok());
    QCOMPARE(written->error().number, EFBIG);
    QCOMPARE(FileContent::read(path), QByteArray("the old content"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"notes.txt"});
}

void TestTextFile::readOnlyFileIsRefusedAndKept_data()
{
    QTest::addColumn<uint>("mode");

    QTest::newRow("read-only for everyone") << 0444u;
    QTest::newRow("no rights at all") << 0000u;
}

void TestTextFile::readOnlyFileIsRefusedAndKept()
{
    QFETCH(uint, mode);

    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    QVERIFY(FileContent::write(path, "the old content"));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);

    const auto result = Tools::WriteTextFile(path, "new", {});

    QVERIFY(!result.ok());
    QCOMPARE(result.error().number, EACCES);
    QCOMPARE(result.error().message(), QStringLiteral("Permission denied 13"));
    QCOMPARE(FileContent::read(path), QByteArray("the old content"));
    QCOMPARE(uint(modeOf(path)), mode);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestTextFile::replacingKeepsPermissions_data()
{
    QTest::addColumn<uint>("mode");

    QTest::newRow("private file") << 0600u;
    QTest::newRow("group readable") << 0640u;
    QTest::newRow("executable script") << 0755u;
    QTest::newRow("group writable, beyond the umask") << 0664u;
}

void TestTextFile::replacingKeepsPermissions()
{
    QFETCH(uint, mode);

    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    QVERIFY(FileContent::write(path, "a much longer old content"));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);

    const mode_t mask = ::umask(022);
    const bool ok = Tools::WriteTextFile(path, "new", {}).ok();
    ::umask(mask);

    QVERIFY(ok);
    QCOMPARE(FileContent::read(path), QByteArray("new"));
    QCOMPARE(uint(modeOf(path)), mode);
}

void TestTextFile::newFileGetsTheDefaultPermissions()
{
    const mode_t mask = ::umask(022);
    QTemporaryDir dir;
    const QString path = dir.filePath("new.txt");

    const bool ok = Tools::WriteTextFile(path, "new", {}).ok();
    ::umask(mask);

    QVERIFY(ok);
    QCOMPARE(uint(modeOf(path)), 0644u);
}

void TestTextFile::writingThroughALinkKeepsTheLink()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("notes.txt");
    const QString link = dir.filePath("link.txt");
    QVERIFY(FileContent::write(target, "old"));
    QVERIFY(QFile::link(target, link));

    QVERIFY(Tools::WriteTextFile(link, "new", {}).ok());

    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(FileContent::read(target), QByteArray("new"));
}

void TestTextFile::characterOutsideTheCodePageIsSavedAsUtf8_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("replaced");

    QTest::newRow("euro sign fits the code page") << QStringLiteral("5 \u20AC") << QByteArray("5 \x80")
                                                  << false;
    QTest::newRow("arrow does not fit") << QStringLiteral("a \u2192 b")
                                        << QByteArray("a \xE2\x86\x92 b") << true;
}

void TestTextFile::characterOutsideTheCodePageIsSavedAsUtf8()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, replaced);

    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    const TextFormat codePage{TextEncoding::Windows1252, false};

    const Tools::TextFileWrite written = Tools::WriteTextFile(path, text, codePage);

    QVERIFY(written.ok());
    QCOMPARE(FileContent::read(path), bytes);
    QCOMPARE(written->replacedEncoding.has_value(), replaced);
    QCOMPARE(written->format.encoding,
             replaced ? TextEncoding::Utf8 : TextEncoding::Windows1252);
}

void TestTextFile::unencodableTextWritesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    QVERIFY(FileContent::write(path, "old"));

    const Tools::TextFileWrite written =
        Tools::WriteTextFile(path, QString(QChar(0xD800)), {});

    QVERIFY(!written.ok());
    QCOMPARE(written.error().number, EILSEQ);
    QCOMPARE(FileContent::read(path), QByteArray("old"));
}

void TestTextFile::errorMessageIsDescriptionBlankNumber()
{
    QCOMPARE(FileError::fromErrno(EACCES).message(), QStringLiteral("Permission denied 13"));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
