// Compares the regular-expression component with JavaScript's RegExp in node: random patterns
// and texts from a fixed seed, and Ignore Case over every BMP letter with a case mapping.
// SIFTA_DIFFERENTIAL_CASES and SIFTA_DIFFERENTIAL_SEED set the number of random cases and the
// seed ("make differential" runs many more).
//
// Differences of the flavour that are intended, and how they are kept out of the comparison:
// - '.', \s, \S and the Multiline anchors: the JavaScript pattern spells out the flavour's
//   meaning (see RandomPattern).
// - A group inside a repeated atom keeps its text from an earlier repetition, as in JScript,
//   where JavaScript forgets it: a group JavaScript leaves unset there may have any text, and a
//   pattern whose back-reference reads such a group is not compared.
// - "[]", "[^]", a ']' first in a class and PCRE-only syntax are not generated.
// - Under Ignore Case, a case naming a letter this node's Unicode leaves unassigned is not
//   compared (the case-folding table may come from a later Unicode).

#include "MatchSpans.h"
#include "RandomPattern.h"

#include "regex/RegExp.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString toHex(const QString& text)
{
    QString hex;
    for (QChar c : text)
        hex += QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    return hex;
}

/// Whether our matches agree with JavaScript's, but for the texts of groups that JavaScript
/// forgets at a repetition.
bool agrees(const QString& ours, const QString& theirs, const std::vector<bool>& repeatedGroups)
{
    const QStringList ourMatches = ours.split(u' ');
    const QStringList theirMatches = theirs.split(u' ');
    if (ourMatches.size() != theirMatches.size())
        return false;
    for (qsizetype i = 0; i < ourMatches.size(); ++i) {
        const QStringList a = ourMatches[i].split(u',');
        const QStringList b = theirMatches[i].split(u',');
        if (a.size() != b.size() || a[0] != b[0])
            return false;
        for (qsizetype j = 1; j < a.size(); ++j)
            if (a[j] != b[j] && !(b[j] == u"-" && repeatedGroups[std::size_t(j - 1)]))
                return false;
    }
    return true;
}

int environmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

class tst_Differential : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void randomPatterns();
    void everyCasedLetter();

private:
    /// Runs differential.js with arguments; its output file's lines.
    QStringList runNode(const QStringList& arguments, const QString& output);

    QString mNode;
    QTemporaryDir mDir;
};

void tst_Differential::initTestCase()
{
    mNode = QStandardPaths::findExecutable(QStringLiteral("node"));
    if (mNode.isEmpty())
        QSKIP("node is not installed: this test compares the component with JavaScript's RegExp in node");
    QVERIFY(mDir.isValid());
}

