#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct CliRun {
    QByteArray out;
    QByteArray err;
    int exitCode = -1;
};

CliRun runCli(const QStringList& arguments, const QByteArray& input)
{
    QProcess process;
    process.start(QStringLiteral(SIFTA_CLI_PATH), arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.readAllStandardOutput(), process.readAllStandardError(), process.exitCode()};
}

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

} // namespace

class tst_SiftaCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void commands_data();
    void commands();
    void replaceEncoding_data();
    void replaceEncoding();
    void patternErrors_data();
    void patternErrors();
    void usageErrors_data();
    void usageErrors();
    void readsNamedFile_data();
    void readsNamedFile();

private:
    QTemporaryDir mFolder;
};

void tst_SiftaCli::initTestCase()
{
    QVERIFY(mFolder.isValid());
}

void tst_SiftaCli::commands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("count literal") << QStringList{"count", "a"} << QByteArray("banana") << QByteArray("3\n") << 0;
    QTest::newRow("count without match exits 1") << QStringList{"count", "x"} << QByteArray("banana")
                                                 << QByteArray("0\n") << 1;
    QTest::newRow("count on empty input") << QStringList{"count", "a"} << QByteArray() << QByteArray("0\n") << 1;
    QTest::newRow("count is case-sensitive without -i") << QStringList{"count", "A"} << QByteArray("aAa")
                                                        << QByteArray("1\n") << 0;
    QTest::newRow("count -i ignores case") << QStringList{"count", "-i", "A"} << QByteArray("aAa")
                                           << QByteArray("3\n") << 0;
    QTest::newRow("count -i folds beyond ASCII") << QStringList{"count", "-i", "é"} << QByteArray("\xC3\x89 \xC3\xA9")
                                                 << QByteArray("2\n") << 0;
    QTest::newRow("count empty pattern matches at every position") << QStringList{"count", ""} << QByteArray("test")
                                                                   << QByteArray("5\n") << 0;
    QTest::newRow("count line starts: multiline is on") << QStringList{"count", "^"} << QByteArray("a\r\nb\nc\rd")
                                                        << QByteArray("4\n") << 0;
    QTest::newRow("count line ends: none inside CR LF") << QStringList{"count", "$"} << QByteArray("a\r\n\r\nb")
                                                        << QByteArray("3\n") << 0;
    QTest::newRow("count pattern after -- may start with a dash")
        << QStringList{"count", "--", "-a"} << QByteArray("-a-a") << QByteArray("2\n") << 0;
    QTest::newRow("count Windows-1252 input") << QStringList{"count", "é"} << QByteArray("caf\xE9 \xE9")
                                              << QByteArray("2\n") << 0;

    QTest::newRow("matches value and sub-matches, unmatched group empty")
        << QStringList{"matches", "(a)(x)?"} << QByteArray("bab")
        << QByteArray("{\"index\":1,\"length\":1,\"value\":\"a\",\"submatches\":[\"a\",\"\"]}\n") << 0;
    QTest::newRow("matches one line a match in text order")
        << QStringList{"matches", "\\d"} << QByteArray("1a2")
        << QByteArray("{\"index\":0,\"length\":1,\"value\":\"1\",\"submatches\":[]}\n"
                      "{\"index\":2,\"length\":1,\"value\":\"2\",\"submatches\":[]}\n")
        << 0;
    QTest::newRow("matches without match prints nothing and exits 1")
        << QStringList{"matches", "x"} << QByteArray("abc") << QByteArray() << 1;
    QTest::newRow("matches zero-length match") << QStringList{"matches", "^"} << QByteArray("a")
                                               << QByteArray("{\"index\":0,\"length\":0,\"value\":\"\",\"submatches\":[]}\n")
                                               << 0;
    QTest::newRow("matches CR LF counts two positions")
        << QStringList{"matches", "b"} << QByteArray("a\r\nb")
        << QByteArray("{\"index\":3,\"length\":1,\"value\":\"b\",\"submatches\":[]}\n") << 0;
    QTest::newRow("matches positions are UTF-16 code units")
        << QStringList{"matches", "x"} << QByteArray("\xC3\xA9\xF0\x9F\x99\x82x")
        << QByteArray("{\"index\":3,\"length\":1,\"value\":\"x\",\"submatches\":[]}\n") << 0;
    QTest::newRow("matches escapes quote and backslash")
        << QStringList{"matches", ".+"} << QByteArray("a\"b\\c/")
        << QByteArray("{\"index\":0,\"length\":6,\"value\":\"a\\\"b\\\\c/\",\"submatches\":[]}\n") << 0;
    QTest::newRow("matches escapes control characters")
        << QStringList{"matches", "[^~]+"} << QByteArray("\t\n\r\b\f\0\x01\x1f\x7f", 9)
        << QByteArray("{\"index\":0,\"length\":9,\"value\":\"\\t\\n\\r\\b\\f\\u0000\\u0001\\u001f\\u007f\",\"submatches\":[]}\n")
        << 0;
    QTest::newRow("matches escapes C1 control from Windows-1252 input")
        << QStringList{"matches", "[^~]"} << QByteArray("\x81")
        << QByteArray("{\"index\":0,\"length\":1,\"value\":\"\\u0081\",\"submatches\":[]}\n") << 0;
    QTest::newRow("matches writes other characters as UTF-8")
        << QStringList{"matches", "[^~]+"} << QByteArray("\xD0\xB6\xC3\xA9\xF0\x9F\x99\x82")
        << QByteArray("{\"index\":0,\"length\":4,\"value\":\"\xD0\xB6\xC3\xA9\xF0\x9F\x99\x82\",\"submatches\":[]}\n")
        << 0;
    QTest::newRow("matches escapes lone surrogate")
        << QStringList{"matches", "[\\uD800-\\uDBFF]"} << QByteArray("\xF0\x9F\x99\x82")
        << QByteArray("{\"index\":0,\"length\":1,\"value\":\"\\ud83d\",\"submatches\":[]}\n") << 0;
    QTest::newRow("matches -i") << QStringList{"matches", "-i", "B"} << QByteArray("ab")
                                << QByteArray("{\"index\":1,\"length\":1,\"value\":\"b\",\"submatches\":[]}\n") << 0;

    QTest::newRow("replace every match") << QStringList{"replace", "a", "o"} << QByteArray("banana")
                                         << QByteArray("bonono") << 0;
    QTest::newRow("replace -i") << QStringList{"replace", "-i", "A", "o"} << QByteArray("bAnana")
                                << QByteArray("bonono") << 0;
    QTest::newRow("replace without match exits 0") << QStringList{"replace", "x", "y"} << QByteArray("abc")
                                                   << QByteArray("abc") << 0;
    QTest::newRow("replace on empty input") << QStringList{"replace", "a", "b"} << QByteArray() << QByteArray() << 0;
    QTest::newRow("replace without match keeps invalid UTF-8 and NUL bytes")
        << QStringList{"replace", "zzz", "y"} << QByteArray("\0\xFF\xFE\r\n\x81\0", 7)
        << QByteArray("\0\xFF\xFE\r\n\x81\0", 7) << 0;
    QTest::newRow("replace without match keeps CR LF, lone CR and lone LF")
        << QStringList{"replace", "zzz", "y"} << QByteArray("a\r\nb\rc\nd") << QByteArray("a\r\nb\rc\nd") << 0;
    QTest::newRow("replace keeps byte-order mark") << QStringList{"replace", "b", "c"} << kByteOrderMark + "abc"
                                                   << kByteOrderMark + "acc" << 0;
    QTest::newRow("replace keeps lone byte-order mark") << QStringList{"replace", "b", "c"} << kByteOrderMark
                                                        << kByteOrderMark << 0;
    QTest::newRow("replace writes Windows-1252 input back in Windows-1252")
        << QStringList{"replace", "a", "é€"} << QByteArray("\xE9\x81" "a") << QByteArray("\xE9\x81\xE9\x80") << 0;
    QTest::newRow("replace line starts leaves CR LF whole")
        << QStringList{"replace", "^", "> "} << QByteArray("a\r\nb\rc") << QByteArray("> a\r\n> b\r> c") << 0;
    QTest::newRow("replace groups") << QStringList{"replace", "(\\w+) (\\w+)", "$2 $1"} << QByteArray("hello world")
                                    << QByteArray("world hello") << 0;
    QTest::newRow("replace context sequences") << QStringList{"replace", "b", "[$`|$&|$'|$$|$_]"}
                                               << QByteArray("abc") << QByteArray("a[a|b|c|$|abc]c") << 0;
}

