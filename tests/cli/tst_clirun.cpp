#include "CliFixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

// Runs sifta-cli's commands in this process over standard input and the files of CliFiles,
// which is the current folder while the rows run.
class tst_CliRun : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void commands_data();
    void commands();
    void replaceEncoding_data();
    void replaceEncoding();
    void patternErrors_data();
    void patternErrors();
    void readsNamedFile_data();
    void readsNamedFile();
    void options_data();
    void options();
    void hostileArguments_data();
    void hostileArguments();
    void fileWithAnUnfinishedSave_data();
    void fileWithAnUnfinishedSave();
    void inPlace_data();
    void inPlace();
    void fileNamesAreBytes_data();
    void fileNamesAreBytes();
    void encodingsSearchAlike_data();
    void encodingsSearchAlike();
    void strayBytesGoOutAsTheyCame();
    void manyFilesComeOutInNameOrder_data();
    void manyFilesComeOutInNameOrder();
    void cleanupTestCase();

private:
    CliFiles mFiles;
    std::optional<CurrentFolder> mInFiles;
};

void tst_CliRun::initTestCase()
{
    QVERIFY(mFiles.create());
    mInFiles.emplace(mFiles.folder());
}

void tst_CliRun::manyFilesComeOutInNameOrder_data()
{
    QTest::addColumn<QByteArray>("threads");
    QTest::newRow("one thread") << QByteArray("1");
    QTest::newRow("three threads") << QByteArray("3");
}

// Files found in a folder are searched several to a job; more of them than two jobs take
// still come out whole and in name order.
void tst_CliRun::manyFilesComeOutInNameOrder()
{
    QFETCH(QByteArray, threads);
    const QTemporaryDir folder;
    const QByteArray root = QFile::encodeName(folder.path());
    QByteArray expected;
    for (int i = 0; i < 19; ++i) {
        const QByteArray name = root + "/f" + QByteArray::number(i).rightJustified(2, '0') + ".txt";
        QVERIFY(createFile(name, QByteArray("banana\n").repeated(i)));
        expected += name + ':' + QByteArray::number(i) + '\n';
    }
    const CliRun run = runInProcess(QList<QByteArray>{"count", "-r", "-j", threads, "banana", root}, QByteArray());
    QCOMPARE(run.out, expected);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
}

void tst_CliRun::cleanupTestCase()
{
    mInFiles.reset();
}

void tst_CliRun::commands_data()
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
        << QByteArray("{\"index\":1,\"line\":1,\"column\":2,\"length\":1,\"value\":\"a\",\"submatches\":[\"a\",\"\"]}\n") << 0;
    QTest::newRow("matches one line a match in text order")
        << QStringList{"matches", "\\d"} << QByteArray("1a2")
        << QByteArray("{\"index\":0,\"line\":1,\"column\":1,\"length\":1,\"value\":\"1\",\"submatches\":[]}\n"
                      "{\"index\":2,\"line\":1,\"column\":3,\"length\":1,\"value\":\"2\",\"submatches\":[]}\n")
        << 0;
    QTest::newRow("matches without match prints nothing and exits 1")
        << QStringList{"matches", "x"} << QByteArray("abc") << QByteArray() << 1;
    QTest::newRow("matches zero-length match") << QStringList{"matches", "^"} << QByteArray("a")
                                               << QByteArray("{\"index\":0,\"line\":1,\"column\":1,\"length\":0,\"value\":\"\",\"submatches\":[]}\n")
                                               << 0;
    QTest::newRow("matches CR LF counts two positions")
        << QStringList{"matches", "b"} << QByteArray("a\r\nb")
        << QByteArray("{\"index\":3,\"line\":2,\"column\":1,\"length\":1,\"value\":\"b\",\"submatches\":[]}\n") << 0;
    QTest::newRow("matches positions are UTF-16 code units")
        << QStringList{"matches", "x"} << QByteArray("\xC3\xA9\xF0\x9F\x99\x82x")
        << QByteArray("{\"index\":3,\"line\":1,\"column\":4,\"length\":1,\"value\":\"x\",\"submatches\":[]}\n") << 0;
    QTest::newRow("matches escapes quote and backslash")
        << QStringList{"matches", ".+"} << QByteArray("a\"b\\c/")
        << QByteArray("{\"index\":0,\"line\":1,\"column\":1,\"length\":6,\"value\":\"a\\\"b\\\\c/\",\"submatches\":[]}\n") << 0;
    QTest::newRow("matches escapes control characters")
        << QStringList{"matches", "[^~]+"} << QByteArray("\t\n\r\b\f\0\x01\x1f\x7f", 9)
        << QByteArray("{\"index\":0,\"line\":1,\"column\":1,\"length\":9,\"value\":\"\\t\\n\\r\\b\\f\\u0000\\u0001\\u001f\\u007f\",\"submatches\":[]}\n")
        << 0;
    QTest::newRow("matches escapes C1 control from Windows-1252 input")
        << QStringList{"matches", "[^~]"} << QByteArray("\x81")
        << QByteArray("{\"index\":0,\"line\":1,\"column\":1,\"length\":1,\"value\":\"\\u0081\",\"submatches\":[]}\n") << 0;
    QTest::newRow("matches writes other characters as UTF-8")
        << QStringList{"matches", "[^~]+"} << QByteArray("\xD0\xB6\xC3\xA9\xF0\x9F\x99\x82")
        << QByteArray("{\"index\":0,\"line\":1,\"column\":1,\"length\":4,\"value\":\"\xD0\xB6\xC3\xA9\xF0\x9F\x99\x82\",\"submatches\":[]}\n")
        << 0;
    QTest::newRow("matches escapes lone surrogate")
        << QStringList{"matches", "[\\uD800-\\uDBFF]"} << QByteArray("\xF0\x9F\x99\x82")
        << QByteArray("{\"index\":0,\"line\":1,\"column\":1,\"length\":1,\"value\":\"\\ud83d\",\"submatches\":[]}\n") << 0;
    QTest::newRow("matches -i") << QStringList{"matches", "-i", "B"} << QByteArray("ab")
                                << QByteArray("{\"index\":1,\"line\":1,\"column\":2,\"length\":1,\"value\":\"b\",\"submatches\":[]}\n") << 0;

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
    QTest::newRow("replace --case-conversion") << QStringList{"replace", "--case-conversion", "(\\w)(\\w*)", "\\u$1\\L$2"}
                                               << QByteArray("hELLO wORLD") << QByteArray("Hello World") << 0;
    QTest::newRow("replace context sequences") << QStringList{"replace", "b", "[$`|$&|$'|$$|$_]"}
                                               << QByteArray("abc") << QByteArray("a[a|b|c|$|abc]c") << 0;
}