QStringList tst_Differential::runNode(const QStringList& arguments, const QString& output)
{
    QProcess node;
    node.start(mNode, QStringList{QStringLiteral(SIFTA_DIFFERENTIAL_SCRIPT)} + arguments);
    if (!node.waitForFinished(-1) || node.exitCode() != 0) {
        qWarning("%s", node.readAllStandardError().constData());
        return {};
    }
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void tst_Differential::randomPatterns()
{
    const int count = environmentNumber("SIFTA_DIFFERENTIAL_CASES", 10000);
    const int seed = environmentNumber("SIFTA_DIFFERENTIAL_SEED", 13);
    PatternGenerator generator{quint32(seed)};
    std::vector<std::pair<RandomPattern, QString>> cases;
    QFile input(mDir.filePath(QStringLiteral("cases.txt")));
    QVERIFY(input.open(QIODevice::WriteOnly));
    for (int i = 0; i < count; ++i) {
        RandomPattern pattern = generator.pattern();
        QString text = generator.text(pattern);
        const QString flags = pattern.ignoreCase ? QStringLiteral("i") : QString();
        input.write((flags + u'\t' + toHex(pattern.javascript) + u'\t' + toHex(text) + u'\n').toLatin1());
        cases.emplace_back(std::move(pattern), std::move(text));
    }
    input.close();
    const QString outputPath = mDir.filePath(QStringLiteral("results.txt"));
    const QStringList theirs = runNode({QStringLiteral("matches"), input.fileName(), outputPath}, outputPath);
    QCOMPARE(theirs.size(), qsizetype(count));

    int keptCaptures = 0;
    int unknownLetters = 0;
    int engineLimits = 0;
    QStringList failures;
    for (int i = 0; i < count; ++i) {
        const auto& [pattern, text] = cases[std::size_t(i)];
        RegExp re(pattern.flavour);
        re.setGlobal(true);
        re.setIgnoreCase(pattern.ignoreCase);
        re.setMultiline(pattern.multiline);
        const auto jit = re.Execute(text);
        re.setJitEnabled(false);
        const QString ours = describe(jit);
        const QString interpreted = describe(re.Execute(text));
        QString problem;
        if (!jit && jit.error().Number != RegExpError::TooMuchBacktracking
            && jit.error().Number != RegExpError::TooManyRepetitions
            && jit.error().Number != RegExpError::PatternTooComplex)
            problem = QStringLiteral("error ") + QString::number(jit.error().Number);
        else if (!jit)
            ++engineLimits;
        else if (interpreted != ours)
            problem = QStringLiteral("the interpreter gives ") + interpreted;
        else if (pattern.readsKeptCapture)
            ++keptCaptures;
        else if (theirs[i] == u"?")
            ++unknownLetters;
        else if (!agrees(ours, theirs[i].mid(1), pattern.repeatedGroups))
            problem = QStringLiteral("node gives ") + theirs[i].mid(1);
        if (!problem.isEmpty() && failures.size() < 20)
            failures << QStringLiteral("/%1/%2%3 on \"%4\": ours %5, %6")
                            .arg(shown(pattern.flavour), pattern.ignoreCase ? u"i" : u"", pattern.multiline ? u"m" : u"",
                                 shown(text), ours, problem);
    }
    qInfo("%d cases (seed %d) not compared: %d for a back-reference to a kept capture, %d for a letter"
          " unknown to node, %d over the engine's limits", count, seed, keptCaptures, unknownLetters, engineLimits);
    QVERIFY2(failures.isEmpty(), qPrintable(u'\n' + failures.join(u'\n')));
}

void tst_Differential::everyCasedLetter()
{
    const QString outputPath = mDir.filePath(QStringLiteral("letters.txt"));
    const QStringList letters = runNode({QStringLiteral("letters"), outputPath}, outputPath);
    QVERIFY(letters.size() > 2000);
    QString everything;
    for (int c = 0; c < 0x10000; ++c)
        everything += QChar(char16_t(c));
    QStringList failures;
    int unassigned = 0;
    for (const QString& line : letters) {
        const QString code = line.section(u'\t', 0, 0);
        const QString expected = line.section(u'\t', 1);
        if (expected == u"-") {
            ++unassigned;
            continue;
        }
        for (const QString& pattern : {QStringLiteral("\\u") + code, QStringLiteral("[\\u") + code + u']'}) {
            RegExp re(pattern);
            re.setGlobal(true);
            re.setIgnoreCase(true);
            const auto result = re.Execute(everything);
            QVERIFY(result);
            QStringList positions;
            for (qsizetype i = 0; i < result->Count(); ++i)
                positions << QString::number(result->Item(i).FirstIndex());
            if (positions.join(u' ') != expected && failures.size() < 20)
                failures << QStringLiteral("%1: ours %2, node %3").arg(pattern, positions.join(u' '), expected);
        }
    }
    qInfo("%lld letters, %d left out as unassigned in node's Unicode", qsizetype(letters.size()), unassigned);
    QVERIFY2(failures.isEmpty(), qPrintable(u'\n' + failures.join(u'\n')));
}

QTEST_GUILESS_MAIN(tst_Differential)
#include "tst_differential.moc"
