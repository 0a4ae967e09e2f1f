// Document files that are odd, damaged, huge or impossible to read or write: a read gives
// the exact content or the system's error, a write gives the exact bytes or an error that
// leaves the old file as it was, with no temporary file left behind.

#include "platform/FileBytes.h"
#include "platform/TextFile.h"
#include "ScratchMount.h"
#include "support/HostileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <initializer_list>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

/// A UNIX socket bound at `path`: a directory entry that no open() can read.
bool bindSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (name.size() >= qsizetype(sizeof address.sun_path)) {
        ::close(fd);
        return false;
    }
    std::memcpy(address.sun_path, name.constData(), name.size());
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

/// Runs `work` in a child process and returns how that ended (a waitpid status), so that
/// a test can see what a crash or a refused system call leaves behind.
int inChild(const std::function<int()>& work)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(work());
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

/// Has the kernel run `filter` on every system call of this process; false when the system
/// allows no filter.
bool installFilter(sock_filter* filter, std::size_t length)
{
    sock_fprog program{static_cast<unsigned short>(length), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

/// Has the kernel refuse unnamed files (open with O_TMPFILE) to this process with
/// EOPNOTSUPP, as a file system without them does; false when the system allows no filter.
bool refuseUnnamedFiles()
{
    // O_TMPFILE less the O_DIRECTORY bit it includes, which folder opens use too.
    constexpr unsigned kUnnamedBit = 020000000;
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, kUnnamedBit, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    return installFilter(filter, std::size(filter));
}

/// Has the kernel answer every one of `calls` that this process makes with `action` (an
/// error number, or the end of the process); false when the system allows no filter.
bool answerSystemCalls(std::initializer_list<int> calls, std::uint32_t action)
{
    std::vector<sock_filter> filter{BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr))};
    for (const int call : calls) {
        filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<std::uint32_t>(call), 0, 1));
        filter.push_back(BPF_STMT(BPF_RET | BPF_K, action));
    }
    filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    return installFilter(filter.data(), filter.size());
}

/// Gives this process a mount namespace of its own whose mounts nobody else sees, through a
/// user namespace where the process lacks the right itself; false when the system refuses.
bool privateMounts()
{
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWNS) != 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return false;
        const auto put = [](const char* file, const QByteArray& line) {
            QFile map(QString::fromLatin1(file));
            return map.open(QIODevice::WriteOnly) && map.write(line) == line.size() && map.flush();
        };
        if (!put("/proc/self/setgroups", "deny") || !put("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1")
            || !put("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
            return false;
    }
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

/// Stops a child process's crash from writing a core file.
void noCoreFile()
{
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
}

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT

private slots:
    void init();

    void oddContentSurvivesReadAndWrite_data();
    void oddContentSurvivesReadAndWrite();
    void unreadablePathGivesTheSystemError_data();
    void unreadablePathGivesTheSystemError();
    void folderGivenAsFileIsLeftAlone();
    void fullDeviceGivesNoSpace();
    void fullFileSystemKeepsTheOldFile();
    void readOnlyFileSystemKeepsTheOldFile();
    void crashDuringSaveLeavesNoTemporaryFile_data();
    void crashDuringSaveLeavesNoTemporaryFile();
    void saveWhereUnnamedFilesAreRefused_data();
    void saveWhereUnnamedFilesAreRefused();
    void inPlaceSaveCutShortIsFound_data();
    void inPlaceSaveCutShortIsFound();
    void saveWhereRenameIsRefused_data();
    void saveWhereRenameIsRefused();
    void bindMountedFileIsSaved();

private:
    std::unique_ptr<QTemporaryDir> mDir;
    /// The folder's entries, to show that a failed write left nothing behind.
    QStringList entries(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
};

void TestHostileFiles::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
}

void TestHostileFiles::oddContentSurvivesReadAndWrite_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<qsizetype>("textLength");

    QTest::newRow("NUL bytes") << QByteArray("\0a\0\0b\0", 6) << TextEncoding::Utf8 << qsizetype(6);
    QTest::newRow("only NUL bytes") << QByteArray(4096, '\0') << TextEncoding::Utf8 << qsizetype(4096);
    QTest::newRow("invalid UTF-8") << QByteArray("caf\xE9 \xC3\x28 \xFF\xFE") << TextEncoding::Windows1252 << qsizetype(10);
    QTest::newRow("UTF-8 cut off inside a character") << QByteArray("abc\xE2\x82") << TextEncoding::Windows1252 << qsizetype(5);
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << TextEncoding::Windows1252 << qsizetype(3);
    QTest::newRow("lone byte-order mark") << QByteArray("\xEF\xBB\xBF") << TextEncoding::Utf8 << qsizetype(0);
    QTest::newRow("two byte-order marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") << TextEncoding::Utf8 << qsizetype(1);
    QTest::newRow("byte-order mark then invalid UTF-8") << QByteArray("\xEF\xBB\xBF\xFF") << TextEncoding::Windows1252 << qsizetype(4);
    QTest::newRow("20 MB single line") << singleLine(20 << 20, false) << TextEncoding::Utf8 << qsizetype(20 << 20);
    QTest::newRow("20 MB single line of invalid UTF-8") << singleLine(20 << 20, true) << TextEncoding::Windows1252
                                                         << qsizetype(20 << 20);
}

