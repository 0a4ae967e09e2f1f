#include "platform/Descriptor.h"
#include "platform/FileBytes.h"
#include "platform/FilePath.h"
#include "platform/TextFile.h"
#include "platform/Tools.h"
#include "support/FileContent.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

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
    void contentWrittenPieceByPiece_data();
    void contentWrittenPieceByPiece();
    void readOnlyFileIsRefusedAndKept_data();
    void readOnlyFileIsRefusedAndKept();
    void replacingKeepsPermissions_data();
    void replacingKeepsPermissions();
    void newFileGetsTheDefaultPermissions();
    void writingThroughALinkKeepsTheLink();
    void writingThroughADanglingLinkCreatesItsTarget_data();
    void writingThroughADanglingLinkCreatesItsTarget();
    void linkedFileStaysOneFile_data();
    void linkedFileStaysOneFile();
    void unfinishedSaveIsFoundBesideTheFile_data();
    void unfinishedSaveIsFoundBesideTheFile();
    void saveTakesOverAnUnfinishedOnesBackup_data();
    void saveTakesOverAnUnfinishedOnesBackup();
    void extendedAttributesAreKept();
    void regularTargetsOnly_data();
    void regularTargetsOnly();
    void readBeyondTheLimitIsRefused_data();
    void readBeyondTheLimitIsRefused();
    void cancelStopsAReadThatWaits();
    void fileNameThatIsNotUtf8();
    void unencodableTextWritesNothing_data();
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
    QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF\0h\0i", 6) << "hi";
    QTest::newRow("UTF-8 with a stray byte") << QByteArray("\xC3\xA9\xC3\xA9\xFF") << QStringLiteral("\u00E9\u00E9\uEFFF");
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
    QCOMPARE(written->format, read.value().format);
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
    QTest::newRow("pipe nobody reads, instead of a wait") << "fifo" << false << ENXIO;
}

void TestTextFile::failedWriteReportsTheSystemError()
{
    QFETCH(QString, path);
    QFETCH(bool, mustExist);
    QFETCH(int, number);

    QTemporaryDir dir;
    QVERIFY(FileContent::write(dir.filePath("file.txt"), "old"));
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);

    const Tools::TextFileWrite written = Tools::WriteTextFile(
        QDir(dir.path()).absoluteFilePath(path), "text", {},
        mustExist ? FileBytes::Target::ExistingOnly : FileBytes::Target::NewOrExisting);

    QVERIFY(!written.ok());
    QCOMPARE(written.error().number, number);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
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

void TestTextFile::contentWrittenPieceByPiece_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<bool>("hardLinked");
    QTest::addColumn<bool>("givesUp");
    QTest::addColumn<QByteArray>("content");

    QTest::newRow("a new file") << QByteArray() << false << false << QByteArray("new piece");
    QTest::newRow("over an older file") << QByteArray("old") << false << false << QByteArray("new piece");
    QTest::newRow("in place, shorter than the old content")
        << QByteArray("old content, longer than the new") << true << false << QByteArray("new piece");
    QTest::newRow("writer gives up: no new file is left") << QByteArray() << false << true << QByteArray();
    QTest::newRow("writer gives up: the older file stays") << QByteArray("old") << false << true << QByteArray("old");
    QTest::newRow("writer gives up in place: the old content is back")
        << QByteArray("old") << true << true << QByteArray("old");
}

void TestTextFile::contentWrittenPieceByPiece()
{
    QFETCH(QByteArray, old);
    QFETCH(bool, hardLinked);
    QFETCH(bool, givesUp);
    QFETCH(QByteArray, content);

    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    QStringList files;
    if (!old.isEmpty()) {
        QVERIFY(FileContent::write(path, old));
        files.append("notes.txt");
    }
    if (hardLinked) {
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath("other.txt")).constData()), 0);
        files.append("other.txt");
    }

    const std::optional<FileError> error = FileBytes::write(path, [&](int fd) {
        if (const int failed = writeAll(fd, "new "))
            return failed;
        return givesUp ? ECANCELED : writeAll(fd, "piece");
    });

    QCOMPARE(error ? error->number : 0, givesUp ? ECANCELED : 0);
    QCOMPARE(QFileInfo::exists(path) ? FileContent::read(path) : QByteArray(), content);
    if (!givesUp)
        files = QStringList{"notes.txt"} + (hardLinked ? QStringList{"other.txt"} : QStringList());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), files);
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

