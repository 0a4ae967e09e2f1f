#include "CliFixture.h"

#include <QDir>
#include <QProcess>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {

CliRun finish(QProcess& process, const QByteArray& input)
{
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.readAllStandardOutput(), process.readAllStandardError(), process.exitCode()};
}

/// Runs the built sifta-cli with input on standard input.
CliRun runCli(const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    process.start(QStringLiteral(SIFTA_CLI_PATH), arguments);
    return finish(process, input);
}

} // namespace

// Runs the built program, for what only a process shows: a named pipe, memory limits and
// a terminal on standard output.
class tst_SiftaCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void readsFromPipe();
    void linesComeOutAsTheyArrive();
    void tooLargeForMemory_data();
    void tooLargeForMemory();
    void colorOnTerminal_data();
    void colorOnTerminal();
    void fileNameBytesReachTheProgram();

private:
    CliFiles mFiles;
};

void tst_SiftaCli::initTestCase()
{
    QVERIFY(mFiles.create());
}

// A named pipe given as FILE is read like standard input; the writer is a shell started first.
void tst_SiftaCli::readsFromPipe()
{
    const QString fifo = mFiles.path("pipes/fifo");
    QProcess writer;
    writer.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("printf banana > \"$0\""), fifo});
    QVERIFY(writer.waitForStarted());
    const CliRun run = runCli({"count", "an", fifo}, QByteArray());
    QVERIFY(writer.waitForFinished());
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, QByteArray("2\n"));
    QCOMPARE(run.exitCode, 0);
}

// A line from a pipe comes out while the writer still holds the pipe open, as it would for
// tail -f: the second line is written only after the first one's result has been read.
void tst_SiftaCli::linesComeOutAsTheyArrive()
{
    QProcess process;
    process.start(QStringLiteral(SIFTA_CLI_PATH), {"lines", "ERROR"});
    QVERIFY(process.waitForStarted());
    process.write("ok\nERROR one\n");
    QByteArray out;
    while (!out.contains('\n') && process.waitForReadyRead(60000))
        out += process.readAllStandardOutput();
    QCOMPARE(out, QByteArray("2:ERROR one\n"));
    process.write("ERROR two\n");
    const CliRun rest = finish(process, QByteArray());
    QCOMPARE(rest.out, QByteArray("3:ERROR two\n"));
    QCOMPARE(rest.exitCode, 0);
}

void tst_SiftaCli::tooLargeForMemory_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("lowerMemory");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("error");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("a 30 GB sparse file is refused before it is read")
        << QStringList{"count", "x", "huge.txt", "odd/good.txt"} << false << QByteArray("odd/good.txt:0\n")
        << QByteArray("sifta-cli: cannot read 'huge.txt': it is too large to search (more than 6442450944 bytes)\n")
        << 2;
    QTest::newRow("endless input under a memory limit names the limit")
        << QStringList{"count", "x", "/dev/zero"} << true << QByteArray()
        << QByteArray("sifta-cli: cannot read '/dev/zero': there is not enough memory to read it (an input is read "
                      "whole, up to 6442450944 bytes)\n")
        << 2;
    QTest::newRow("matches that outgrow a memory limit")
        << QStringList{"matches", "", "many.txt"} << true << QByteArray()
        << QByteArray("sifta-cli: there is not enough memory to search 'many.txt'\n") << 2;
    // Kept, the matches of a thousand groups would take 8 KB each, beyond the limit.
    QTest::newRow("count keeps no matches under a memory limit")
        << QStringList{"count", QStringLiteral("()").repeated(1000), "groups.txt"} << true << QByteArray("131073\n")
        << QByteArray() << 0;
}

void tst_SiftaCli::tooLargeForMemory()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, lowerMemory);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, error);
    QFETCH(int, exitCode);

#if defined(__SANITIZE_ADDRESS__)
    if (lowerMemory)
        QSKIP("AddressSanitizer reserves more address space than the lowered limit allows");