void tst_CliRun::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    QFETCH(int, exitCode);

    const CliRun run = runInProcess(arguments, input);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, output);
    QCOMPARE(run.exitCode, exitCode);
}

void tst_CliRun::replaceEncoding_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("error");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("character outside Windows-1252 writes nothing")
        << QStringList{"replace", "caf", "ж"} << QByteArray("caf\xE9") << QByteArray()
        << QByteArray("sifta-cli: the result holds U+0436, which Windows-1252 cannot store; nothing written "
                      "(--to-utf8 writes it as UTF-8)\n")
        << 2;
    QTest::newRow("--to-utf8 writes it as UTF-8")
        << QStringList{"replace", "--to-utf8", "caf", "ж"} << QByteArray("caf\xE9") << QByteArray("\xD0\xB6\xC3\xA9")
        << QByteArray("sifta-cli: the result holds U+0436, which Windows-1252 cannot store; written as UTF-8\n") << 0;
    QTest::newRow("a stray byte in UTF-8 stays as it was")
        << QStringList{"replace", "-e", "-", "\xC5\x9D"} << QByteArray("\xC3\xA9\xC3\xA9 \xE9 -") << QByteArray("\xC3\xA9\xC3\xA9 \xE9 \xC5\x9D")
        << QByteArray() << 0;
    QTest::newRow("lone surrogate in the result writes nothing")
        << QStringList{"replace", "[\\uDC00-\\uDFFF]", ""} << QByteArray("a\xF0\x9F\x99\x82")
        << QByteArray()
        << QByteArray("sifta-cli: the result holds a lone surrogate U+D83D at position 1, which no encoding can "
                      "store; nothing written\n")
        << 2;
}

void tst_CliRun::replaceEncoding()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, error);
    QFETCH(int, exitCode);

    const CliRun run = runInProcess(arguments, input);
    QCOMPARE(run.err, error);
    QCOMPARE(run.out, output);
    QCOMPARE(run.exitCode, exitCode);
}

void tst_CliRun::patternErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("error");

    QTest::newRow("unclosed group") << QStringList{"count", "(a"} << QByteArray("sifta-cli: Expected ')' in regular expression\n");
    QTest::newRow("unclosed class") << QStringList{"matches", "[a"}
                                    << QByteArray("sifta-cli: Expected ']' in regular expression\n");
    QTest::newRow("syntax error") << QStringList{"count", "(?<=a)b"}
                                  << QByteArray("sifta-cli: Syntax error in regular expression\n");
    QTest::newRow("other error shows description and number")
        << QStringList{"count", "a**"} << QByteArray("sifta-cli: Error: Unexpected quantifier 5018\n");
    QTest::newRow("invalid range") << QStringList{"matches", "-i", "[z-a]"}
                                   << QByteArray("sifta-cli: Error: Invalid range in character set 5021\n");
    QTest::newRow("replace with a bad pattern writes no text")
        << QStringList{"replace", "a)", "b"} << QByteArray("sifta-cli: Syntax error in regular expression\n");
}