void TestTextFile::writingThroughADanglingLinkCreatesItsTarget_data()
{
    QTest::addColumn<QString>("linkTarget");
    QTest::addColumn<QString>("created");

    QTest::newRow("relative target") << "notes.txt" << "notes.txt";
    QTest::newRow("target in a subfolder") << "sub/notes.txt" << "sub/notes.txt";
    QTest::newRow("absolute target") << "%1/notes.txt" << "notes.txt";
    QTest::newRow("chain of links") << "middle.txt" << "notes.txt";
}

void TestTextFile::writingThroughADanglingLinkCreatesItsTarget()
{
    QFETCH(QString, linkTarget);
    QFETCH(QString, created);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    const QString link = dir.filePath("link.txt");
    const QByteArray target = QFile::encodeName(QString(linkTarget).replace("%1", dir.path()));
    QCOMPARE(::symlink(target.constData(), QFile::encodeName(link).constData()), 0);
    ::symlink("notes.txt", QFile::encodeName(dir.filePath("middle.txt")).constData());

    // Save needs the file to exist; Save As creates it where the link points.
    const Tools::TextFileWrite saved = Tools::WriteTextFile(link, "new", {}, FileBytes::Target::ExistingOnly);
    QVERIFY(!saved.ok());
    QCOMPARE(saved.error().number, ENOENT);
    QVERIFY(!QFileInfo::exists(dir.filePath(created)));

    QVERIFY(Tools::WriteTextFile(link, "new", {}).ok());

    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(FileContent::read(dir.filePath(created)), QByteArray("new"));
}

void TestTextFile::linkedFileStaysOneFile_data()
{
    QTest::addColumn<int>("sizeLimit");
    QTest::addColumn<QByteArray>("content");

    const QByteArray written(1000, 'n');
    QTest::newRow("written in place") << 0 << written;
    QTest::newRow("write that fails part way puts the old content back") << 64 << QByteArray("old");
}

void TestTextFile::linkedFileStaysOneFile()
{
    QFETCH(int, sizeLimit);
    QFETCH(QByteArray, content);

    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    const QString other = dir.filePath("other.txt");
    QVERIFY(FileContent::write(path, "old"));
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0640), 0);

    std::optional<Tools::TextFileWrite> written;
    {
        std::optional<FileSizeLimit> limit;
        if (sizeLimit > 0)
            limit.emplace(sizeLimit);
        written = Tools::WriteTextFile(path, QString(1000, u'n'), {});
    }

    QCOMPARE(written->ok(), sizeLimit == 0);
    QCOMPARE(FileContent::read(path), content);
    QCOMPARE(FileContent::read(other), content);
    struct stat one {};
    struct stat two {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &one), 0);
    QCOMPARE(::stat(QFile::encodeName(other).constData(), &two), 0);
    QCOMPARE(one.st_ino, two.st_ino);
    QCOMPARE(uint(one.st_mode & 07777), 0640u);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"notes.txt", "other.txt"}));
}

void TestTextFile::unfinishedSaveIsFoundBesideTheFile_data()
{
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("besideIt");
    QTest::addColumn<bool>("found");

    QTest::newRow("no backup") << "notes.txt" << QString() << false;
    QTest::newRow("a backup of the user's own") << "notes.txt" << "notes.txt~" << false;
    QTest::newRow("backup of a save cut short") << "notes.txt" << "notes.txt.sifta-backup~" << true;
    QTest::newRow("backup of the file a link points to") << "link.txt" << "notes.txt.sifta-backup~" << true;
    QTest::newRow("folder with the backup's name") << "notes.txt" << "notes.txt.sifta-backup~/" << false;
}

void TestTextFile::unfinishedSaveIsFoundBesideTheFile()
{
    QFETCH(QString, opened);
    QFETCH(QString, besideIt);
    QFETCH(bool, found);

    QTemporaryDir dir;
    QVERIFY(FileContent::write(dir.filePath("notes.txt"), "half new, half old"));
    QCOMPARE(::symlink("notes.txt", QFile::encodeName(dir.filePath("link.txt")).constData()), 0);
    if (besideIt.endsWith(u'/'))
        QVERIFY(QDir(dir.path()).mkdir(besideIt.chopped(1)));
    else if (!besideIt.isEmpty())
        QVERIFY(FileContent::write(dir.filePath(besideIt), "old"));

    const std::optional<QString> backup = FileBytes::unfinishedRewriteBackup(dir.filePath(opened));
    QCOMPARE(backup.has_value(), found);
    if (found)
        QCOMPARE(*backup, dir.filePath(besideIt));
}

void TestTextFile::saveTakesOverAnUnfinishedOnesBackup_data()
{
    QTest::addColumn<bool>("secondLink");

    QTest::newRow("file with one name, replaced") << false;
    QTest::newRow("file with two hard links, written in place") << true;
}