void TestHostileFiles::oddContentSurvivesReadAndWrite()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    QFETCH(qsizetype, textLength);

    const QString path = mDir->filePath(QStringLiteral("document.txt"));
    QVERIFY(writeBytes(path, bytes));
    const Tools::TextFileRead read = Tools::ReadTextFile(path);
    QVERIFY(read.ok());
    QCOMPARE(read.value().format.encoding, encoding);
    QCOMPARE(read.value().text.size(), textLength);

    const QString copy = mDir->filePath(QStringLiteral("copy.txt"));
    const Tools::TextFileWrite written = Tools::WriteTextFile(copy, read.value().text, read.value().format);
    QVERIFY(written.ok());
    QCOMPARE(written->format, read.value().format);
    QVERIFY(readBytes(copy) == bytes);
}

void TestHostileFiles::unreadablePathGivesTheSystemError_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("number");

    QTest::newRow("folder given as a file") << "folder" << EISDIR;
    QTest::newRow("file used as a folder") << "file.txt/inner.txt" << ENOTDIR;
    QTest::newRow("socket") << "socket" << ENXIO;
    // Opening succeeds, reading fails: the first page of the process is never mapped.
    QTest::newRow("read fails after open") << "/proc/self/mem" << EIO;
}

void TestHostileFiles::unreadablePathGivesTheSystemError()
{
    QFETCH(QString, path);
    QFETCH(int, number);

    QVERIFY(QDir(mDir->path()).mkdir(QStringLiteral("folder")));
    QVERIFY(writeBytes(mDir->filePath(QStringLiteral("file.txt")), "text"));
    QVERIFY(bindSocket(mDir->filePath(QStringLiteral("socket"))));
    const QStringList before = entries(mDir->path());

    const Tools::TextFileRead read = Tools::ReadTextFile(QDir(mDir->path()).filePath(path));
    QVERIFY(!read.ok());
    QCOMPARE(read.error().number, number);
    QVERIFY(!read.error().description.isEmpty());
    QCOMPARE(entries(mDir->path()), before);
}

void TestHostileFiles::folderGivenAsFileIsLeftAlone()
{
    const QString folder = mDir->filePath(QStringLiteral("notes"));
    QVERIFY(QDir(mDir->path()).mkdir(QStringLiteral("notes")));
    QVERIFY(writeBytes(QDir(folder).filePath(QStringLiteral("inside.txt")), "kept"));

    const Tools::TextFileWrite written = Tools::WriteTextFile(folder, QStringLiteral("new text"), TextFormat{});
    QVERIFY(!written.ok());
    QCOMPARE(written.error().number, EISDIR);
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(readBytes(QDir(folder).filePath(QStringLiteral("inside.txt"))), QByteArray("kept"));
    QCOMPARE(entries(mDir->path()), QStringList{QStringLiteral("notes")});
}

void TestHostileFiles::fullDeviceGivesNoSpace()
{
    const Tools::TextFileWrite written = Tools::WriteTextFile(QStringLiteral("/dev/full"), QStringLiteral("text"), TextFormat{});
    QVERIFY(!written.ok());
    QCOMPARE(written.error().number, ENOSPC);
    QVERIFY(!written.error().message().isEmpty());
}

void TestHostileFiles::fullFileSystemKeepsTheOldFile()
{
    const QString folder = mDir->filePath(QStringLiteral("small"));
    QVERIFY(QDir(mDir->path()).mkdir(QStringLiteral("small")));
    ScratchMount mount(folder, "64k");
    if (!mount.mounted())
        QSKIP(qPrintable(mount.error()));

    const QString path = QDir(folder).filePath(QStringLiteral("document.txt"));
    const QByteArray old(16 * 1024, 'o');
    QVERIFY(writeBytes(path, old));

    const QString larger(256 * 1024, u'n');
    const Tools::TextFileWrite written = Tools::WriteTextFile(path, larger, TextFormat{});
    QVERIFY(!written.ok());
    QCOMPARE(written.error().number, ENOSPC);
    QVERIFY(readBytes(path) == old);
    QCOMPARE(entries(folder), QStringList{QStringLiteral("document.txt")});
}

