// Compares the search that runs the engine only near the places of a literal every match holds
// with the plain search that tries every start position: random patterns built around
// literals, random texts with CR, LF, CR LF and characters beyond ASCII, from a fixed seed.

#include "MatchSpans.h"

#include "regex/PatternTranslator.h"
#include "regex/RegExp.h"

#include <QTest>

#include <random>

namespace {

/// Patterns of pieces before and after a literal, and texts of the same pieces.
class Generator {
public:
    explicit Generator(quint32 seed) : mRandom(seed) {}

    QString pattern()
    {
        static const QStringList pieces{
            u"^"_qs, u"$"_qs, u"\\b"_qs, u"\\B"_qs, u".*"_qs, u".+?"_qs, u"\\w+"_qs, u"(\\w*)"_qs,
            u"[^\\n]*"_qs, u"[^\\r\\n]+"_qs, u"\\s*"_qs, u"\\S{1,3}"_qs, u"[a-c]{0,3}"_qs, u"(?=a)"_qs,
            u"(?!b)"_qs, u"(?=[\\s\\S]*\\n)"_qs, u"(x|ab)"_qs, u"\\d{2}"_qs, u"(a)?"_qs, u"\\1"_qs, u"\\2+"_qs,
            u"[\\r\\n]"_qs, u"."_qs, u"a*?"_qs, u"(?:a|\\r\\n)"_qs, u"[^a]"_qs, u"(b|)"_qs,
            u"(?:ab)?"_qs, u"(.)"_qs, u"\\n"_qs, u"\\r?"_qs, u"[\\s\\S]{0,2}"_qs, u"(?:\\u00e9|.){2}"_qs,
            u"(?:a\\r|b){0,2}"_qs, u"(?:(a)|b)*"_qs, u"(^|-)+"_qs, u"(?:(b)|@|){2,}?"_qs};
        QString out;
        if (chance(10))
            out += u"a|"_qs;
        for (int n = number(4); n > 0; --n)
            out += pieces.at(number(int(pieces.size())));
        out += literal();
        if (chance(30))
            out += pieces.at(number(int(pieces.size()))) + literal();
        for (int n = number(4); n > 0; --n)
            out += pieces.at(number(int(pieces.size())));
        if (chance(10))
            out += u"|b"_qs;
        return out;
    }

    QString text()
    {
        static const QStringList pieces{u"ab-"_qs, u"a"_qs, u"b"_qs, u"-"_qs, u"@"_qs, u" "_qs, u"\r"_qs,
                                        u"\n"_qs, u"\r\n"_qs, u"\u00e9"_qs, u"\u00c9"_qs, u"x"_qs, u"12"_qs,
                                        u"A"_qs, u"\U0001F600"_qs};
        QString out;
        for (int n = number(24); n > 0; --n)
            out += pieces.at(number(int(pieces.size())));
        return out;
    }

    bool chance(int percent) { return number(100) < percent; }

private:
    /// One to three characters the text has, as the pattern spells them.
    QString literal()
    {
        static const QStringList characters{u"a"_qs, u"b"_qs, u"-"_qs, u"@"_qs, u"\\r"_qs, u"\\n"_qs,
                                            u"\\u00e9"_qs, u"A"_qs, u"\\."_qs, u" "_qs, u"1"_qs};
        QString out;
        for (int n = 1 + number(3); n > 0; --n)
            out += characters.at(number(int(characters.size())));
        return out;
    }

    int number(int below) { return std::uniform_int_distribution<int>(0, below - 1)(mRandom); }

    std::mt19937 mRandom;
};

} // namespace

class tst_Prefilter : public QObject {
    Q_OBJECT

private slots:
    void requiredLiteral_data();
    void requiredLiteral();
    void whereMatchesLie_data();
    void whereMatchesLie();
    void sameMatchesAsEveryStartPosition();
    void budgetSpentOnlyNearTheLiteral();
};

void tst_Prefilter::requiredLiteral_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<QString>("literal"); // empty: no prefilter
    QTest::addColumn<int>("minPrefix");
    QTest::addColumn<int>("maxPrefix"); // -1: no bound

    QTest::newRow("plain word") << u"morning"_qs << false << u"morning"_qs << 0 << 0;
    QTest::newRow("whole line around a word") << u"^.*evening.*$"_qs << false << u"evening"_qs << 0 << -1;
    QTest::newRow("address after groups of word characters")
        << u"(\\w+)\\.(\\w+)@example\\.com"_qs << false << u"@example.com"_qs << 3 << -1;
    QTest::newRow("digits of a fixed width before a dash") << u"\\d{4}-\\d\\d"_qs << false << u"-"_qs << 4 << 4;
    QTest::newRow("the longest run whose start is bounded wins")
        << u"a\\s?bc\\d+def"_qs << false << u"bc"_qs << 1 << 2;
    QTest::newRow("unbounded prefix that may cross lines") << u"\\s*night"_qs << false << QString() << 0 << 0;
    QTest::newRow("back-reference before the literal") << u"(a)\\1night"_qs << false << QString() << 0 << 0;
    QTest::newRow("bounded prefix with line breaks") << u"[\\s\\S]{1,3}night"_qs << false << u"night"_qs << 1 << 3;
    QTest::newRow("alternatives at the top") << u"dawn|dusk"_qs << false << QString() << 0 << 0;
    QTest::newRow("alternatives inside a group") << u"(dawn|dusk) light"_qs << false << u" light"_qs << 4 << 4;
    QTest::newRow("repeated letters are no literal") << u"x+"_qs << false << QString() << 0 << 0;
    QTest::newRow("ASCII letters stand for both cases under Ignore Case") << u"night"_qs << true << u"night"_qs << 0 << 0;
    QTest::newRow("a letter with case forms beyond ASCII ends the run under Ignore Case")
        << u"\\w+@mail\u00e9x"_qs << true << u"@mail"_qs << 1 << -1;
    QTest::newRow("lookahead takes no width") << u"(?=\\s*x)x"_qs << false << u"x"_qs << 0 << 0;
}