// The user was told of the earlier backup when the file was opened; a save that follows
// leaves none, and the user's own "name~" stays.
void TestTextFile::saveTakesOverAnUnfinishedOnesBackup()
{
    QFETCH(bool, secondLink);

    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    QVERIFY(FileContent::write(path, "half new, half old"));
    QStringList names{"notes.txt", "notes.txt~"};
    if (secondLink) {
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath("other.txt")).constData()), 0);
        names.append("other.txt");
    }
    QVERIFY(FileContent::write(dir.filePath("notes.txt.sifta-backup~"), "old"));
    QVERIFY(FileContent::write(dir.filePath("notes.txt~"), "the user's"));

    QVERIFY(Tools::WriteTextFile(path, "new", {}).ok());

    QCOMPARE(FileContent::read(path), QByteArray("new"));
    QCOMPARE(FileContent::read(dir.filePath("notes.txt~")), QByteArray("the user's"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), names);
}

void TestTextFile::extendedAttributesAreKept()
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("notes.txt"));
    QVERIFY(FileContent::write(dir.filePath("notes.txt"), "old"));
    if (::setxattr(path.constData(), "user.origin", "scanner", 7, 0) != 0)
        QSKIP(qPrintable(QStringLiteral("the file system keeps no user extended attributes here (%1)")
                             .arg(QString::fromLocal8Bit(std::strerror(errno)))));
    QCOMPARE(::setxattr(path.constData(), "user.empty", "", 0, 0), 0);

    QVERIFY(Tools::WriteTextFile(dir.filePath("notes.txt"), "new", {}).ok());

    QCOMPARE(FileContent::read(dir.filePath("notes.txt")), QByteArray("new"));
    char value[16] = {};
    QCOMPARE(::getxattr(path.constData(), "user.origin", value, sizeof value), ssize_t(7));
    QCOMPARE(QByteArray(value), QByteArray("scanner"));
    QCOMPARE(::getxattr(path.constData(), "user.empty", value, sizeof value), ssize_t(0));
}

void TestTextFile::regularTargetsOnly_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");

    QTest::newRow("regular file") << "file.txt" << QString();
    QTest::newRow("nothing yet") << "new.txt" << QString();
    QTest::newRow("link to a regular file") << "link.txt" << QString();
    QTest::newRow("dangling link") << "dangling.txt" << QString();
    QTest::newRow("folder") << "folder" << "Is a directory 21";
    QTest::newRow("pipe") << "fifo" << "Not a regular file 22";
    QTest::newRow("device") << "/dev/null" << "Not a regular file 22";
    QTest::newRow("link to a device") << "device" << "Not a regular file 22";
}

void TestTextFile::regularTargetsOnly()
{
    QFETCH(QString, path);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(FileContent::write(dir.filePath("file.txt"), "old"));
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
    QVERIFY(QFile::link("file.txt", dir.filePath("link.txt")));
    QVERIFY(QFile::link("missing.txt", dir.filePath("dangling.txt")));
    QVERIFY(QFile::link("/dev/null", dir.filePath("device")));

    const std::optional<FileError> error = FileBytes::checkRegularTarget(QDir(dir.path()).filePath(path));

    QCOMPARE(error ? error->message() : QString(), message);
}

void TestTextFile::readBeyondTheLimitIsRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("sparseSize");
    QTest::addColumn<qint64>("maxUtf8");
    QTest::addColumn<int>("number");

    QTest::newRow("UTF-8 at the limit") << "" << QByteArray("abcd") << qint64(0) << qint64(4) << 0;
    QTest::newRow("UTF-8 one byte over") << "" << QByteArray("abcde") << qint64(0) << qint64(4) << EFBIG;
    QTest::newRow("byte-order mark does not count") << "" << QByteArray("\xEF\xBB\xBF" "abcd") << qint64(0)
                                                    << qint64(4) << 0;
    QTest::newRow("Windows-1252 that grows in UTF-8") << "" << QByteArray("\xE9\xE9\xE9") << qint64(0) << qint64(5)
                                                      << EFBIG;
    QTest::newRow("UTF-16 twice the limit in bytes, at the limit in UTF-8")
        << "" << QByteArray("\xFF\xFE" "a\0b\0c\0d\0", 10) << qint64(0) << qint64(4) << 0;
    QTest::newRow("UTF-32 one character over") << "" << QByteArray("\0\0\xFE\xFF\0\0\0a\0\0\0b", 12) << qint64(0)
                                               << qint64(1) << EFBIG;
    QTest::newRow("30 GB sparse file, measured before reading") << "" << QByteArray() << (qint64(30) << 30)
                                                                << qint64(INT32_MAX) << EFBIG;
    QTest::newRow("endless device, read no further than the limit") << "/dev/zero" << QByteArray() << qint64(0)
                                                                     << (qint64(1) << 20) << EFBIG;
}