void TestHostileFiles::readOnlyFileSystemKeepsTheOldFile()
{
    const QString folder = mDir->filePath(QStringLiteral("locked"));
    QVERIFY(QDir(mDir->path()).mkdir(QStringLiteral("locked")));
    ScratchMount mount(folder, "64k");
    if (!mount.mounted())
        QSKIP(qPrintable(mount.error()));

    const QString path = QDir(folder).filePath(QStringLiteral("document.txt"));
    QVERIFY(writeBytes(path, "old text"));
    if (!mount.makeReadOnly())
        QSKIP(qPrintable(mount.error()));

    const Tools::TextFileWrite written = Tools::WriteTextFile(path, QStringLiteral("new text"), TextFormat{});
    QVERIFY(!written.ok());
    QCOMPARE(written.error().number, EROFS);
    QCOMPARE(readBytes(path), QByteArray("old text"));
    QCOMPARE(entries(folder), QStringList{QStringLiteral("document.txt")});
}

void TestHostileFiles::crashDuringSaveLeavesNoTemporaryFile_data()
{
    QTest::addColumn<bool>("secondLink");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("file with one name") << false << QStringList{QStringLiteral("document.txt")};
    QTest::newRow("file with two hard links keeps its backup")
        << true << QStringList{QStringLiteral("document.txt"), QStringLiteral("document.txt.sifta-backup~"),
                        QStringLiteral("other.txt")};
}

void TestHostileFiles::crashDuringSaveLeavesNoTemporaryFile()
{
    QFETCH(bool, secondLink);
    QFETCH(QStringList, left);

    const QString path = mDir->filePath(QStringLiteral("document.txt"));
    const QByteArray old(16 * 1024, 'o');
    QVERIFY(writeBytes(path, old));
    if (secondLink)
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(mDir->filePath(QStringLiteral("other.txt"))).constData()), 0);

    // Writing past the file size limit kills the process part way through the save.
    const int status = inChild([&] {
        noCoreFile();
        rlimit size{};
        ::getrlimit(RLIMIT_FSIZE, &size);
        size.rlim_cur = 64 * 1024;
        ::setrlimit(RLIMIT_FSIZE, &size);
        std::signal(SIGXFSZ, SIG_DFL);
        Tools::WriteTextFile(path, QString(256 * 1024, u'n'), TextFormat{});
        return 0;
    });

    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), SIGXFSZ);
    QCOMPARE(entries(mDir->path()), left);
    QVERIFY(readBytes(secondLink ? path + QStringLiteral(".sifta-backup~") : path) == old);
}

void TestHostileFiles::saveWhereUnnamedFilesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("secondLink");

    QTest::newRow("new file") << QStringLiteral("new.txt") << false;
    QTest::newRow("replaced file") << QStringLiteral("document.txt") << false;
    QTest::newRow("file with two hard links") << QStringLiteral("document.txt") << true;
}

void TestHostileFiles::saveWhereUnnamedFilesAreRefused()
{
    QFETCH(QString, name);
    QFETCH(bool, secondLink);

    const QString document = mDir->filePath(QStringLiteral("document.txt"));
    const QString other = mDir->filePath(QStringLiteral("other.txt"));
    QVERIFY(writeBytes(document, "old"));
    QCOMPARE(::chmod(QFile::encodeName(document).constData(), 0640), 0);
    if (secondLink)
        QCOMPARE(::link(QFile::encodeName(document).constData(), QFile::encodeName(other).constData()), 0);
    QStringList expected = entries(mDir->path());
    if (!expected.contains(name))
        expected = QStringList{QStringLiteral("document.txt"), name};
    const QString path = mDir->filePath(name);

    const int status = inChild([&] {
        if (!refuseUnnamedFiles())
            return 2;
        if (::open(QFile::encodeName(mDir->path()).constData(), O_TMPFILE | O_WRONLY, 0600) >= 0 || errno != EOPNOTSUPP)
            return 3;
        return Tools::WriteTextFile(path, QStringLiteral("new"), TextFormat{}).ok() ? 0 : 1;
    });

    QVERIFY(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        QSKIP("the system allows no system call filter here");
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readBytes(path), QByteArray("new"));
    QCOMPARE(entries(mDir->path()), expected);
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(document).constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, mode_t(0640));
    if (secondLink)
        QCOMPARE(readBytes(other), QByteArray("new"));
}

