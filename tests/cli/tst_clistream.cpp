// The search of an input a block of lines at a time: its pieces (line breaks in bytes, blocks
// of whole lines, the literal's bytes, the encoding a pipe settles on), and random patterns
// and texts from a fixed seed, whose results must be those of the search of the whole text.

#include "CliFixture.h"

#include "cli/BlockDecoder.h"
#include "cli/ByteLines.h"
#include "cli/ByteLiteral.h"
#include "cli/LineBlocks.h"
#include "cli/LineCursor.h"
#include "cli/MatchingLines.h"
#include "cli/ReadInput.h"
#include "cli/StreamSearch.h"
#include "regex/JsonMatch.h"
#include "regex/RegExp.h"
#include "regex/SearchSetup.h"

#include <QTemporaryFile>
#include <QTest>

#include <random>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

/// Patterns of pieces around literals, most of them matching within lines, and texts of the
/// same pieces as bytes: CR, LF and CR LF, UTF-8 of two to four bytes, Latin-1 bytes.
class Generator {
public:
    explicit Generator(quint32 seed) : mRandom(seed) {}

    QString pattern()
    {
        static const QStringList pieces{
            u"^"_s, u"$"_s, u"\\b"_s, u"\\B"_s, u".*"_s, u".+?"_s, u"\\w+"_s, u"(\\w*)"_s, u"[^\\r\\n]+"_s,
            u"\\S{1,3}"_s, u"[a-c]{0,3}"_s, u"(?=a)"_s, u"(?!b)"_s, u"(x|ab)"_s, u"\\d{2}"_s, u"(a)?"_s,
            u"."_s, u"a*?"_s, u"(b|)"_s, u"(?:ab)?"_s, u"(.)"_s, u"(?:\\u00e9|.){2}"_s, u"[\\u00e0-\\u00ff]"_s,
            u"\\s*"_s, u"[^a]"_s, u"(?=[\\s\\S]*\\n)"_s, u"\\n"_s, u"(a)\\1"_s, u""_s};
        QString out;
        if (chance(10))
            out += u"a|"_s;
        for (int n = number(3); n > 0; --n)
            out += pick(pieces);
        if (chance(80))
            out += literal();
        for (int n = number(3); n > 0; --n)
            out += pick(pieces);
        return out;
    }

    QByteArray text()
    {
        static const QList<QByteArray> pieces{"ab-", "a", "b", "-", "@", " ", "\r", "\n", "\r\n", "\r\n",
                                              "caf\xC3\xA9", "\xC3\x89", "\xE9", "x", "12", "A", "\xF0\x9F\x99\x82",
                                              "\xE2\x82\xAC", "ab"};
        QByteArray out = chance(5) ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        for (int n = number(30); n > 0; --n)
            out += pieces.at(number(int(pieces.size())));
        return out;
    }

    bool chance(int percent) { return number(100) < percent; }
    int number(int below) { return std::uniform_int_distribution<int>(0, below - 1)(mRandom); }

private:
    QString pick(const QStringList& list) { return list.at(number(int(list.size()))); }

    QString literal()
    {
        static const QStringList literals{u"a"_s, u"b"_s, u"-"_s, u"@"_s, u"ab"_s, u"\\u00e9"_s, u"A"_s,
                                          u"caf"_s, u" "_s, u"1"_s, u"\\u20ac"_s, u"x"_s};
        return pick(literals);
    }

    std::mt19937 mRandom;
};

/// What one search wrote, and whether it found a match.
struct Outcome {
    QByteArray out;
    bool found = false;
};

/// The command over the whole decoded text, as sifta-cli runs a pattern that may cross lines.
Outcome searchWhole(CliRequest::Command command, const RegExp& regExp, const QByteArray& bytes, bool color)
{
    const DecodedText text = TextCodec::decode(bytes);
    CapturedOutput output;
    if (command == CliRequest::Command::Count) {
        const qsizetype count = regExp.countMatches(text.text).value();
        return {QByteArray::number(count) + '\n', count > 0};
    }
    const MatchCollection matches = regExp.Execute(text.text).value();
    if (command == CliRequest::Command::Lines) {
        const bool found = writeMatchingLines(matches, text, LineStyle{{}, color}, output);
        return {output.out, found};
    }
    LineCursor cursor(text.text);
    QByteArray out;
    for (qsizetype i = 0; i < matches.Count(); ++i) {
        const Match match = matches.Item(i);
        cursor.moveTo(match.FirstIndex());
        out += jsonMatchLine(match, {cursor.number(), cursor.column(match.FirstIndex())});
    }
    return {out, matches.Count() > 0};
}