void TestTextFile::readBeyondTheLimitIsRefused()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, sparseSize);
    QFETCH(qint64, maxUtf8);
    QFETCH(int, number);

    QTemporaryDir dir;
    if (path.isEmpty()) {
        path = dir.filePath("document.txt");
        QVERIFY(FileContent::write(path, bytes));
        if (sparseSize > 0)
            QVERIFY(QFile::resize(path, sparseSize));
    }

    const Tools::TextFileRead read = Tools::ReadTextFile(path, maxUtf8);

    QCOMPARE(read.ok() ? 0 : read.error().number, number);
}

void TestTextFile::cancelStopsAReadThatWaits()
{
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    // A writer that never writes: the reader has nothing to read and no end of file.
    const int writer = ::open(fifo.constData(), O_RDWR | O_NONBLOCK);
    QVERIFY(writer >= 0);

    std::atomic_bool cancel = false;
    std::future<Tools::TextFileRead> reading = std::async(std::launch::async, [&] {
        return Tools::ReadTextFile(dir.filePath("fifo"), FileBytes::kNoLimit, &cancel);
    });
    cancel = true;
    const Tools::TextFileRead read = reading.get();
    ::close(writer);

    QVERIFY(!read.ok());
    QCOMPARE(read.error().number, ECANCELED);
}

void TestTextFile::fileNameThatIsNotUtf8()
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    const QByteArray latin1 = folder + "caf\xE9.txt";
    // The name Qt's own decoding would turn that one into.
    const QByteArray substituted = folder + "caf\xEF\xBF\xBD.txt";
    QVERIFY(FileContent::write(QFile::decodeName(substituted), "the wrong file"));
    // QTemporaryDir, which decodes names as Qt does, cannot remove this one.
    const auto removeLatin1 = qScopeGuard([&] { ::unlink(latin1.constData()); });
    QVERIFY(FileContent::writeNamed(latin1, "caf\xE9"));
    const QString name = FilePath::decode(latin1);

    QVERIFY(Tools::FileExists(name));
    const Tools::TextFileRead read = Tools::ReadTextFile(name);
    QVERIFY(read.ok());
    QCOMPARE(read->text, QStringLiteral("caf\u00E9"));
    QVERIFY(Tools::WriteTextFile(name, QStringLiteral("th\u00E9"), read->format).ok());

    QCOMPARE(FileContent::read(QFile::decodeName(substituted)), QByteArray("the wrong file"));
    QCOMPARE(FileContent::readNamed(latin1), QByteArray("th\xE9"));
}

void TestTextFile::unencodableTextWritesNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextFormat>("format");
    QTest::addColumn<QByteArray>("bytes");

    const TextFormat codePage{TextEncoding::Windows1252, false};
    QTest::newRow("euro sign fits the code page") << QStringLiteral("5 \u20AC") << codePage << QByteArray("5 \x80");
    QTest::newRow("arrow does not fit the code page") << QStringLiteral("a \u2192 b") << codePage << QByteArray();
    QTest::newRow("lone surrogate in UTF-8") << QString(QChar(0xD800)) << TextFormat{} << QByteArray();
    QTest::newRow("lone surrogate in UTF-16")
        << QString(QChar(0xDC00)) << TextFormat{TextEncoding::Utf16LE, true} << QByteArray();
}

void TestTextFile::unencodableTextWritesNothing()
{
    QFETCH(QString, text);
    QFETCH(TextFormat, format);
    QFETCH(QByteArray, bytes);

    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    QVERIFY(FileContent::write(path, "old"));

    const Tools::TextFileWrite written = Tools::WriteTextFile(path, text, format);

    if (bytes.isEmpty()) {
        QVERIFY(!written.ok());
        QCOMPARE(written.error().number, EILSEQ);
        QVERIFY2(written.error().description.contains(TextCodec::encodingName(format.encoding)),
                 qPrintable(written.error().description));
        QCOMPARE(FileContent::read(path), QByteArray("old"));
    } else {
        QVERIFY(written.ok());
        QCOMPARE(written->format, format);
        QCOMPARE(FileContent::read(path), bytes);
    }
}

void TestTextFile::errorMessageIsDescriptionBlankNumber()
{
    QCOMPARE(FileError::fromErrno(EACCES).message(), QStringLiteral("Permission denied 13"));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