void tst_Prefilter::requiredLiteral()
{
    QFETCH(QString, pattern);
    QFETCH(bool, ignoreCase);
    QFETCH(QString, literal);
    QFETCH(int, minPrefix);
    QFETCH(int, maxPrefix);
    const auto translated = translatePattern(pattern, ignoreCase, true);
    QVERIFY(translated);
    const std::optional<RequiredLiteral>& found = translated->requiredLiteral;
    QCOMPARE(found ? found->text : QString(), literal);
    if (!found)
        return;
    QCOMPARE(found->minPrefix, quint64(minPrefix));
    QCOMPARE(found->maxPrefix ? qint64(*found->maxPrefix) : -1, qint64(maxPrefix));
    QCOMPARE(found->caseless, ignoreCase);
}

// What lets sifta-cli search a piece of lines at a time, ignore the encoding, or count the
// literal's places alone.
void tst_Prefilter::whereMatchesLie_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("lineBound");
    QTest::addColumn<bool>("asciiOnly");
    QTest::addColumn<bool>("literalOnly");

    QTest::newRow("a plain word") << u"river"_qs << true << true << true;
    QTest::newRow("an anchor beside the word") << u"^river"_qs << true << true << false;
    QTest::newRow("any character but a line break") << u"a.c"_qs << true << false << false;
    QTest::newRow("white space takes line breaks") << u"a\\sb"_qs << false << true << false;
    QTest::newRow("a lookahead that looks past the line") << u"a(?=\\n)"_qs << false << true << false;
    QTest::newRow("a lookahead beyond ASCII") << u"a(?![\\u00e0-\\u00ff])"_qs << true << false << false;
    QTest::newRow("a back-reference may take anything") << u"(a)\\1"_qs << false << false << false;
    QTest::newRow("a negated class takes line breaks") << u"[^,]+"_qs << false << false << false;
    QTest::newRow("a character beyond ASCII") << u"caf\\u00e9"_qs << true << false << true;
    QTest::newRow("a match may be empty") << u"x?"_qs << true << false << false;
}

void tst_Prefilter::whereMatchesLie()
{
    QFETCH(QString, pattern);
    QFETCH(bool, lineBound);
    QFETCH(bool, asciiOnly);
    QFETCH(bool, literalOnly);
    const auto translated = translatePattern(pattern, false, true);
    QVERIFY(translated);
    QCOMPARE(translated->lineBound, lineBound);
    QCOMPARE(translated->asciiOnly, asciiOnly);
    QCOMPARE(translated->literalOnly, literalOnly);
}

void tst_Prefilter::sameMatchesAsEveryStartPosition()
{
    constexpr int kCases = 10'000;
    Generator generator(29);
    int prefiltered = 0;
    QStringList failures;
    for (int i = 0; i < kCases && failures.size() < 20; ++i) {
        RegExp re(generator.pattern());
        re.setGlobal(!generator.chance(10));
        re.setIgnoreCase(generator.chance(30));
        re.setMultiline(generator.chance(70));
        const auto translated = translatePattern(re.Pattern(), re.IgnoreCase(), re.Multiline());
        // A literal that starts every match is left to PCRE2.
        if (translated && translated->requiredLiteral && translated->requiredLiteral->maxPrefix != quint64(0))
            ++prefiltered;
        for (int t = 0; t < 4; ++t) {
            const QString text = generator.text();
            const QString withPrefilter = describe(re.Execute(text));
            re.setPrefilterEnabled(false);
            const QString everyStart = describe(re.Execute(text));
            re.setPrefilterEnabled(true);
            if (withPrefilter != everyStart)
                failures << QStringLiteral("/%1/%2%3%4 on \"%5\": %6, every start position %7")
                                .arg(shown(re.Pattern()), re.Global() ? u"g" : u"", re.IgnoreCase() ? u"i" : u"",
                                     re.Multiline() ? u"m" : u"", shown(text), withPrefilter, everyStart);
        }
    }
    qInfo("%d patterns, %d of them with a literal to look for", kCases, prefiltered);
    QVERIFY2(failures.isEmpty(), qPrintable(u'\n' + failures.join(u'\n')));
    QVERIFY(prefiltered > kCases / 3);
}

void tst_Prefilter::budgetSpentOnlyNearTheLiteral()
{
    // Each line backtracks, but only the last holds the b that every match ends with.
    const QString text = u"aaaaaaaaaaaac\r\n"_qs.repeated(100) + u"ab"_qs;
    RegExp re(u"(a+)+b"_qs);
    re.setGlobal(true);
    re.setMatchBudget(1'000'000);
    const auto nearTheLiteral = re.Execute(text);
    QVERIFY(nearTheLiteral);
    QCOMPARE(describe(nearTheLiteral), u"1500-1502,1500-1501"_qs);
    re.setPrefilterEnabled(false);
    QCOMPARE(describe(re.Execute(text)), u"E5040"_qs);
}

QTEST_GUILESS_MAIN(tst_Prefilter)
#include "tst_prefilter.moc"