/// The command over the input behind fd, a block of lines at a time.
Outcome searchBlocks(CliRequest::Command command, const RegExp& regExp, int fd, bool regular,
                     qsizetype blockSize, bool color)
{
    LineBlocks blocks(fd, kMaxInputBytes, blockSize);
    BlockDecoder decoder(fd, regular);
    StreamJob job;
    job.command = command;
    job.regExp = &regExp;
    job.color = color;
    SearchScratch scratch;
    CapturedOutput output;
    const StreamOutcome outcome = searchStream(blocks, decoder, job, scratch, output);
    return {output.out + (outcome.kind == StreamOutcome::Failed ? "failed: " + outcome.message : QByteArray()),
            outcome.kind == StreamOutcome::Found};
}

/// A pipe that holds bytes and is closed for writing; its read end closes when this ends.
class FilledPipe {
public:
    explicit FilledPipe(const QByteArray& bytes)
    {
        int ends[2];
        if (::pipe(ends) != 0)
            return;
        mRead = ends[0];
        // The texts are far smaller than a pipe holds, so the write never waits.
        mFilled = ::write(ends[1], bytes.constData(), std::size_t(bytes.size())) == bytes.size();
        ::close(ends[1]);
    }
    ~FilledPipe()
    {
        if (mRead >= 0)
            ::close(mRead);
    }
    FilledPipe(const FilledPipe&) = delete;
    FilledPipe& operator=(const FilledPipe&) = delete;

    int fd() const { return mFilled ? mRead : -1; }

private:
    int mRead = -1;
    bool mFilled = false;
};

/// Makes bytes the file's content, to be read from its start.
bool rewrite(QTemporaryFile& file, const QByteArray& bytes)
{
    return file.resize(0) && file.seek(0) && file.write(bytes) == bytes.size() && file.flush()
           && ::lseek(file.handle(), 0, SEEK_SET) == 0;
}

} // namespace

class tst_CliStream : public QObject {
    Q_OBJECT

private slots:
    void countBreaks_data();
    void countBreaks();
    void blocksEndAfterWholeLines_data();
    void blocksEndAfterWholeLines();
    void literalBytes_data();
    void literalBytes();
    void pipeSettlesOnItsFirstLineBeyondAscii_data();
    void pipeSettlesOnItsFirstLineBeyondAscii();
    void sameResultsAsTheWholeText();
};

void tst_CliStream::countBreaks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("breaks");

    QTest::newRow("CR LF counts once") << QByteArray("a\r\nb\r\n") << 2;
    QTest::newRow("lone CR and lone LF") << QByteArray("a\rb\nc") << 2;
    QTest::newRow("CR that ends the bytes") << QByteArray("a\r") << 1;
    QTest::newRow("CR LF across a vector's end") << QByteArray("0123456789abcde\r\nxy\n\r\r\n0123456789abcdef") << 4;
}

void tst_CliStream::countBreaks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, breaks);
    QCOMPARE(ByteLines::countBreaks(bytes), breaks);
}

void tst_CliStream::blocksEndAfterWholeLines_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<qsizetype>("blockSize");
    QTest::addColumn<QList<QByteArray>>("blocks");

    QTest::newRow("never between CR and LF") << QByteArray("a\r\nb\rc\n") << qsizetype(2)
                                              << QList<QByteArray>{"a\r\n", "b\rc\n", ""};
    QTest::newRow("the rest after the last break is the last block")
        << QByteArray("one\ntwo") << qsizetype(64) << QList<QByteArray>{"one\n", "two"};
    QTest::newRow("a line longer than the buffer grows it") << QByteArray("abcdefgh\nx") << qsizetype(3)
                                                            << QList<QByteArray>{"abcdefgh\n", "x"};
    QTest::newRow("empty input is one empty block") << QByteArray() << qsizetype(4) << QList<QByteArray>{""};
}

void tst_CliStream::blocksEndAfterWholeLines()
{
    QFETCH(QByteArray, input);
    QFETCH(qsizetype, blockSize);
    QFETCH(QList<QByteArray>, blocks);

    const FilledPipe pipe(input);
    QVERIFY(pipe.fd() >= 0);
    LineBlocks reader(pipe.fd(), kMaxInputBytes, blockSize);
    QList<QByteArray> read;
    QByteArrayView block;
    while (reader.next(block))
        read << block.toByteArray();
    QCOMPARE(reader.error(), 0);
    QCOMPARE(read, blocks);
}

