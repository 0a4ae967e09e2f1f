#include "CliFixture.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

// Parses sifta-cli's command lines in this process: the usage errors and the texts of
// --help and --version. The current folder is an empty one of the test's own.
class tst_CliRequest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void usageErrors_data();
    void usageErrors();
    void information_data();
    void information();
    void cleanupTestCase();

private:
    QTemporaryDir mFolder;
    std::optional<CurrentFolder> mInFolder;
};

void tst_CliRequest::initTestCase()
{
    QVERIFY(mFolder.isValid());
    mInFolder.emplace(mFolder.path());
}

void tst_CliRequest::cleanupTestCase()
{
    mInFolder.reset();
}

void tst_CliRequest::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    const QString missingFile = mFolder.filePath(QStringLiteral("missing.txt"));
    QTest::newRow("no arguments") << QStringList{} << "no command given";
    QTest::newRow("unknown command") << QStringList{"find", "a"} << "unknown command 'find'";
    QTest::newRow("missing pattern") << QStringList{"count"} << "missing PATTERN";
    QTest::newRow("missing pattern after -i") << QStringList{"matches", "-i"} << "missing PATTERN";
    QTest::newRow("missing replacement") << QStringList{"replace", "a"} << "missing REPLACEMENT";
    QTest::newRow("unknown option") << QStringList{"count", "-x", "a"} << "unknown option '-x'";
    QTest::newRow("replace with several files needs --in-place")
        << QStringList{"replace", "a", "b", "one.txt", "two.txt"} << "replace with several files or -r needs --in-place (-I)";
    QTest::newRow("file that does not exist") << QStringList{"count", "a", missingFile}
                                              << QStringLiteral("cannot read '%1': ").arg(missingFile);
    QTest::newRow("folder instead of a file") << QStringList{"replace", "a", "b", mFolder.path()}
                                              << QStringLiteral("cannot read '%1': it is a folder").arg(mFolder.path());
    QTest::newRow("unknown long option") << QStringList{"count", "--colr", "a"} << "unknown option '--colr'";
    QTest::newRow("-e without its value") << QStringList{"count", "-e"} << "option '-e' needs a value";
    QTest::newRow("--regexp without its value") << QStringList{"count", "--regexp"} << "option '--regexp' needs a value";
    QTest::newRow("-e given twice") << QStringList{"count", "-e", "a", "-e", "b"} << "-e may be given only once";
    QTest::newRow("value for an option that takes none") << QStringList{"count", "--text=yes", "a"}
                                                         << "option '--text' takes no value";
    QTest::newRow("unknown --color value") << QStringList{"lines", "--color=sometimes", "a"}
                                           << "invalid value 'sometimes' for --color (auto, always or never)";
    QTest::newRow("--threads of none") << QStringList{"count", "-j", "0", "a"}
                                       << "invalid value '0' for --threads (a number from 1 to 1024)";
    QTest::newRow("--threads that is no number") << QStringList{"count", "--threads=all", "a"}
                                                 << "invalid value 'all' for --threads (a number from 1 to 1024)";
    QTest::newRow("--in-place for another command") << QStringList{"count", "-I", "a", "x.txt"}
                                                    << "--in-place is only for replace";
    QTest::newRow("replace -r needs --in-place") << QStringList{"replace", "-r", "a", "b", "tree"}
                                                 << "replace with several files or -r needs --in-place (-I)";
    QTest::newRow("--in-place without a file") << QStringList{"replace", "-I", "a", "b"}
                                               << "--in-place needs a FILE to write back";
    QTest::newRow("--in-place on standard input") << QStringList{"replace", "--in-place", "a", "b", "x.txt", "-"}
                                                  << "standard input cannot be replaced in place";
    QTest::newRow("test without a file") << QStringList{"test"} << "missing FILE";
    QTest::newRow("test with a pattern") << QStringList{"test", "-e", "a", "cases.json"}
                                         << "test takes only test-case FILEs, which hold the pattern and its options";
    QTest::newRow("--case-conversion for another command") << QStringList{"count", "--case-conversion", "a"}
                                                           << "--case-conversion is only for replace";
    QTest::newRow("after -- an option is a file name") << QStringList{"count", "a", "--", "-i"}
                                                       << "cannot read '-i': No such file or directory";
}

void tst_CliRequest::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    const CliRun run = runInProcess(arguments, "abc");
    QVERIFY2(run.err.startsWith(("sifta-cli: " + message).toUtf8()), run.err.constData());
    QVERIFY2(everyLineNamesTheProgram(run.err), run.err.constData());
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.exitCode, 2);
}

void tst_CliRequest::information_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("outputStart");

    QTest::newRow("--help") << QStringList{"--help"} << QByteArray("Usage: sifta-cli COMMAND");
    QTest::newRow("-h") << QStringList{"-h"} << QByteArray("Usage: sifta-cli COMMAND");
    QTest::newRow("--help after a command and a pattern") << QStringList{"count", "a", "--help"}
                                                          << QByteArray("Usage: sifta-cli COMMAND");
    QTest::newRow("-h grouped with other options") << QStringList{"-ih"} << QByteArray("Usage: sifta-cli COMMAND");
    QTest::newRow("--version") << QStringList{"--version"} << QByteArray("sifta-cli " SIFTA_VERSION "\n");
}

void tst_CliRequest::information()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, outputStart);

    const CliRun run = runInProcess(arguments, "standard input is not read");
    QCOMPARE(run.err, QByteArray());
    QVERIFY2(run.out.startsWith(outputStart), run.out.constData());
    QCOMPARE(run.exitCode, 0);
}

QTEST_GUILESS_MAIN(tst_CliRequest)
#include "tst_clirequest.moc"
