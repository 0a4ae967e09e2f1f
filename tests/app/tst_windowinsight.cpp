// The window's views into the matches: group colours in the Search Text and the sub-match
// list, and Search in Selection with its marked range.

#include "live/LiveSearch.h"
#include "textex/GroupColours.h"
#include "textex/TextExEditor.h"
#include "textex/Utf16Positions.h"
#include "WindowFixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

using Sci = QsciScintillaBase;

struct InsightWindow : WindowFixture {
    using WindowFixture::WindowFixture;

    /// Starts what waits for the live matching's pause and waits until its run has landed.
    bool landed() const
    {
        auto* live = window->findChild<LiveSearch*>(u"liveSearch"_s);
        live->runPending();
        return QTest::qWaitFor([live] { return !live->isBusy(); }, 10'000);
    }

    /// The value of a mark's indicator at position (UTF-16) of the Search Text; 0 where none.
    long markAt(TextMarkStyle style, int depth, int position) const
    {
        const long bytes = Utf16Positions(*editorOf(*document())).toBytes(position);
        return editorOf(*document())->SendScintilla(
            Sci::SCI_INDICATORVALUEAT, static_cast<unsigned long>(document()->markIndicator(style, depth)), bytes);
    }

    /// The colour of the group mark drawn at position for a group that depth groups hold.
    QColor groupAt(int position, int depth = 0) const
    {
        const long value = markAt(TextMarkStyle::Group, depth, position);
        return value == 0 ? QColor() : QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    }

    bool inRange(int position) const { return markAt(TextMarkStyle::Range, 0, position) != 0; }
    QString selected() const { return document()->SelText(); }
};

} // namespace

class tst_WindowInsight : public QObject {
    Q_OBJECT
private slots:
    void accessKeysStayUniqueInEachMenu();
    void groupColoursOfTheSelectedMatch();
    void groupColoursInEveryMatch();
    void searchInSelection();
    void searchInSelectionEndsWithItsText_data();
    void searchInSelectionEndsWithItsText();
    void optionsAreRemembered();
};

// Every item of a menu, old and new, answers to a letter no other item of that menu uses.
void tst_WindowInsight::accessKeysStayUniqueInEachMenu()
{
    InsightWindow f;
    QCOMPARE(f.item("mnuFormatGroupColours")->text(), u"&Group Colours"_s);
    QCOMPARE(f.item("mnuFormatGroupColoursEveryMatch")->text(), u"Group Colours in &Every Match"_s);
    QCOMPARE(f.item("mnuToolsSearchInSelection")->text(), u"Search in &Selection"_s);
    for (QMenu* menu : f.window->menuBar()->findChildren<QMenu*>()) {
        QSet<QChar> keys;
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            const qsizetype amp = action->text().indexOf(u'&');
            QVERIFY2(amp >= 0, qPrintable(action->text()));
            const QChar key = action->text().at(amp + 1).toUpper();
            QVERIFY2(!keys.contains(key), qPrintable(menu->title() + u" "_s + action->text()));
            keys.insert(key);
        }
    }
}

void tst_WindowInsight::groupColoursOfTheSelectedMatch()
{
    InsightWindow f;
    QVERIFY(f.item("mnuFormatGroupColours")->isChecked());
    QVERIFY(!f.item("mnuFormatGroupColoursEveryMatch")->isChecked());
    f.prepare(u"ab cd"_s, u"((a)b)|(c)(d)"_s);
    QVERIFY(f.landed());
    f.click("cmdFind");
    QTRY_COMPARE(f.groupAt(0), groupColour(1));
    QCOMPARE(f.groupAt(0, 1), groupColour(2));
    QCOMPARE(f.groupAt(1), groupColour(1));
    QCOMPARE(f.groupAt(1, 1), QColor());
    QCOMPARE(f.groupAt(3), QColor());
    // The list tints the lines of the groups that took part and those that did not alike.
    QCOMPARE(f.subMatches()->extraSelections().size(), 4);
    QCOMPARE(f.subMatches()->extraSelections().at(1).cursor.block().blockNumber(), 1);

    f.click("cmdFind");
    QTRY_COMPARE(f.groupAt(3), groupColour(3));
    QCOMPARE(f.groupAt(4), groupColour(4));
    QCOMPARE(f.groupAt(0), QColor());

    f.trigger("mnuFormatGroupColours");
    QTRY_COMPARE(f.groupAt(3), QColor());
    QCOMPARE(f.subMatches()->extraSelections().size(), 0);
}

