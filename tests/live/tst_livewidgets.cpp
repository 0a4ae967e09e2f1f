#include "live/MatchHighlighter.h"
#include "live/PatternFeedback.h"
#include "regex/RegExp.h"
#include "textex/TextEx.h"
#include "textex/TextExEditor.h"
#include "textex/Utf16Positions.h"

#include <Qsci/qsciscintilla.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

using Sci = QsciScintillaBase;

MatchCollection matchesOf(const QString& pattern, const QString& text)
{
    RegExp expression(pattern);
    expression.setGlobal(true);
    expression.setMultiline(true);
    return expression.Execute(text).value();
}

/// A shown multi-line TextEx holding text.
struct Document {
    QWidget window;
    TextEx* text = new TextEx(&window);

    explicit Document(const QString& sText)
    {
        text->setMultiLine(true);
        text->setScrollBars(3);
        text->setGeometry(0, 0, 400, 200);
        window.resize(400, 200);
        window.show();
        text->setText(sText);
    }

    /// The indicator at UTF-16 position.
    bool indicatorAt(int indicator, int position) const
    {
        const long bytes = Utf16Positions(*editorOf(*text)).toBytes(position);
        return editorOf(*text)->SendScintilla(Sci::SCI_INDICATORVALUEAT, static_cast<unsigned long>(indicator), bytes) != 0;
    }
};

} // namespace

class tst_LiveWidgets : public QObject {
    Q_OBJECT
private slots:
    void highlighterDrawsMatchesAndTheSelectedOne();
    void highlighterStylesOnlyWhatIsOnScreen();
    void droppedMatchesLeaveNoIndicator();
    void feedbackShowsStatus_data();
    void feedbackShowsStatus();
    void editorAccessibleIsPlainWhileNoToolRuns();
};

void tst_LiveWidgets::highlighterDrawsMatchesAndTheSelectedOne()
{
    // "é" and the surrogate pair make UTF-16 and byte positions differ.
    const QString text = QStringLiteral("é ab \U0001F600 cd\r\nxy");
    Document doc(text);
    MatchHighlighter highlighter(*doc.text);
    doc.text->setSelStart(8);
    doc.text->setSelLength(2);
    highlighter.setMatches(matchesOf(QStringLiteral("[a-z]+|$"), text));

    const std::vector<HighlightRange> expected{{2, 2, HighlightKind::Match},
                                               {8, 2, HighlightKind::Selected},
                                               {10, 0, HighlightKind::Empty},
                                               {12, 2, HighlightKind::Match},
                                               {14, 0, HighlightKind::Empty}};
    QCOMPARE(highlighter.shownRanges(), expected);
    QVERIFY(!doc.indicatorAt(highlighter.matchIndicator(), 1));
    QVERIFY(doc.indicatorAt(highlighter.matchIndicator(), 2));
    QVERIFY(doc.indicatorAt(highlighter.matchIndicator(), 3));
    QVERIFY(!doc.indicatorAt(highlighter.matchIndicator(), 4));
    QVERIFY(!doc.indicatorAt(highlighter.selectedIndicator(), 7));
    QVERIFY(doc.indicatorAt(highlighter.selectedIndicator(), 8));
    QVERIFY(doc.indicatorAt(highlighter.selectedIndicator(), 9));
    QVERIFY(!doc.indicatorAt(highlighter.matchIndicator(), 8));
    QVERIFY(doc.indicatorAt(highlighter.matchIndicator(), 13));

    // Selecting another match moves the stronger box there.
    doc.text->setSelStart(2);
    doc.text->setSelLength(2);
    highlighter.refresh();
    QVERIFY(doc.indicatorAt(highlighter.selectedIndicator(), 2));
    QVERIFY(!doc.indicatorAt(highlighter.selectedIndicator(), 8));
    QVERIFY(doc.indicatorAt(highlighter.matchIndicator(), 8));
}