void tst_CliRun::patternErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, error);

    const CliRun run = runInProcess(arguments, "abc");
    QCOMPARE(run.err, error);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.exitCode, 2);
}

void tst_CliRun::readsNamedFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("output");

    QTest::newRow("count in file") << QStringList{"count", "b"} << QByteArray("abcb") << QByteArray("2\n");
    QTest::newRow("replace in file without match keeps every byte")
        << QStringList{"replace", "zzz", "y"} << kByteOrderMark + QByteArray("\xC3\xA9\r\n\0x", 6)
        << kByteOrderMark + QByteArray("\xC3\xA9\r\n\0x", 6);
}

void tst_CliRun::readsNamedFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, output);

    const QString path = mFiles.path(QStringLiteral("input.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
    file.close();

    const CliRun run = runInProcess(arguments << path, "standard input is not read");
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, output);
    QCOMPARE(run.exitCode, 0);
}

void tst_CliRun::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("-e takes a pattern that starts with a dash") << QStringList{"count", "-e", "-a"}
                                                                << QByteArray("-a-a") << QByteArray("2\n") << 0;
    QTest::newRow("-e with its value in the same argument") << QStringList{"count", "-e-a"} << QByteArray("-a-a")
                                                            << QByteArray("2\n") << 0;
    QTest::newRow("--regexp=PATTERN") << QStringList{"count", "--regexp=-a"} << QByteArray("-a-a")
                                      << QByteArray("2\n") << 0;
    QTest::newRow("--regexp PATTERN") << QStringList{"count", "--regexp", "-a"} << QByteArray("-a-a")
                                      << QByteArray("2\n") << 0;
    QTest::newRow("-e before the command") << QStringList{"-e", "a", "count"} << QByteArray("aa") << QByteArray("2\n")
                                           << 0;
    QTest::newRow("--ignore-case") << QStringList{"count", "--ignore-case", "A"} << QByteArray("aA")
                                   << QByteArray("2\n") << 0;
    QTest::newRow("option after the pattern") << QStringList{"count", "A", "-i"} << QByteArray("aA")
                                              << QByteArray("2\n") << 0;
    QTest::newRow("option after the file") << QStringList{"count", "BANANA", "tree/a.txt", "-i"} << QByteArray()
                                           << QByteArray("1\n") << 0;
    QTest::newRow("option before the command") << QStringList{"-i", "count", "A"} << QByteArray("aA")
                                               << QByteArray("2\n") << 0;
    QTest::newRow("- reads standard input") << QStringList{"count", "a", "-"} << QByteArray("aa") << QByteArray("2\n")
                                            << 0;
    QTest::newRow("- among files is named (standard input)")
        << QStringList{"count", "an", "tree/a.txt", "-"} << QByteArray("an") << QByteArray("tree/a.txt:3\n(standard input):1\n")
        << 0;
    QTest::newRow("count prints FILE:N for several files, 0 included")
        << QStringList{"count", "banana", "tree/a.txt", "tree/b.txt", "tree/sub/c.txt"} << QByteArray()
        << QByteArray("tree/a.txt:1\ntree/b.txt:1\ntree/sub/c.txt:0\n") << 0;
    QTest::newRow("several files without a match exit 1") << QStringList{"count", "kiwi", "tree/a.txt", "tree/b.txt"}
                                                           << QByteArray() << QByteArray("tree/a.txt:0\ntree/b.txt:0\n")
                                                           << 1;
    QTest::newRow("-r walks a folder in name order and skips binary files")
        << QStringList{"count", "-r", "banana", "tree"} << QByteArray()
        << QByteArray("tree/a.txt:1\ntree/b.txt:1\ntree/sub/c.txt:0\n") << 0;
    QTest::newRow("-j 3 writes each file whole and in name order")
        << QStringList{"lines", "-r", "-j", "3", "an", "tree"} << QByteArray()
        << QByteArray("tree/a.txt:1:an apple\ntree/a.txt:2:banana\ntree/b.txt:2:banana split\n") << 0;
    QTest::newRow("-j1 runs the files one after another")
        << QStringList{"count", "-rj1", "banana", "tree"} << QByteArray()
        << QByteArray("tree/a.txt:1\ntree/b.txt:1\ntree/sub/c.txt:0\n") << 0;
    QTest::newRow("-r writes nothing of a file whose NUL byte comes late")
        << QStringList{"lines", "-r", "banana", "late"} << QByteArray()
        << QByteArray("late/a.txt:1:banana\n") << 0;
    QTest::newRow("-a searches binary files too") << QStringList{"count", "-r", "-a", "banana", "tree/sub/"}
                                                  << QByteArray() << QByteArray("tree/sub/c.txt:0\ntree/sub/d.bin:1\n") << 0;
    QTest::newRow("--recursive --text") << QStringList{"count", "--recursive", "--text", "banana", "tree/sub"}
                                        << QByteArray() << QByteArray("tree/sub/c.txt:0\ntree/sub/d.bin:1\n") << 0;
    QTest::newRow("-ria grouped") << QStringList{"count", "-ria", "BANANA", "tree/sub"} << QByteArray()
                                  << QByteArray("tree/sub/c.txt:0\ntree/sub/d.bin:1\n") << 0;
    QTest::newRow("a binary file named on the command line is searched")
        << QStringList{"count", "banana", "tree/sub/d.bin"} << QByteArray() << QByteArray("1\n") << 0;
    QTest::newRow("-r on one file names no file") << QStringList{"count", "-r", "banana", "tree/a.txt"}
                                                  << QByteArray() << QByteArray("1\n") << 0;
    QTest::newRow("matches adds the file and finds line and column after CR LF")
        << QStringList{"matches", "split", "tree/a.txt", "tree/b.txt"} << QByteArray()
        << QByteArray("{\"file\":\"tree/b.txt\",\"index\":15,\"line\":2,\"column\":8,\"length\":5,\"value\":\"split\","
                      "\"submatches\":[]}\n")
        << 0;
    QTest::newRow("matches: CR LF, lone CR and lone LF each end a line")
        << QStringList{"matches", "d"} << QByteArray("a\r\nb\rc\nxd")
        << QByteArray("{\"index\":8,\"line\":4,\"column\":2,\"length\":1,\"value\":\"d\",\"submatches\":[]}\n") << 0;
    QTest::newRow("matches: a match on a line break belongs to the line it ends")
        << QStringList{"matches", "\\n"} << QByteArray("a\r\nb")
        << QByteArray("{\"index\":2,\"line\":1,\"column\":3,\"length\":1,\"value\":\"\\n\",\"submatches\":[]}\n") << 0;
    QTest::newRow("lines prints each matching line after its number")
        << QStringList{"lines", "an"} << QByteArray("an apple\nkiwi\nbanana\n") << QByteArray("1:an apple\n3:banana\n")
        << 0;
    QTest::newRow("lines with several files names the file and drops CR LF")
        << QStringList{"lines", "split", "tree/a.txt", "tree/b.txt"} << QByteArray()
        << QByteArray("tree/b.txt:2:banana split\n") << 0;
    QTest::newRow("lines prints every line a match spans") << QStringList{"lines", "b\\r?\\nc"}
                                                           << QByteArray("ab\r\ncd\nef") << QByteArray("1:ab\n2:cd\n") << 0;
    QTest::newRow("lines prints the line of an empty match") << QStringList{"lines", "^$"} << QByteArray("a\n\nb")
                                                             << QByteArray("2:\n") << 0;
    QTest::newRow("lines prints a line with several matches once") << QStringList{"lines", "a"}
                                                                   << QByteArray("banana\n") << QByteArray("1:banana\n") << 0;
    QTest::newRow("lines writes Windows-1252 lines as they are") << QStringList{"lines", "caf"}
                                                                 << QByteArray("caf\xE9\nx") << QByteArray("1:caf\xE9\n")
                                                                 << 0;
    QTest::newRow("lines: no line after the final line break") << QStringList{"lines", "^"} << QByteArray("a\nb\n")
                                                              << QByteArray("1:a\n2:b\n") << 0;
    QTest::newRow("lines: no line after a final CR LF") << QStringList{"lines", "$"} << QByteArray("a\r\n")
                                                        << QByteArray("1:a\n") << 0;
    QTest::newRow("lines on empty input has no line and exits 1") << QStringList{"lines", "^"} << QByteArray()
                                                                  << QByteArray() << 1;
    QTest::newRow("lines without a match exits 1") << QStringList{"lines", "x"} << QByteArray("abc") << QByteArray()
                                                   << 1;
    QTest::newRow("--color=always colours matches and numbers")
        << QStringList{"lines", "--color=always", "an"} << QByteArray("banana")
        << kNumberOn + "1" + kOff + ":b" + kOn + "an" + kOff + kOn + "an" + kOff + "a\n" << 0;
    QTest::newRow("--color=always colours the file name and both lines of a match")
        << QStringList{"lines", "--colour=always", "e\\r?\\nb", "tree/a.txt", "tree/b.txt"} << QByteArray()
        << kNameOn + "tree/a.txt" + kOff + ":" + kNumberOn + "1" + kOff + ":an appl" + kOn + "e" + kOff + "\n" +
               kNameOn + "tree/a.txt" + kOff + ":" + kNumberOn + "2" + kOff + ":" + kOn + "b" + kOff + "anana\n"
        << 0;
    // "." matches each half of a surrogate pair; the colour never splits the character.
    QTest::newRow("--color=always colours a character whose halves match apart")
        << QStringList{"lines", "--color=always", "."} << QByteArray("a\xF0\x9F\x98\x80" "b\n")
        << kNumberOn + "1" + kOff + ":" + kOn + "a" + kOff + kOn + "\xF0\x9F\x98\x80" + kOff + kOn + "b" + kOff + "\n"
        << 0;
    QTest::newRow("--color=always colours the whole character of a high half")
        << QStringList{"lines", "--color=always", "[\\uD800-\\uDBFF]"} << QByteArray("a\xF0\x9F\x98\x80" "b")
        << kNumberOn + "1" + kOff + ":a" + kOn + "\xF0\x9F\x98\x80" + kOff + "b\n" << 0;
    QTest::newRow("--color=always colours the whole character of a low half")
        << QStringList{"lines", "--color=always", "[\\uDC00-\\uDFFF]"} << QByteArray("a\xF0\x9F\x98\x80" "b")
        << kNumberOn + "1" + kOff + ":a" + kOn + "\xF0\x9F\x98\x80" + kOff + "b\n" << 0;
    QTest::newRow("--color=never") << QStringList{"lines", "--color=never", "b"} << QByteArray("ab")
                                   << QByteArray("1:ab\n") << 0;
    QTest::newRow("--color alone is auto: no colour into a pipe") << QStringList{"lines", "--color", "b"}
                                                                  << QByteArray("ab") << QByteArray("1:ab\n") << 0;
    QTest::newRow("--color does not touch JSON") << QStringList{"matches", "--color=always", "b"} << QByteArray("ab")
                                                 << QByteArray("{\"index\":1,\"line\":1,\"column\":2,\"length\":1,"
                                                               "\"value\":\"b\",\"submatches\":[]}\n")
                                                 << 0;
}