#endif
    QFile huge(mFiles.path("huge.txt"));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(30LL << 30));
    huge.close();
    QVERIFY(FileContent::write(mFiles.path("many.txt"), QByteArray(64 << 20, 'a')));
    QVERIFY(FileContent::write(mFiles.path("groups.txt"), QByteArray(128 << 10, 'a')));

    QProcess process;
    process.setWorkingDirectory(mFiles.folder());
    if (lowerMemory) {
        process.setChildProcessModifier([] {
            const rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
            ::setrlimit(RLIMIT_AS, &limit);
        });
    }
    process.start(QStringLiteral(SIFTA_CLI_PATH), arguments);
    const CliRun run = finish(process, QByteArray());
    for (const char* name : {"huge.txt", "many.txt", "groups.txt"})
        QFile::remove(mFiles.path(QString::fromLatin1(name)));
    QCOMPARE(run.err, error);
    QCOMPARE(run.out, output);
    QCOMPARE(run.exitCode, exitCode);
}

// Colour on a terminal: standard output is the slave side of a pseudo-terminal.
void tst_SiftaCli::colorOnTerminal_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("noColor"); // unset when null
    QTest::addColumn<bool>("colored");

    QTest::newRow("auto colours on a terminal") << QStringList{"lines", "b"} << "xterm" << QString() << true;
    QTest::newRow("NO_COLOR turns auto off") << QStringList{"lines", "b"} << "xterm" << "1" << false;
    QTest::newRow("an empty NO_COLOR does not") << QStringList{"lines", "b"} << "xterm" << "" << true;
    QTest::newRow("TERM=dumb turns auto off") << QStringList{"lines", "b"} << "dumb" << QString() << false;
    QTest::newRow("--color=never on a terminal") << QStringList{"lines", "--color=never", "b"} << "xterm" << QString()
                                                 << false;
    QTest::newRow("--color=always wins over NO_COLOR") << QStringList{"lines", "--color=always", "b"} << "xterm"
                                                       << "1" << true;
}

void tst_SiftaCli::colorOnTerminal()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, term);
    QFETCH(QString, noColor);
    QFETCH(bool, colored);

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    QVERIFY(master >= 0);
    QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    QVERIFY(slave >= 0);
    termios raw {};
    QCOMPARE(::tcgetattr(slave, &raw), 0);
    ::cfmakeraw(&raw);
    QCOMPARE(::tcsetattr(slave, TCSANOW, &raw), 0);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TERM"), term);
    environment.remove(QStringLiteral("NO_COLOR"));
    if (!noColor.isNull())
        environment.insert(QStringLiteral("NO_COLOR"), noColor);
    process.setProcessEnvironment(environment);
    process.setChildProcessModifier([slave] { ::dup2(slave, STDOUT_FILENO); });
    process.start(QStringLiteral(SIFTA_CLI_PATH), arguments);
    const CliRun run = finish(process, "ab");

    // The slave stays open here, so what the program wrote waits in the terminal's buffer;
    // a program that wrote nothing must fail the row, not block it.
    QCOMPARE(::fcntl(master, F_SETFL, O_NONBLOCK), 0);
    QByteArray shown(4096, '\0');
    const ssize_t got = ::read(master, shown.data(), size_t(shown.size()));
    ::close(slave);
    ::close(master);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(got > 0);
    shown.truncate(got);
    QCOMPARE(shown, colored ? kNumberOn + "1" + kOff + ":a" + kOn + "b" + kOff + "\n" : QByteArray("1:ab\n"));
}

// A name that is not UTF-8 goes through the program's arguments as its bytes: the Latin-1
// name opens that file, not its UTF-8 look-alike (which holds "apple").
void tst_SiftaCli::fileNameBytesReachTheProgram()
{
    QProcess process;
    process.setWorkingDirectory(mFiles.path("names"));
    process.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"), QStringLiteral("exec \"$0\" count a \"$(printf 'caf\\351.txt')\""),
                   QStringLiteral(SIFTA_CLI_PATH)});
    const CliRun run = finish(process, QByteArray());
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, QByteArray("3\n"));
    QCOMPARE(run.exitCode, 0);
}

QTEST_GUILESS_MAIN(tst_SiftaCli)
#include "tst_SiftaCli.moc"