void TestHostileFiles::inPlaceSaveCutShortIsFound_data()
{
    QTest::addColumn<int>("newSize");
    QTest::addColumn<int>("signal");

    // A shorter text is written over the start of the old one and then cut to its length.
    QTest::newRow("killed before a shorter text is cut to its length") << 4 * 1024 << SIGSYS;
    QTest::newRow("killed part way through a longer text") << 256 * 1024 << SIGXFSZ;
}

void TestHostileFiles::inPlaceSaveCutShortIsFound()
{
    QFETCH(int, newSize);
    QFETCH(int, signal);

    const QString path = mDir->filePath(QStringLiteral("document.txt"));
    const QByteArray old(16 * 1024, 'o');
    QVERIFY(writeBytes(path, old));
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(mDir->filePath(QStringLiteral("other.txt"))).constData()), 0);
    QVERIFY(!FileBytes::unfinishedRewriteBackup(path));

    const int status = inChild([&] {
        noCoreFile();
        if (signal == SIGSYS) {
            if (!answerSystemCalls({SYS_ftruncate}, SECCOMP_RET_KILL_PROCESS))
                return 2;
        } else {
            rlimit size{};
            ::getrlimit(RLIMIT_FSIZE, &size);
            size.rlim_cur = 64 * 1024;
            ::setrlimit(RLIMIT_FSIZE, &size);
            std::signal(SIGXFSZ, SIG_DFL);
        }
        Tools::WriteTextFile(path, QString(newSize, u'n'), TextFormat{});
        return 0;
    });

    if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
        QSKIP("the system allows no system call filter here");
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), signal);
    // The file holds neither text whole; the backup beside it holds the old one and says so.
    const QByteArray left = readBytes(path);
    QVERIFY(left != old && left != QByteArray(newSize, 'n'));
    const std::optional<QString> backup = FileBytes::unfinishedRewriteBackup(path);
    QVERIFY(backup);
    QVERIFY(readBytes(*backup) == old);
}

void TestHostileFiles::saveWhereRenameIsRefused_data()
{
    QTest::addColumn<int>("error");

    QTest::newRow("file mounted on its own is busy") << EBUSY;
    QTest::newRow("file across a mount") << EXDEV;
    QTest::newRow("someone else's file in a sticky folder") << EPERM;
}

void TestHostileFiles::saveWhereRenameIsRefused()
{
    QFETCH(int, error);

    const QString path = mDir->filePath(QStringLiteral("document.txt"));
    QVERIFY(writeBytes(path, "the old text, longer than the new one"));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0640), 0);

    const int status = inChild([&] {
        if (!answerSystemCalls({SYS_rename, SYS_renameat, SYS_renameat2}, SECCOMP_RET_ERRNO | std::uint32_t(error)))
            return 2;
        return Tools::WriteTextFile(path, QStringLiteral("new text"), TextFormat{}).ok() ? 0 : 1;
    });

    QVERIFY(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        QSKIP("the system allows no system call filter here");
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readBytes(path), QByteArray("new text"));
    QCOMPARE(entries(mDir->path()), QStringList{QStringLiteral("document.txt")});
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, mode_t(0640));
}

// A single file mounted into a container or a sandbox cannot be renamed over.
void TestHostileFiles::bindMountedFileIsSaved()
{
    QVERIFY(QDir(mDir->path()).mkdir(QStringLiteral("outside")));
    QVERIFY(QDir(mDir->path()).mkdir(QStringLiteral("inside")));
    const QString source = mDir->filePath(QStringLiteral("outside/document.txt"));
    const QString mounted = mDir->filePath(QStringLiteral("inside/document.txt"));
    QVERIFY(writeBytes(source, "old text"));
    QVERIFY(writeBytes(mounted, ""));

    const int status = inChild([&] {
        if (!privateMounts()
            || ::mount(QFile::encodeName(source).constData(), QFile::encodeName(mounted).constData(), nullptr, MS_BIND,
                       nullptr) != 0)
            return 2;
        if (readBytes(mounted) != "old text")
            return 3;
        return Tools::WriteTextFile(mounted, QStringLiteral("new text, longer than the old"), TextFormat{}).ok() ? 0 : 1;
    });

    QVERIFY(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        QSKIP("cannot bind-mount a file here; this needs root with CAP_SYS_ADMIN or user namespaces");
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readBytes(source), QByteArray("new text, longer than the old"));
    QCOMPARE(entries(mDir->filePath(QStringLiteral("inside"))), QStringList{QStringLiteral("document.txt")});
    QCOMPARE(entries(mDir->filePath(QStringLiteral("outside"))), QStringList{QStringLiteral("document.txt")});
}

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