void tst_CliRun::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    QFETCH(int, exitCode);

    const CliRun run = runInProcess(arguments, input);
    if (exitCode != 2)
        QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, output);
    QCOMPARE(run.exitCode, exitCode);
}

// Each row runs in the test's folder; errors name the program on every line, and the inputs
// that can be read are still searched.
void tst_CliRun::hostileArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("error");
    QTest::addColumn<int>("exitCode");

    const QByteArray hint("sifta-cli: 'sifta-cli --help' shows the commands and options\n");
    QTest::newRow("unknown option after the files") << QStringList{"count", "a", "odd/good.txt", "--bogus"}
                                                    << QByteArray() << "sifta-cli: unknown option '--bogus'\n" + hint << 2;
    QTest::newRow("unknown short option in a group") << QStringList{"count", "-iq", "a"} << QByteArray()
                                                     << "sifta-cli: unknown option '-q' (give a pattern that starts with "
                                                        "\"-\" with -e, or after \"--\")\n" + hint
                                                     << 2;
    QTest::newRow("missing value at the end") << QStringList{"lines", "a", "odd/good.txt", "-e"} << QByteArray()
                                              << "sifta-cli: option '-e' needs a value\n" + hint << 2;
    QTest::newRow("missing command after options") << QStringList{"-i", "-r"} << QByteArray()
                                                   << "sifta-cli: no command given\n" + hint << 2;
    QTest::newRow("a folder without -r among files")
        << QStringList{"count", "banana", "odd/good.txt", "odd/folder.txt", "tree/a.txt"}
        << QByteArray("odd/good.txt:1\ntree/a.txt:1\n")
        << QByteArray("sifta-cli: cannot read 'odd/folder.txt': it is a folder (-r searches folders)\n") << 2;
    QTest::newRow("a file no one can open among readable ones")
        << QStringList{"count", "banana", "odd/loop", "odd/good.txt"} << QByteArray("odd/good.txt:1\n")
        << QByteArray("sifta-cli: cannot read 'odd/loop': Too many levels of symbolic links\n") << 2;
    QTest::newRow("a missing file among readable ones: matches still listed")
        << QStringList{"matches", "b", "odd/missing.txt", "odd/good.txt"}
        << QByteArray("{\"file\":\"odd/good.txt\",\"index\":0,\"line\":1,\"column\":1,\"length\":1,\"value\":\"b\","
                      "\"submatches\":[]}\n")
        << QByteArray("sifta-cli: cannot read 'odd/missing.txt': No such file or directory\n") << 2;
    QTest::newRow("-r skips a FIFO instead of waiting on it") << QStringList{"count", "-r", "banana", "pipes"}
                                                              << QByteArray("pipes/good.txt:1\n") << QByteArray() << 0;
    QTest::newRow("-r skips links and reports nothing for them") << QStringList{"count", "-r", "banana", "odd"}
                                                                 << QByteArray("odd/good.txt:1\n") << QByteArray() << 0;
    QTest::newRow("in place into a FIFO is refused without opening it")
        << QStringList{"replace", "-I", "x", "y", "pipes/fifo"} << QByteArray()
        << QByteArray("sifta-cli: cannot replace in place in 'pipes/fifo': it is not a regular file\n") << 2;
    QTest::newRow("a pattern error is reported once, before any file")
        << QStringList{"count", "(", "odd/good.txt", "tree/a.txt"} << QByteArray()
        << QByteArray("sifta-cli: Expected ')' in regular expression\n") << 2;
}