void tst_SiftaCli::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    QFETCH(int, exitCode);

    const CliRun run = runCli(arguments, input);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, output);
    QCOMPARE(run.exitCode, exitCode);
}

void tst_SiftaCli::replaceEncoding_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("error");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("character outside Windows-1252 switches the output to UTF-8")
        << QStringList{"replace", "caf", "ж"} << QByteArray("caf\xE9") << QByteArray("\xD0\xB6\xC3\xA9")
        << QByteArray("sifta-cli: the result holds U+0436, which Windows-1252 cannot store; written as UTF-8\n") << 0;
    QTest::newRow("lone surrogate in the result writes nothing")
        << QStringList{"replace", "[\\uDC00-\\uDFFF]", ""} << QByteArray("a\xF0\x9F\x99\x82")
        << QByteArray()
        << QByteArray("sifta-cli: the result holds a lone surrogate U+D83D at position 1, which no encoding can "
                      "store; nothing written\n")
        << 2;
}

void tst_SiftaCli::replaceEncoding()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, error);
    QFETCH(int, exitCode);

    const CliRun run = runCli(arguments, input);
    QCOMPARE(run.err, error);
    QCOMPARE(run.out, output);
    QCOMPARE(run.exitCode, exitCode);
}

void tst_SiftaCli::patternErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("error");

    QTest::newRow("unclosed group") << QStringList{"count", "(a"} << QByteArray("Expected ')' in regular expression\n");
    QTest::newRow("unclosed class") << QStringList{"matches", "[a"}
                                    << QByteArray("Expected ']' in regular expression\n");
    QTest::newRow("syntax error") << QStringList{"count", "(?<=a)b"}
                                  << QByteArray("Syntax error in regular expression\n");
    QTest::newRow("other error shows description and number")
        << QStringList{"count", "a**"} << QByteArray("Error: Unexpected quantifier 5018\n");
    QTest::newRow("invalid range") << QStringList{"matches", "-i", "[z-a]"}
                                   << QByteArray("Error: Invalid range in character set 5021\n");
    QTest::newRow("replace with a bad pattern writes no text")
        << QStringList{"replace", "a)", "b"} << QByteArray("Syntax error in regular expression\n");
}

