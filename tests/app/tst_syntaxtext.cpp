#include "window/SyntaxText.h"

#include <QRegularExpression>
#include <QTest>

class tst_SyntaxText : public QObject {
    Q_OBJECT

private slots:
    void lengthAndLineEnds();
    void lines_data();
    void lines();
    void sectionsAreUnderlinedAndSeparated();
};

void tst_SyntaxText::lengthAndLineEnds()
{
    const QString text = syntaxText();
    QCOMPARE(text.size(), 2485);
    QVERIFY(text.endsWith(QStringLiteral("Literal $\r\n")));
    QCOMPARE(text.count(QLatin1Char('\r')), text.count(QLatin1Char('\n')));
    QCOMPARE(text.count(QStringLiteral("\r\n")), text.count(QLatin1Char('\n')));
    QVERIFY(!text.endsWith(QStringLiteral("\r\n\r\n")));
}

void tst_SyntaxText::lines_data()
{
    QTest::addColumn<QString>("line");

    QTest::newRow("row without token continues with 7 blanks")
        << QStringLiteral("       All characters are literal except [ \\ ^ $ . | ? * + ( )");
    QTest::newRow("token padded to 7") << QStringLiteral("[xyz]  Any char of the char set. Cannot contain "
                                                         "submatches or back references but can have ASCII codes.");
    QTest::newRow("explanation of \\s ends with a blank")
        << QStringLiteral("\\s     Any white space including space, tab, form-feed, etc. Equivalent to [ \\f\\n\\r\\t\\v] ");
    QTest::newRow("lazy repetition row") << QStringLiteral(
        "       ? following any repetition operator makes it lazy (match least number of times possible)");
    QTest::newRow("grouping tokens padded to 8") << QStringLiteral("(?:pat) Matches pattern but doesn't save as submatch");
    QTest::newRow("short grouping token padded to 8") << QStringLiteral("\\num    Backreference matches submatch number num (1 to number of submatches)");
    QTest::newRow("lookahead padded to 8") << QStringLiteral("(?!pat) Look ahead for no match to the pattern");
    QTest::newRow("backquote sequence") << QStringLiteral("$`     Subject text to the left of the match");
    QTest::newRow("lone dollar") << QStringLiteral("$      Literal $");
}

void tst_SyntaxText::lines()
{
    QFETCH(QString, line);
    const QStringList lines = syntaxText().split(QStringLiteral("\r\n"));
    QVERIFY2(lines.contains(line), qPrintable(line));
}

void tst_SyntaxText::sectionsAreUnderlinedAndSeparated()
{
    const QStringList titles = {QStringLiteral("Literal Characters"), QStringLiteral("Character Classes/Sets"),
                                QStringLiteral("Anchors"),           QStringLiteral("Alternation"),
                                QStringLiteral("Repetition"),        QStringLiteral("Grouping & Backreferences"),
                                QStringLiteral("Lookahead"),         QStringLiteral("Replace All Syntax")};
    const QStringList lines = syntaxText().split(QStringLiteral("\r\n"));
    qsizetype previous = -1;
    for (const QString& title : titles) {
        const qsizetype at = lines.indexOf(title);
        QVERIFY2(at > previous, qPrintable(title));
        QCOMPARE(lines.at(at + 1), QString(title.size(), QLatin1Char('-')));
        if (at > 0)
            QCOMPARE(lines.at(at - 1), QString());
        previous = at;
    }
    QCOMPARE(lines.count(QString()), titles.size()); // seven separators and the end after the last CR LF
}

QTEST_GUILESS_MAIN(tst_SyntaxText)
#include "tst_syntaxtext.moc"