void tst_CliRun::hostileArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, error);
    QFETCH(int, exitCode);

    const CliRun run = runInProcess(arguments, QByteArray());
    QVERIFY2(run.err.startsWith(error), run.err.constData());
    QVERIFY2(everyLineNamesTheProgram(run.err), run.err.constData());
    QCOMPARE(run.out, output);
    QCOMPARE(run.exitCode, exitCode);
}

void tst_CliRun::fileWithAnUnfinishedSave_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("error");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("replace -I refuses to write the file")
        << QStringList{"replace", "-I", "a", "o", "a.txt"} << QByteArray()
        << QByteArray("sifta-cli: cannot replace in place in 'a.txt': a save of it did not finish, and "
                      "'a.txt.sifta-backup~' holds its text from before that save; put that text back or remove "
                      "'a.txt.sifta-backup~' first\n")
        << 2;
    QTest::newRow("count warns and counts") << QStringList{"count", "a", "a.txt"} << QByteArray("3\n")
                                            << QByteArray("sifta-cli: 'a.txt': a save of it did not finish, so it may "
                                                          "hold only part of the saved text; 'a.txt.sifta-backup~' "
                                                          "holds its text from before that save\n")
                                            << 0;
    // The folder's listing shows the backup, so the file is not looked up again for it.
    QTest::newRow("-r finds the backup in the folder's listing")
        << QStringList{"count", "-r", "a", "."} << QByteArray("./a.txt:3\n./a.txt.sifta-backup~:0\n")
        << QByteArray("sifta-cli: './a.txt': a save of it did not finish, so it may hold only part of the saved "
                      "text; './a.txt.sifta-backup~' holds its text from before that save\n")
        << 0;
}