void tst_LiveWidgets::highlighterStylesOnlyWhatIsOnScreen()
{
    const QString text = QStringLiteral("word word\r\n").repeated(20'000);
    Document doc(text);
    MatchHighlighter highlighter(*doc.text);
    highlighter.setMatches(matchesOf(QStringLiteral("word"), text));
    QVERIFY(!highlighter.shownRanges().empty());
    QVERIFY(highlighter.shownRanges().size() < 2'000);
    QCOMPARE(highlighter.shownRanges().front().start, qsizetype(0));
    QVERIFY(doc.indicatorAt(highlighter.matchIndicator(), 0));

    doc.text->setSelStart(static_cast<int>(text.size()));
    highlighter.refresh();
    QVERIFY(highlighter.shownRanges().size() < 2'000);
    QCOMPARE(highlighter.shownRanges().back().start, text.size() - 6);
    QVERIFY(doc.indicatorAt(highlighter.matchIndicator(), static_cast<int>(text.size()) - 6));
    QVERIFY(!doc.indicatorAt(highlighter.matchIndicator(), 0));
}

void tst_LiveWidgets::droppedMatchesLeaveNoIndicator()
{
    const QString text = QStringLiteral("ab ab");
    Document doc(text);
    MatchHighlighter highlighter(*doc.text);
    highlighter.setMatches(matchesOf(QStringLiteral("ab"), text));
    QVERIFY(doc.indicatorAt(highlighter.matchIndicator(), 3));
    highlighter.setMatches(MatchCollection());
    QVERIFY(highlighter.shownRanges().empty());
    for (int position = 0; position < text.size(); ++position)
        QVERIFY(!doc.indicatorAt(highlighter.matchIndicator(), position));
}

void tst_LiveWidgets::feedbackShowsStatus_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<qsizetype>("count");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("tinted");

    QTest::newRow("valid: the count") << int(PatternStatus::State::Valid) << qsizetype(12) << QString()
                                      << "12 matches" << false;
    QTest::newRow("invalid: the message, tinted")
        << int(PatternStatus::State::Invalid) << qsizetype(0) << "Syntax error in regular expression"
        << "Syntax error in regular expression" << true;
    QTest::newRow("nothing: the design tooltip") << int(PatternStatus::State::None) << qsizetype(0) << QString()
                                                 << "design tip" << false;
}

void tst_LiveWidgets::feedbackShowsStatus()
{
    QFETCH(int, state);
    QFETCH(qsizetype, count);
    QFETCH(QString, message);
    QFETCH(QString, toolTip);
    QFETCH(bool, tinted);

    QComboBox box;
    box.setEditable(true);
    box.setToolTip(QStringLiteral("design tip"));
    const QColor designBase = box.lineEdit()->palette().color(QPalette::Base);
    const QRect designGeometry = box.geometry();
    PatternFeedback feedback(box);
    // Every row starts from an invalid pattern, so that going back to normal is shown too.
    feedback.show({PatternStatus::State::Invalid, 0, QStringLiteral("Error: x 1")});
    feedback.show({PatternStatus::State(state), count, message});

    QCOMPARE(box.toolTip(), toolTip);
    QCOMPARE(box.lineEdit()->palette().color(QPalette::Base), tinted ? PatternFeedback::invalidTint() : designBase);
    QCOMPARE(box.geometry(), designGeometry);
}

void tst_LiveWidgets::editorAccessibleIsPlainWhileNoToolRuns()
{
    // QScintilla's own interface counted every character before the caret at each repaint,
    // which made typing deep in a large text slow.
    Document doc(QStringLiteral("text"));
    QVERIFY(!QAccessible::isActive());
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(doc.text->hwnd());
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::EditableText);
    QCOMPARE(accessible->textInterface(), nullptr);
}

QTEST_MAIN(tst_LiveWidgets)
#include "tst_livewidgets.moc"