void tst_CliStream::literalBytes_data()
{
    QTest::addColumn<QString>("literal");
    QTest::addColumn<bool>("caseless");
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("at"); // -1: not found; -2: no byte form

    const auto utf8 = TextEncoding::Utf8;
    const auto cp1252 = TextEncoding::Windows1252;
    QTest::newRow("UTF-8 form") << u"caf\u00e9"_s << false << utf8 << QByteArray("a cafe, a caf\xC3\xA9") << 10;
    QTest::newRow("Windows-1252 form") << u"caf\u00e9"_s << false << cp1252 << QByteArray("a cafe, a caf\xE9") << 10;
    QTest::newRow("ASCII letters in either case when caseless")
        << u"Night-1"_s << true << utf8 << QByteArray("night_1 nIGHT-1") << 8;
    QTest::newRow("other characters stay exact when caseless") << u"a-b"_s << true << utf8 << QByteArray("A_B A-B") << 4;
    QTest::newRow("past a vector's width") << u"xy"_s << false << utf8 << QByteArray(40, 'x') + "y" << 39;
    QTest::newRow("a character Windows-1252 lacks") << u"\u0100"_s << false << cp1252 << QByteArray("x") << -2;
    QTest::newRow("a stand-in for a stray byte") << u"\uefe9"_s << false << utf8 << QByteArray("\xE9") << -2;
}

void tst_CliStream::literalBytes()
{
    QFETCH(QString, literal);
    QFETCH(bool, caseless);
    QFETCH(TextEncoding, encoding);
    QFETCH(QByteArray, bytes);
    QFETCH(int, at);

    const std::optional<ByteLiteral> finder = ByteLiteral::of({literal, caseless}, encoding);
    QCOMPARE(finder ? finder->find(bytes, 0) : -2, at);
}

void tst_CliStream::pipeSettlesOnItsFirstLineBeyondAscii_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");

    QTest::newRow("UTF-8 line first") << QByteArray("ok\ncaf\xC3\xA9\n\xE9t\xE9\n")
                                      << u"ok\ncaf\u00e9\n\uefe9t\uefe9\n"_s;
    QTest::newRow("Latin-1 line first") << QByteArray("\xE9t\xE9\ncaf\xC3\xA9\n") << u"\u00e9t\u00e9\ncaf\u00c3\u00a9\n"_s;
    QTest::newRow("a byte-order mark is set aside") << QByteArray("\xEF\xBB\xBFok\n") << u"ok\n"_s;
}

void tst_CliStream::pipeSettlesOnItsFirstLineBeyondAscii()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, text);

    const FilledPipe pipe(input);
    QVERIFY(pipe.fd() >= 0);
    LineBlocks blocks(pipe.fd(), kMaxInputBytes, 2);
    BlockDecoder decoder(pipe.fd(), false);
    QString decoded;
    QString piece;
    QByteArrayView block;
    while (blocks.next(block)) {
        QVERIFY(decoder.decode(block, blocks.blockStart(), piece));
        decoded += piece;
    }
    QCOMPARE(decoded, text);
}

void tst_CliStream::sameResultsAsTheWholeText()
{
    constexpr int kCases = 3000;
    Generator generator(28);
    QTemporaryFile file;
    QVERIFY(file.open());
    int lineBound = 0;
    QStringList failures;
    for (int i = 0; i < kCases && failures.size() < 10; ++i) {
        RegExp regExp;
        prepareSearch(regExp, generator.pattern(), generator.chance(30));
        const QByteArray bytes = generator.text();
        if (!regExp.matchesWithinLines())
            continue;
        ++lineBound;
        const qsizetype blockSize = 1 + generator.number(12);
        const bool color = generator.chance(50);
        for (const auto command : {CliRequest::Command::Count, CliRequest::Command::Matches, CliRequest::Command::Lines}) {
            const Outcome whole = searchWhole(command, regExp, bytes, color);
            QVERIFY(rewrite(file, bytes));
            const Outcome fromFile = searchBlocks(command, regExp, int(file.handle()), true, blockSize, color);
            // A pipe settles the encoding on its first line beyond ASCII, which agrees with the
            // whole text when it is all UTF-8.
            std::optional<Outcome> fromPipe;
            if (Utf8Bytes::isValid(bytes)) {
                const FilledPipe pipe(bytes);
                fromPipe = searchBlocks(command, regExp, pipe.fd(), false, blockSize, color);
            }
            if (fromFile.out != whole.out || fromFile.found != whole.found
                || (fromPipe && (fromPipe->out != whole.out || fromPipe->found != whole.found))) {
                failures << QStringLiteral("command %1, pattern %2, ignore case %3, block %4, text %5:\n  whole %6\n  file  %7\n  pipe  %8")
                                .arg(int(command))
                                .arg(regExp.Pattern())
                                .arg(regExp.IgnoreCase())
                                .arg(blockSize)
                                .arg(QString::fromLatin1(bytes.toPercentEncoding()),
                                     QString::fromLatin1(whole.out.toPercentEncoding()),
                                     QString::fromLatin1(fromFile.out.toPercentEncoding()),
                                     fromPipe ? QString::fromLatin1(fromPipe->out.toPercentEncoding()) : QString());
            }
        }
    }
    qInfo("%d cases, %d of them with matches within lines", kCases, lineBound);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(u'\n')));
    QVERIFY2(lineBound > kCases / 3, "too few patterns match within lines");
}

QTEST_GUILESS_MAIN(tst_CliStream)
#include "tst_clistream.moc"