void tst_CliRun::fileWithAnUnfinishedSave()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, error);
    QFETCH(int, exitCode);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(FileContent::write(folder.filePath("a.txt"), "bananas"));
    QVERIFY(FileContent::write(folder.filePath("a.txt.sifta-backup~"), "old"));

    const CurrentFolder here(folder.path());
    const CliRun run = runInProcess(arguments, QByteArray());
    QCOMPARE(run.err, error);
    QCOMPARE(run.out, out);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(FileContent::read(folder.filePath("a.txt")), QByteArray("bananas"));
    QCOMPARE(FileContent::read(folder.filePath("a.txt.sifta-backup~")), QByteArray("old"));
}

void tst_CliRun::inPlace_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QList<QByteArray>>("before"); // a.txt, b.txt, sub/c.bin
    QTest::addColumn<QList<QByteArray>>("after");
    QTest::addColumn<QByteArray>("error");
    QTest::addColumn<int>("exitCode");

    using Files = QList<QByteArray>;
    const Files plain{"banana", "cherry", QByteArray("banana\0", 7)};
    QTest::newRow("-I writes the file back and reports the count")
        << QStringList{"replace", "-I", "a", "o", "a.txt"} << plain << Files{"bonono", "cherry", plain[2]}
        << QByteArray("sifta-cli: a.txt: 3 replacements\n") << 0;
    QTest::newRow("--in-place in several files, one without a match left alone")
        << QStringList{"replace", "--in-place", "an", "AN", "a.txt", "b.txt"} << plain
        << Files{"bANANa", "cherry", plain[2]}
        << QByteArray("sifta-cli: a.txt: 2 replacements\nsifta-cli: b.txt: 0 replacements\n") << 0;
    QTest::newRow("keeps Windows-1252, CR LF and the byte-order mark")
        << QStringList{"replace", "-I", "x", "y", "a.txt", "b.txt"}
        << Files{"caf\xE9\r\nx\r\n", kByteOrderMark + "x\r\n\xC3\xA9", plain[2]}
        << Files{"caf\xE9\r\ny\r\n", kByteOrderMark + "y\r\n\xC3\xA9", plain[2]}
        << QByteArray("sifta-cli: a.txt: 1 replacement\nsifta-cli: b.txt: 1 replacement\n") << 0;
    QTest::newRow("a character Windows-1252 cannot store leaves the file alone")
        << QStringList{"replace", "-I", "x", "\xD0\xB6", "a.txt", "b.txt"} << Files{"caf\xE9 x", "x", plain[2]}
        << Files{"caf\xE9 x", "\xD0\xB6", plain[2]}
        << QByteArray("sifta-cli: a.txt: the result holds U+0436, which Windows-1252 cannot store; nothing written "
                      "(--to-utf8 writes it as UTF-8)\n"
                      "sifta-cli: b.txt: 1 replacement\n")
        << 2;
    QTest::newRow("--to-utf8 saves it as UTF-8")
        << QStringList{"replace", "-I", "--to-utf8", "x", "\xD0\xB6", "a.txt"} << Files{"caf\xE9 x", "", plain[2]}
        << Files{"caf\xC3\xA9 \xD0\xB6", "", plain[2]}
        << QByteArray("sifta-cli: a.txt: the result holds U+0436, which Windows-1252 cannot store; written as UTF-8\n"
                      "sifta-cli: a.txt: 1 replacement\n")
        << 0;
    QTest::newRow("-r -I replaces in the folder's text files, not in binary ones")
        << QStringList{"replace", "-rI", "an", "-", "."} << plain << Files{"b--a", "cherry", plain[2]}
        << QByteArray("sifta-cli: ./a.txt: 2 replacements\nsifta-cli: ./b.txt: 0 replacements\n") << 0;
    QTest::newRow("a missing file among others: the others are written, exit 2")
        << QStringList{"replace", "-I", "a", "o", "missing.txt", "a.txt"} << plain << Files{"bonono", "cherry", plain[2]}
        << QByteArray("sifta-cli: cannot read 'missing.txt': No such file or directory\n"
                      "sifta-cli: a.txt: 3 replacements\n")
        << 2;
    QTest::newRow("a lone surrogate in the result writes nothing")
        << QStringList{"replace", "-I", "[\\uDC00-\\uDFFF]", "", "b.txt", "a.txt"}
        << Files{"a", "\xF0\x9F\x99\x82", plain[2]} << Files{"a", "\xF0\x9F\x99\x82", plain[2]}
        << QByteArray("sifta-cli: b.txt: the result holds a lone surrogate U+D83D at position 0, which no encoding can "
                      "store; nothing written\nsifta-cli: a.txt: 0 replacements\n")
        << 2;
}