void tst_SiftaCli::patternErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, error);

    const CliRun run = runCli(arguments, "abc");
    QCOMPARE(run.err, error);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.exitCode, 2);
}

void tst_SiftaCli::usageErrors_data()
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
    QTest::newRow("too many arguments") << QStringList{"count", "a", "one.txt", "two.txt"} << "too many arguments";
    QTest::newRow("file that does not exist") << QStringList{"count", "a", missingFile}
                                              << QStringLiteral("cannot read '%1': ").arg(missingFile);
    QTest::newRow("folder instead of a file") << QStringList{"replace", "a", "b", mFolder.path()}
                                              << QStringLiteral("cannot read '%1': it is a folder").arg(mFolder.path());
}

void tst_SiftaCli::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    const CliRun run = runCli(arguments, "abc");
    QVERIFY2(run.err.startsWith(("sifta-cli: " + message).toUtf8()), run.err.constData());
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.exitCode, 2);
}

void tst_SiftaCli::readsNamedFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("output");

    QTest::newRow("count in file") << QStringList{"count", "b"} << QByteArray("abcb") << QByteArray("2\n");
    QTest::newRow("replace in file without match keeps every byte")
        << QStringList{"replace", "zzz", "y"} << kByteOrderMark + QByteArray("\xC3\xA9\r\n\0x", 6)
        << kByteOrderMark + QByteArray("\xC3\xA9\r\n\0x", 6);
}

void tst_SiftaCli::readsNamedFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, output);

    const QString path = mFolder.filePath(QStringLiteral("input.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
    file.close();

    const CliRun run = runCli(arguments << path, "standard input is not read");
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, output);
    QCOMPARE(run.exitCode, 0);
}

QTEST_GUILESS_MAIN(tst_SiftaCli)
#include "tst_SiftaCli.moc"
