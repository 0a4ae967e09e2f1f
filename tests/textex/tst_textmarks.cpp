// Marks over the Search Text: the range mark that edits move, and the group marks, each in
// UTF-16 positions of a text whose characters take more than one byte.

#include "textex/GroupColours.h"
#include "textex/TextEx.h"
#include "textex/TextExEditor.h"
#include "textex/Utf16Positions.h"

#include <Qsci/qsciscintilla.h>

#include <QTest>

using namespace Qt::StringLiterals;

using Range = std::optional<std::pair<qsizetype, qsizetype>>;
Q_DECLARE_METATYPE(Range)

namespace {

using Sci = QsciScintillaBase;

std::unique_ptr<TextEx> control(const QString& text)
{
    auto box = std::make_unique<TextEx>();
    box->InitProperties();
    box->setMultiLine(true);
    box->setScrollBars(2);
    box->resize(300, 200);
    box->show();
    box->setText(text);
    return box;
}

/// The value indicator has at UTF-16 position, 0 where it is not drawn.
long valueAt(const TextEx& box, int indicator, qsizetype position)
{
    const long bytes = Utf16Positions(*editorOf(box)).toBytes(static_cast<long>(position));
    return editorOf(box)->SendScintilla(Sci::SCI_INDICATORVALUEAT, static_cast<unsigned long>(indicator), bytes);
}

} // namespace

class tst_TextMarks : public QObject {
    Q_OBJECT
private slots:
    void rangeMarkMovesWithEdits_data();
    void rangeMarkMovesWithEdits();
    void rangeMarkOutlivesOtherMarksAndModes();
    void groupMarksTakeTheirGroupsColour();
    void nestedGroupMarksShowUnderTheSelection();
};

void tst_TextMarks::rangeMarkMovesWithEdits_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Range>("expected");

    // The text is u"αβ γδ εζ" and the range "γδ", at 3 and 2 long.
    QTest::newRow("typed before it moves it") << 0 << 0 << u"x"_s << Range({4, 2});
    QTest::newRow("typed at its start stays outside") << 3 << 0 << u"x"_s << Range({4, 2});
    QTest::newRow("typed inside joins it") << 4 << 0 << u"x"_s << Range({3, 3});
    QTest::newRow("typed at its end stays outside") << 5 << 0 << u"x"_s << Range({3, 2});
    QTest::newRow("a character outside the BMP inside counts two") << 4 << 0 << u"\U0001D11E"_s << Range({3, 4});
    QTest::newRow("deleting across its start shortens it") << 2 << 2 << QString() << Range({2, 1});
    QTest::newRow("deleting all of it removes it") << 2 << 4 << QString() << Range();
    QTest::newRow("typing over all of it removes it") << 3 << 2 << u"x"_s << Range();
}

void tst_TextMarks::rangeMarkMovesWithEdits()
{
    QFETCH(int, from);
    QFETCH(int, length);
    QFETCH(QString, typed);
    QFETCH(Range, expected);

    const auto box = control(u"αβ γδ εζ"_s);
    box->setRangeMark(std::pair{3, 2});
    QCOMPARE(box->rangeMark(), Range({3, 2}));
    box->SetSel(from, from + length);
    box->setSelText(typed);
    QCOMPARE(box->rangeMark(), expected);
}

void tst_TextMarks::rangeMarkOutlivesOtherMarksAndModes()
{
    const auto box = control(u"αβ γδ εζ"_s);
    box->setRangeMark(std::pair{1, 5});
    box->setMarks({{0, 2, TextMarkStyle::Plain}, {3, 1, TextMarkStyle::Group, 1, 0}});
    box->setMarks({});
    box->setScrollBars(3);
    QCOMPARE(box->rangeMark(), Range({1, 5}));
    QVERIFY(valueAt(*box, box->markIndicator(TextMarkStyle::Range), 5) != 0);
    QCOMPARE(valueAt(*box, box->markIndicator(TextMarkStyle::Range), 6), 0);

    box->setRangeMark(std::pair{6, 2});
    QCOMPARE(box->rangeMark(), Range({6, 2}));
    QCOMPARE(valueAt(*box, box->markIndicator(TextMarkStyle::Range), 1), 0);

    box->setText(u"αβ γδ εζ"_s);
    QCOMPARE(box->rangeMark(), Range());
}

void tst_TextMarks::groupMarksTakeTheirGroupsColour()
{
    const auto box = control(u"αβ γδ εζ"_s);
    box->setMarks({{0, 5, TextMarkStyle::Group, 1, 0},
                   {3, 2, TextMarkStyle::Group, 2, 1},
                   {4, 1, TextMarkStyle::Group, 3, 2},
                   {6, 0, TextMarkStyle::Group, 4, 0}});
    const auto colourAt = [&](int depth, qsizetype position) {
        const long value = valueAt(*box, box->markIndicator(TextMarkStyle::Group, depth), position);
        return value == 0 ? QColor() : QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    };
    QCOMPARE(colourAt(0, 4), groupColour(1));
    QCOMPARE(colourAt(1, 4), groupColour(2));
    QCOMPARE(colourAt(1, 2), QColor());
    QCOMPARE(colourAt(2, 4), groupColour(3));
    QCOMPARE(colourAt(2, 3), QColor());
    QCOMPARE(colourAt(0, 5), QColor());
    QVERIFY(groupColour(1) != groupColour(2));
    QCOMPARE(groupColour(7), groupColour(1));

    box->setMarks({});
    QCOMPARE(colourAt(0, 4), QColor());
    QCOMPARE(colourAt(2, 4), QColor());
}

// The selection used to hide the outer group's colour, and inner groups were only outlines.
void tst_TextMarks::nestedGroupMarksShowUnderTheSelection()
{
    const auto box = control(u"abc"_s);
    QsciScintilla* editor = editorOf(*box);
    box->setMarks({{0, 3, TextMarkStyle::Group, 1, 0}});
    QVERIFY(editor->SendScintilla(Sci::SCI_GETSELALPHA) < Sci::SC_ALPHA_NOALPHA);
    for (const int depth : {0, 1}) {
        const auto indicator = static_cast<unsigned long>(box->markIndicator(TextMarkStyle::Group, depth));
        QVERIFY2(editor->SendScintilla(Sci::SCI_INDICGETALPHA, indicator) > 0, qPrintable(QString::number(depth)));
    }
}

QTEST_MAIN(tst_TextMarks)
#include "tst_textmarks.moc"