void tst_CliRun::inPlace()
{
    QFETCH(QStringList, arguments);
    QFETCH(QList<QByteArray>, before);
    QFETCH(QList<QByteArray>, after);
    QFETCH(QByteArray, error);
    QFETCH(int, exitCode);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub")));
    const QStringList names{"a.txt", "b.txt", "sub/c.bin"};
    struct stat untouched {};
    for (qsizetype i = 0; i < names.size(); ++i) {
        QVERIFY(FileContent::write(folder.filePath(names[i]), before[i]));
        QVERIFY(QFile::setPermissions(folder.filePath(names[i]), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                     QFileDevice::ReadGroup));
    }
    QCOMPARE(::stat(QFile::encodeName(folder.filePath("b.txt")).constData(), &untouched), 0);

    const CurrentFolder here(folder.path());
    const CliRun run = runInProcess(arguments, QByteArray());
    QCOMPARE(run.err, error);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.exitCode, exitCode);
    for (qsizetype i = 0; i < names.size(); ++i) {
        QCOMPARE(FileContent::read(folder.filePath(names[i])), after[i]);
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(folder.filePath(names[i])).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
    }
    // A file without a match is not written at all: it is still the same file.
    if (before[1] == after[1]) {
        struct stat now {};
        QCOMPARE(::stat(QFile::encodeName(folder.filePath("b.txt")).constData(), &now), 0);
        QCOMPARE(now.st_ino, untouched.st_ino);
    }
}