void tst_WindowInsight::groupColoursInEveryMatch()
{
    InsightWindow f;
    f.trigger("mnuFormatGroupColoursEveryMatch");
    f.prepare(u"ab cd"_s, u"(\\w)\\w"_s);
    QVERIFY(f.landed());
    QTRY_COMPARE(f.groupAt(0), groupColour(1));
    QCOMPARE(f.groupAt(1), QColor());
    QCOMPARE(f.groupAt(3), groupColour(1));
}

void tst_WindowInsight::searchInSelection()
{
    InsightWindow f;
    f.prepare(u"a1 a2 a3 a4"_s, u"a\\d"_s, 3, 5);
    f.trigger("mnuToolsSearchInSelection");
    QVERIFY(f.item("mnuToolsSearchInSelection")->isChecked());
    QVERIFY(!f.inRange(2));
    QVERIFY(f.inRange(3));
    QVERIFY(f.inRange(7));
    QVERIFY(!f.inRange(8));

    f.click("cmdFind");
    QCOMPARE(f.document()->SelStart(), 3);
    QCOMPARE(f.label("lblMatchNo")->text(), u"Match 1 of 2"_s);
    f.click("cmdFind");
    f.click("cmdFind");
    QCOMPARE(f.document()->SelStart(), 3);
    f.click("cmdFindPrev");
    QCOMPARE(f.label("lblMatchNo")->text(), u"Match 2 of 2"_s);

    f.replaceWith()->setText(u"<$&>"_s);
    f.click("cmdReplaceAll");
    QCOMPARE(f.document()->Text(), u"a1 <a2> <a3> a4"_s);
    QVERIFY(f.inRange(3));
    QVERIFY(f.inRange(11));
    QVERIFY(!f.inRange(12));
    f.click("cmdUndo");
    QCOMPARE(f.document()->Text(), u"a1 a2 a3 a4"_s);
    QVERIFY(f.inRange(7));
    QVERIFY(!f.inRange(8));

    // Word wrap moves the text to the other kind of box; the range stays.
    f.trigger("mnuFormatWordWrap");
    QCoreApplication::processEvents();
    QVERIFY(f.item("mnuToolsSearchInSelection")->isChecked());
    QVERIFY(f.inRange(3));

    f.trigger("mnuToolsSearchInSelection");
    QVERIFY(!f.item("mnuToolsSearchInSelection")->isChecked());
    QVERIFY(!f.inRange(3));
    QCOMPARE(f.messages.texts(), QStringList());
}

void tst_WindowInsight::searchInSelectionEndsWithItsText_data()
{
    QTest::addColumn<QString>("edit");

    QTest::newRow("typing over the whole range") << u"type"_s;
    QTest::newRow("File, New") << u"mnuFileNew"_s;
}

// The option goes off with a note as soon as its range is gone, not at the next search.
void tst_WindowInsight::searchInSelectionEndsWithItsText()
{
    QFETCH(QString, edit);

    InsightWindow f;
    f.prepare(u"a1 a2 a3"_s, u"a\\d"_s, 3, 2);
    f.trigger("mnuToolsSearchInSelection");
    f.window->setDirty(false);
    if (edit == u"type")
        f.type(u"z"_s);
    else
        f.trigger(qPrintable(edit));
    QTRY_VERIFY(!f.item("mnuToolsSearchInSelection")->isChecked());
    QVERIFY(QToolTip::text().startsWith(u"Search in Selection is off"_s));
}

void tst_WindowInsight::optionsAreRemembered()
{
    QTemporaryDir programFolder;
    {
        InsightWindow f(programFolder.path());
        f.trigger("mnuFormatGroupColours");
        f.trigger("mnuFormatGroupColoursEveryMatch");
        f.trigger("mnuToolsSearchInSelection");
        QVERIFY(f.window->close());
    }
    InsightWindow again(programFolder.path());
    QVERIFY(!again.item("mnuFormatGroupColours")->isChecked());
    QVERIFY(again.item("mnuFormatGroupColoursEveryMatch")->isChecked());
    // Remembered on, the option takes the selection of the first search as its range.
    QVERIFY(again.item("mnuToolsSearchInSelection")->isChecked());
    again.prepare(u"a1 a2 a3"_s, u"a\\d"_s, 3, 5);
    again.click("cmdFindPrev");
    QCOMPARE(again.label("lblMatchNo")->text(), u"Match 2 of 2"_s);
    QVERIFY(again.inRange(3));
}

QTEST_MAIN(tst_WindowInsight)
#include "tst_windowinsight.moc"