void tst_CliRun::fileNamesAreBytes_data()
{
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QByteArray>("error");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("a Latin-1 file name opens that file, not its UTF-8 look-alike")
        << QList<QByteArray>{"count", "a", "caf\xE9.txt"} << QByteArray("3\n") << QByteArray() << 0;
    QTest::newRow("count writes the name's bytes") << QList<QByteArray>{"count", "a", "caf\xE9.txt", "caf\xC3\xA9.txt"}
                                                   << QByteArray("caf\xE9.txt:3\ncaf\xC3\xA9.txt:1\n") << QByteArray() << 0;
    QTest::newRow("JSON writes a byte of no UTF-8 as a lone surrogate")
        << QList<QByteArray>{"matches", "b", "caf\xE9.txt", "caf\xC3\xA9.txt"}
        << QByteArray("{\"file\":\"caf\\udce9.txt\",\"index\":0,\"line\":1,\"column\":1,\"length\":1,\"value\":\"b\","
                      "\"submatches\":[]}\n")
        << QByteArray() << 0;
    QTest::newRow("-r finds Latin-1 names") << QList<QByteArray>{"lines", "-r", "p", "."}
                                            << QByteArray("./caf\xC3\xA9.txt:1:apple\n") << QByteArray() << 0;
    QTest::newRow("a message names the file by its bytes")
        << QList<QByteArray>{"count", "a", "nul\xE9.txt"} << QByteArray()
        << QByteArray("sifta-cli: cannot read 'nul\xE9.txt': No such file or directory\n") << 2;
    QTest::newRow("a pattern that is not UTF-8 is refused") << QList<QByteArray>{"count", "caf\xE9", "caf\xE9.txt"}
                                                            << QByteArray()
                                                            << QByteArray("sifta-cli: the pattern is not valid UTF-8\n"
                                                                          "sifta-cli: 'sifta-cli --help' shows the "
                                                                          "commands and options\n")
                                                            << 2;
    QTest::newRow("a replacement that is not UTF-8 is refused")
        << QList<QByteArray>{"replace", "a", "\xE9", "caf\xE9.txt"} << QByteArray()
        << QByteArray("sifta-cli: the replacement is not valid UTF-8\n"
                      "sifta-cli: 'sifta-cli --help' shows the commands and options\n")
        << 2;
}

void tst_CliRun::fileNamesAreBytes()
{
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(QByteArray, output);
    QFETCH(QByteArray, error);
    QFETCH(int, exitCode);

    const CurrentFolder here(mFiles.path("names"));
    const CliRun run = runInProcess(arguments, QByteArray());
    QCOMPARE(run.err, error);
    QCOMPARE(run.out, output);
    QCOMPARE(run.exitCode, exitCode);
}

void tst_CliRun::encodingsSearchAlike_data()
{
    QTest::addColumn<QString>("file");
    // lines writes Windows-1252 lines in their own bytes, as it found them.
    QTest::addColumn<QByteArray>("ownLines");
    for (const EncodedSamples::Sample& sample : EncodedSamples::samples()) {
        const bool codePage = sample.fileName == u"cp1252.txt";
        QTest::newRow(qPrintable(sample.fileName))
            << "encodings/" + sample.fileName
            << (codePage ? QByteArray("1:hello caf\xE9\n2:second line: hello\n") : QByteArray());
    }
}

// Every encoding reads as the same text, so every command finds what it finds in UTF-8.
void tst_CliRun::encodingsSearchAlike()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, ownLines);

    const QString& pattern = EncodedSamples::kSamplePattern;
    const QString plain = QStringLiteral("encodings/utf8.txt");
    for (const QString& command : {u"count"_s, u"lines"_s, u"matches"_s}) {
        const CliRun expected = runInProcess({command, pattern, plain}, {});
        const CliRun run = runInProcess({command, pattern, file}, {});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.out, command == u"lines" && !ownLines.isEmpty() ? ownLines : expected.out);
        QCOMPARE(run.exitCode, 0);
    }
    QCOMPARE(runInProcess({u"count"_s, pattern, file}, {}).out,
             QByteArray::number(EncodedSamples::kSampleMatches) + '\n');

    // In a folder, UTF-16 and UTF-32 are text, though they hold NUL bytes.
    const CliRun folder = runInProcess({u"count"_s, u"-r"_s, pattern, u"encodings"_s}, {});
    QVERIFY2(folder.out.split('\n').contains(file.toUtf8() + ':' + QByteArray::number(EncodedSamples::kSampleMatches)),
             folder.out.constData());
}

void tst_CliRun::strayBytesGoOutAsTheyCame()
{
    const CliRun lines = runInProcess({u"lines"_s, u"Latin"_s, u"encodings/stray-1.txt"_s}, {});
    QCOMPARE(lines.out, QByteArray("4:Latin-1: caf\xE9\n"));
    // A stray byte is found as its stand-in, U+EF00 + the byte.
    const CliRun standIn = runInProcess({u"count"_s, u"caf\\uEFE9"_s, u"encodings/stray-1.txt"_s}, {});
    QCOMPARE(standIn.out, QByteArray("1\n"));
}

QTEST_GUILESS_MAIN(tst_CliRun)
#include "tst_clirun.moc"
