#include "textex/TextEx.h"
#include "textex/TextExEditor.h"
#include "textex/Utf16Positions.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <future>
#include <limits>

namespace {

// One Change handler count and the PropertyChanged names of a control.
struct Recorder {
    explicit Recorder(TextEx& control)
        : changes(&control, &TextEx::Change)
        , properties(&control, &TextEx::PropertyChanged)
    {
    }
    QStringList propertyNames() const
    {
        QStringList names;
        for (const auto& arguments : properties)
            names.append(arguments.at(0).toString());
        return names;
    }
    QSignalSpy changes;
    QSignalSpy properties;
};

// A multi-line control as the main window uses it, shown so that it lays out and wraps.
std::unique_ptr<TextEx> shownControl(int scrollBars = 3)
{
    auto control = std::make_unique<TextEx>();
    control->setObjectName(QStringLiteral("txtDocument"));
    control->InitProperties();
    control->setMultiLine(true);
    control->setScrollBars(scrollBars);
    control->Font()->setName(QStringLiteral("Lucida Console"));
    control->Font()->setSize(10);
    control->resize(400, 300);
    control->show();
    return control;
}

int xOf(const TextEx& control, int position)
{
    return static_cast<int>(editorOf(control)->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL,
                                                             static_cast<long>(position)));
}

/// ASCII text of count characters with a line break every fifty.
QString asciiRun(qsizetype count, char16_t c)
{
    QString run(count, c);
    for (qsizetype i = 49; i < count; i += 50)
        run[i] = u'\n';
    return run;
}

/// A text with characters of two, three and four bytes across the editor's byte positions
/// 4,096, 8,192 and 12,288, and one of each at the start and at the end.
QString mixedText()
{
    return QStringLiteral("\u00E9\u65E5\U0001F600") + asciiRun(4086, u'a') + QStringLiteral("\U0001F600")
        + asciiRun(4092, u'b') + QStringLiteral("\u00E9") + asciiRun(4094, u'c') + QStringLiteral("\u65E5\r\n")
        + asciiRun(300, u'd') + QStringLiteral("\U0001F600\u65E5\u00E9");
}

/// Checks every UTF-16 position of the control against the text it must hold.
void checkEveryPosition(const TextEx& control, const QString& text)
{
    QCOMPARE(control.Text(), text);
    const Utf16Positions positions(*editorOf(control));
    QCOMPARE(positions.length(), long(text.size()));
    long bytes = 0;
    for (qsizetype p = 0; p <= text.size(); ++p) {
        const bool insidePair = p > 0 && p < text.size() && text[p].isLowSurrogate();
        if (!insidePair) {
            QCOMPARE(positions.toUtf16(bytes), long(p));
            QCOMPARE(positions.toBytes(long(p)), bytes);
        } else {
            QCOMPARE(positions.toBytes(long(p)), bytes - 4);
        }
        if (p < text.size() && !text[p].isLowSurrogate())
            bytes += QStringView(text).sliced(p, text[p].isHighSurrogate() ? 2 : 1).toUtf8().size();
    }
}

} // namespace

class TstTextEx : public QObject {
    Q_OBJECT
private slots:
    void textIsKeptExactly_data();
    void textIsKeptExactly();
    void loneSurrogateReadsBackAsStored_data();
    void loneSurrogateReadsBackAsStored();
    void largeTextKeepsPairsWhole_data();
    void largeTextKeepsPairsWhole();
    void positionsHoldThroughEdits_data();
    void positionsHoldThroughEdits();
    void firstEditIndexesAsOneSlowStep();
    void editsReplayToTheText_data();
    void editsReplayToTheText();
    void lineQueries_data();
    void lineQueries();
    void selectionStartLine();
    void setSel_data();
    void setSel();
    void reversedSelectionPutsCaretAtEnd();
    void selLengthWrites_data();
    void selLengthWrites();
    void selTextWriteIsOneUndoableEdit();
    void textWriteRaisesOneChangeAndResets();
    void textReaderIsASnapshot_data();
    void textReaderIsASnapshot();
    void readersOfOneTextShareOneDecoding();
    void typingRaisesOneChangePerKeystroke_data();
    void typingRaisesOneChangePerKeystroke();
    void inputBeyondTheCapacityIsRefused_data();
    void inputBeyondTheCapacityIsRefused();
    void enterInsertsTheChosenLineBreak_data();
    void enterInsertsTheChosenLineBreak();
    void keyPressHandlerControlsTheCharacter_data();
    void keyPressHandlerControlsTheCharacter();
    void clickAndKeyUpReachTheContainer();
    void dropRaisesOLEDragDropOnly_data();
    void dropRaisesOLEDragDropOnly();
    void wrappedLineCountsAsSeveral();
    void boxSwitches_data();
    void boxSwitches();
    void oneLineModeKeepsOneLine();
    void tabStops_data();
    void tabStops();
    void tabStopErrorKeepsTextAndWidth();
    void fontObjectIsShared();
    void scrollBarPolicies_data();
    void scrollBarPolicies();
    void automaticBarsShowWhenNeeded_data();
    void automaticBarsShowWhenNeeded();
    void loadsDefaultsFromEmptySet();
    void loadsTheWindowsStoredSet();
    void savesOnlyDifferencesFromDefaults();
    void loadStopsAtBadTabStops();
};

void TstTextEx::textIsKeptExactly_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("CR LF") << QStringLiteral("one\r\ntwo\r\n");
    QTest::newRow("lone LF and lone CR") << QStringLiteral("a\nb\rc\r\rd\n\n");
    QTest::newRow("CR LF written as LF CR stays") << QStringLiteral("a\n\rb");
    QTest::newRow("NUL character") << QString::fromUtf16(u"a\0b", 3);
    QTest::newRow("surrogate pairs and CJK") << QStringLiteral("x\U0001F600y\u65E5\u672C");
    QTest::newRow("32,767 characters") << QString(32767, QLatin1Char('q'));
    QTest::newRow("32,766 characters") << QString(32766, QLatin1Char('q'));
}

void TstTextEx::textIsKeptExactly()
{
    QFETCH(QString, text);
    TextEx control;
    control.setText(text);
    QCOMPARE(control.Text(), text);
    QCOMPARE(control.TextLength(), text.size());
    control.SetSel(0, -1);
    QCOMPARE(control.SelText(), text);
}

void TstTextEx::loneSurrogateReadsBackAsStored_data()
{
    QTest::addColumn<QString>("before");

    QTest::newRow("short text") << QString();
    // A large text is converted a slice of 4 Mi code units at a time, ahead of the editor
    // taking in the slice before; the surrogate here is in the third slice.
    QTest::newRow("third slice of a large text") << QString(QString(63, u'a') + u'\n').repeated(150'000);
}

void TstTextEx::loneSurrogateReadsBackAsStored()
{
    QFETCH(QString, before);
    TextEx control;
    const QString text = before + QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
    control.setText(text);
    QCOMPARE(control.Text(), before + QStringLiteral("a?b"));
    QCOMPARE(control.TextLength(), int(text.size()));
}

void TstTextEx::largeTextKeepsPairsWhole_data()
{
    QTest::addColumn<QString>("pair");
    QTest::addColumn<int>("breaks");

    // A large text goes into the editor in slices of 4 Mi code units; these pairs straddle
    // the first slice's end.
    QTest::newRow("CR LF stays one line break") << QStringLiteral("\r\n") << 1;
    QTest::newRow("surrogate pair stays one character") << QStringLiteral("\U0001F600") << 0;
}

void TstTextEx::largeTextKeepsPairsWhole()
{
    QFETCH(QString, pair);
    QFETCH(int, breaks);
    const QString filler = QString(QString(99, u'a') + u'\n').repeated(50'000).left((qsizetype(1) << 22) - 1);
    const QString text = filler + pair + QStringLiteral("bc");
    TextEx control;
    control.setMultiLine(true);
    control.setScrollBars(3);
    control.setText(text);
    QCOMPARE(control.TextLength(), int(text.size()));
    QCOMPARE(control.LineCount(), int(filler.count(u'\n')) + 1 + breaks);
    control.SetSel(int(text.size()) - 4, int(text.size()));
    QCOMPARE(control.SelText(), text.right(4));
}

void TstTextEx::positionsHoldThroughEdits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("inserted");

    const QString ascii = asciiRun(12'500, u'a');
    const QString mixed = mixedText();
    const QString pair = QStringLiteral("\U0001F600");
    QTest::newRow("written, not edited") << mixed << 0 << 0 << QString() << QString();
    QTest::newRow("ASCII written, not edited") << ascii << 0 << 0 << QString() << QString();
    QTest::newRow("non-ASCII typed into an ASCII text") << ascii << 5000 << 5000 << "type" << QStringLiteral("\u00E9");
    QTest::newRow("non-ASCII pasted into an ASCII text") << ascii << 100 << 104 << "paste" << pair + QStringLiteral("\u65E5x");
    QTest::newRow("non-ASCII written over a selection of an ASCII text")
        << ascii << 8000 << 8000 << "write" << QStringLiteral("\u65E5") + pair;
    QTest::newRow("ASCII typed into a mixed text") << mixed << 4090 << 4090 << "type" << QStringLiteral("x");
    QTest::newRow("non-ASCII removed from a mixed text") << mixed << 0 << 4100 << "write" << QString();
    QTest::newRow("removal undone") << mixed << 4 << 8300 << "undo" << QString();
}

// A text written whole is counted in blocks until its first edit; after that the editor's
// line index must serve every position, whatever the edit brought in or took out.
void TstTextEx::positionsHoldThroughEdits()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, how);
    QFETCH(QString, inserted);

    auto control = shownControl();
    control->setText(text);
    control->SetSel(from, to);
    if (how == QLatin1String("type")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, inserted);
        QApplication::sendEvent(control->hwnd(), &press);
    } else if (how == QLatin1String("paste")) {
        QApplication::clipboard()->setText(inserted);
        editorOf(*control)->paste();
    } else if (how == QLatin1String("write") || how == QLatin1String("undo")) {
        control->setSelText(inserted);
    }
    if (how == QLatin1String("undo")) {
        checkEveryPosition(*control, text.left(from) + text.mid(to));
        editorOf(*control)->undo();
        checkEveryPosition(*control, text);
        return;
    }
    checkEveryPosition(*control, text.left(from) + inserted + text.mid(to));
}

// The container is handed the index build of the first edit, to show that it is busy.
void TstTextEx::firstEditIndexesAsOneSlowStep()
{
    auto control = shownControl();
    QList<qint64> steps;
    control->setSlowStepRunner([&steps](qint64 nBytes, const std::function<void()>& work) {
        steps.append(nBytes);
        work();
    });
    const QString text = mixedText();
    control->setText(text);
    QVERIFY(steps.isEmpty());

    control->SetSel(0, 0);
    QTest::keyClicks(control->hwnd(), QStringLiteral("xy"));
    QCOMPARE(steps, QList<qint64>{text.toUtf8().size() + 1});
    checkEveryPosition(*control, QStringLiteral("xy") + text);
}

void TstTextEx::editsReplayToTheText_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("inserted");

    const QString pair = QStringLiteral("\U0001F600");
    QTest::newRow("typed at the start, before the first edit indexed the text") << 0 << 0 << "type" << "x";
    QTest::newRow("typed after a character of four bytes") << 3 << 3 << "type" << QStringLiteral("\u00E9");
    QTest::newRow("typed over a selection across a block") << 4080 << 4200 << "type" << "y";
    QTest::newRow("pasted over a selection") << 2 << 9 << "paste" << pair + QStringLiteral("\r\nz");
    QTest::newRow("written over a selection") << 8190 << 8195 << "write" << QStringLiteral("\u65E5");
    QTest::newRow("Backspace over a surrogate pair") << 4089 << 4089 << "backspace" << QString();
    QTest::newRow("Delete of a selection") << 10 << 5000 << "delete" << QString();
    QTest::newRow("undo and redo of a paste") << 100 << 140 << "undo redo" << pair + pair;
}

// Replaying TextEdited on the text before gives the text after, in UTF-16 positions, for every
// kind of edit; writing Text raises TextWriting and no edit.
void TstTextEx::editsReplayToTheText()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, how);
    QFETCH(QString, inserted);

    auto control = shownControl();
    QSignalSpy written(control.get(), &TextEx::TextWriting);
    QSignalSpy edits(control.get(), &TextEx::TextEdited);
    const QString text = mixedText();
    control->setText(text);
    QCOMPARE(written.count(), 1);
    QCOMPARE(edits.count(), 0);

    control->SetSel(from, to);
    if (how == QLatin1String("type")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, inserted);
        QApplication::sendEvent(control->hwnd(), &press);
    } else if (how == QLatin1String("write")) {
        control->setSelText(inserted);
    } else if (how == QLatin1String("backspace")) {
        QTest::keyClick(control->hwnd(), Qt::Key_Backspace);
    } else if (how == QLatin1String("delete")) {
        QTest::keyClick(control->hwnd(), Qt::Key_Delete);
    } else {
        QApplication::clipboard()->setText(inserted);
        editorOf(*control)->paste();
    }
    if (how == QLatin1String("undo redo")) {
        editorOf(*control)->undo();
        editorOf(*control)->redo();
        editorOf(*control)->undo();
    }
    // The editor's own paste, undo and redo called directly are told from the event loop.
    QCoreApplication::processEvents();
    QString replayed = text;
    for (const QList<QVariant>& edit : edits)
        replayed.replace(edit.at(0).toLongLong(), edit.at(1).toLongLong(), edit.at(2).toString());
    QCOMPARE(replayed, control->Text());
    QVERIFY(replayed != text || how == QLatin1String("undo redo"));
}

void TstTextEx::lineQueries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("currentLine");
    QTest::addColumn<int>("currentChar");
    QTest::addColumn<QList<int>>("lineStarts");
    QTest::addColumn<QList<int>>("lineLengths");

    QTest::newRow("empty text") << QString() << 0 << 0 << 0 << QList<int>{0} << QList<int>{0};
    QTest::newRow("caret at the start of the line after CR LF")
        << QStringLiteral("ab\r\ncd") << 4 << 1 << 0 << QList<int>{0, 4} << QList<int>{2, 2};
    QTest::newRow("text ending in CR LF has an empty last line")
        << QStringLiteral("ab\r\n") << 4 << 1 << 0 << QList<int>{0, 4} << QList<int>{2, 0};
    QTest::newRow("lone LF breaks the line") << QStringLiteral("ab\ncd") << 4 << 1 << 1
                                             << QList<int>{0, 3} << QList<int>{2, 2};
    QTest::newRow("lone CR breaks the line") << QStringLiteral("ab\rcd") << 3 << 1 << 0
                                             << QList<int>{0, 3} << QList<int>{2, 2};
    QTest::newRow("mixed breaks") << QStringLiteral("a\r\nb\nc\rd") << 8 << 3 << 1
                                  << QList<int>{0, 3, 5, 7} << QList<int>{1, 1, 1, 1};
    QTest::newRow("surrogate pair counts two")
        << QStringLiteral("x\U0001F600y\r\nz") << 4 << 0 << 4 << QList<int>{0, 6} << QList<int>{4, 1};
    QTest::newRow("three-byte characters count one")
        << QStringLiteral("\u65E5\u672C\n\u8A9E") << 4 << 1 << 1 << QList<int>{0, 3} << QList<int>{2, 1};
    QTest::newRow("caret between CR and LF stays on its line")
        << QStringLiteral("ab\r\ncd") << 3 << 0 << 3 << QList<int>{0, 4} << QList<int>{2, 2};
}

void TstTextEx::lineQueries()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, currentLine);
    QFETCH(int, currentChar);
    QFETCH(QList<int>, lineStarts);
    QFETCH(QList<int>, lineLengths);

    TextEx control;
    control.setText(text);
    control.setSelStart(caret);
    QCOMPARE(control.SelStart(), caret);
    QCOMPARE(control.SelLength(), 0);
    QCOMPARE(control.SelText(), QString());
    QCOMPARE(control.CurrentLine(), currentLine);
    QCOMPARE(control.CurrentChar(), currentChar);
    QCOMPARE(control.LineCount(), lineStarts.size());
    QCOMPARE(control.TextLength(), text.size());
    for (int line = 0; line < lineStarts.size(); ++line) {
        QCOMPARE(control.LineStart(line), lineStarts[line]);
        QCOMPARE(control.LineLength(line), lineLengths[line]);
    }
    QCOMPARE(control.LineStart(-1), lineStarts[currentLine]);
    // A line that does not exist starts at 0 and so has the length of line 0.
    QCOMPARE(control.LineStart(control.LineCount()), 0);
    QCOMPARE(control.LineLength(control.LineCount()), lineLengths[0]);
}

void TstTextEx::selectionStartLine()
{
    TextEx control;
    control.setText(QStringLiteral("ab\r\ncdef"));
    control.SetSel(2, 5);
    int start = -1;
    int end = -1;
    control.GetSel(start, end);
    QCOMPARE(start, 2);
    QCOMPARE(end, 5);
    QCOMPARE(control.SelStart(), 2);
    QCOMPARE(control.SelLength(), 3);
    QCOMPARE(control.SelText(), QStringLiteral("\r\nc"));
    QCOMPARE(control.CurrentLine(), 0);
    QCOMPARE(control.CurrentChar(), 2);
}

void TstTextEx::setSel_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");

    const QString six = QStringLiteral("abcdef");
    QTest::newRow("forward range") << six << 1 << 4 << 1 << 4;
    QTest::newRow("reversed range selects between") << six << 4 << 1 << 1 << 4;
    QTest::newRow("end beyond the text is the text's end") << six << 2 << 99 << 2 << 6;
    QTest::newRow("both beyond the text") << six << 50 << 99 << 6 << 6;
    QTest::newRow("0 and -1 select everything") << six << 0 << -1 << 0 << 6;
    QTest::newRow("negative end means the text's end") << six << 3 << -1 << 3 << 6;
    QTest::newRow("-1 start removes the selection, caret stays") << six << -1 << 5 << 3 << 3;
    QTest::newRow("position inside a surrogate pair moves to its start")
        << QStringLiteral("a\U0001F600b") << 2 << 2 << 1 << 1;
    QTest::newRow("range ending inside a surrogate pair")
        << QStringLiteral("a\U0001F600b") << 0 << 2 << 0 << 1;
    QTest::newRow("range between CR and LF is kept") << QStringLiteral("ab\r\ncd") << 3 << 4 << 3 << 4;
}

void TstTextEx::setSel()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, start);
    QFETCH(int, end);

    TextEx control;
    control.setText(text);
    control.SetSel(1, 3);
    Recorder recorder(control);
    control.SetSel(from, to);
    int gotStart = -1;
    int gotEnd = -1;
    control.GetSel(gotStart, gotEnd);
    QCOMPARE(gotStart, start);
    QCOMPARE(gotEnd, end);
    QCOMPARE(control.SelText(), text.mid(start, end - start));
    QCOMPARE(recorder.properties.count(), 0);
}

void TstTextEx::reversedSelectionPutsCaretAtEnd()
{
    auto control = shownControl();
    control->setText(QStringLiteral("abcdef"));
    control->SetSel(5, 2);
    QTest::keyClick(control->hwnd(), Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(control->SelStart(), 3);
    QCOMPARE(control->SelLength(), 2);
}

void TstTextEx::selLengthWrites_data()
{
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QStringList>("notified");
    QTest::addColumn<bool>("overflow");

    QTest::newRow("caret at 7 and length 0 selects nothing")
        << 7 << 0 << 7 << 0 << QStringList{QStringLiteral("SelStart")} << false;
    QTest::newRow("negative length changes and notifies nothing")
        << 7 << -3 << 7 << 0 << QStringList{QStringLiteral("SelStart")} << false;
    QTest::newRow("length selects from the start")
        << 2 << 3 << 2 << 3 << QStringList{QStringLiteral("SelStart"), QStringLiteral("SelLength")} << false;
    QTest::newRow("length beyond the text stops at its end")
        << 8 << 10 << 8 << 2 << QStringList{QStringLiteral("SelStart"), QStringLiteral("SelLength")} << false;
    QTest::newRow("start plus length beyond 32 bits overflows")
        << 5 << std::numeric_limits<int>::max() << 5 << 0 << QStringList{QStringLiteral("SelStart")} << true;
}

void TstTextEx::selLengthWrites()
{
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QStringList, notified);
    QFETCH(bool, overflow);

    TextEx control;
    control.setText(QStringLiteral("0123456789"));
    Recorder recorder(control);
    control.setSelStart(selStart);
    const std::optional<PropertyError> error = control.setSelLength(selLength);
    QCOMPARE(error.has_value(), overflow);
    if (overflow)
        QCOMPARE(error->Number, 6);
    QCOMPARE(control.SelStart(), start);
    QCOMPARE(control.SelLength(), length);
    QCOMPARE(recorder.propertyNames(), notified);
    QCOMPARE(recorder.changes.count(), 0);
}

void TstTextEx::selTextWriteIsOneUndoableEdit()
{
    auto control = shownControl();
    control->setText(QStringLiteral("one two three"));
    control->setSelStart(4);
    control->setSelLength(3);
    Recorder recorder(*control);

    control->setSelText(QStringLiteral("2\r\n\U0001F600"));
    QCOMPARE(control->Text(), QStringLiteral("one 2\r\n\U0001F600 three"));
    QCOMPARE(control->SelStart(), 9);
    QCOMPARE(control->SelLength(), 0);
    QCOMPARE(recorder.changes.count(), 1);
    QCOMPARE(recorder.propertyNames(), QStringList{QStringLiteral("SelText")});

    QTest::keyClick(control->hwnd(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(control->Text(), QStringLiteral("one two three"));
    QCOMPARE(recorder.changes.count(), 2);
}

void TstTextEx::textWriteRaisesOneChangeAndResets()
{
    auto control = shownControl();
    control->setText(QStringLiteral("abc"));
    QTest::keyClicks(control->hwnd(), QStringLiteral("xy"));
    control->SetSel(1, 2);
    Recorder recorder(*control);

    control->setText(QStringLiteral("new text"));
    control->setText(QStringLiteral("new text"));
    QCOMPARE(recorder.changes.count(), 2);
    QCOMPARE(recorder.propertyNames(), (QStringList{QStringLiteral("Text"), QStringLiteral("Text")}));
    QCOMPARE(control->SelStart(), 0);
    QCOMPARE(control->SelLength(), 0);

    // The typing before the write is no longer in the undo history.
    QTest::keyClick(control->hwnd(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(control->Text(), QStringLiteral("new text"));
}

void TstTextEx::textReaderIsASnapshot_data()
{
    QTest::addColumn<QString>("typedBefore");
    QTest::addColumn<QString>("typedAfter");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("utf8");

    for (const bool utf8 : {false, true}) {
        const QByteArray written = utf8 ? "written as UTF-8: " : "";
        QTest::newRow(written + "text as written") << QString() << QString() << "abc" << "abc" << utf8;
        QTest::newRow(written + "typed text, decoded by the reader") << "xy" << QString() << "abcxy" << "abcxy" << utf8;
        QTest::newRow(written + "typing after the reader was made") << "xy" << "z" << "abcxy" << "abcxyz" << utf8;
        QTest::newRow(written + "typing after a written text") << QString() << "z" << "abc" << "abcz" << utf8;
    }
}

void TstTextEx::textReaderIsASnapshot()
{
    QFETCH(QString, typedBefore);
    QFETCH(QString, typedAfter);
    QFETCH(QString, read);
    QFETCH(QString, text);
    QFETCH(bool, utf8);

    auto control = shownControl();
    if (utf8)
        control->setUtf8Text("abc");
    else
        control->setText(QStringLiteral("abc"));
    control->setSelStart(3);
    QTest::keyClicks(control->hwnd(), typedBefore);
    const std::function<QString()> reader = control->textReader();
    QCoreApplication::processEvents();
    QTest::keyClicks(control->hwnd(), typedAfter);
    QCoreApplication::processEvents();

    // Readers run on another thread; the text they decode may serve Text afterwards.
    QCOMPARE(std::async(std::launch::async, reader).get(), read);
    QCOMPARE(control->Text(), text);
    QCOMPARE(control->textReader()(), text);
}

// Readers of one text, such as the live matching's and the recovery journal's, share one
// decoding of it, whichever thread asks first.
void TstTextEx::readersOfOneTextShareOneDecoding()
{
    auto control = shownControl();
    control->setUtf8Text("one text, read twice");
    const std::function<QString()> first = control->textReader();
    const std::function<QString()> second = control->textReader();
    auto firstRead = std::async(std::launch::async, first);
    const QString secondText = std::async(std::launch::async, second).get();
    const QString firstText = firstRead.get();
    QCOMPARE(secondText, QStringLiteral("one text, read twice"));
    QCOMPARE(firstText.constData(), secondText.constData());
}

void TstTextEx::typingRaisesOneChangePerKeystroke_data()
{
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");

    const int none = Qt::NoModifier;
    QTest::newRow("letter at the caret") << 3 << 0 << int(Qt::Key_X) << none << QStringLiteral("abcx\r\ndef");
    QTest::newRow("letter over a selection") << 1 << 4 << int(Qt::Key_X) << none << QStringLiteral("axdef");
    QTest::newRow("backspace over CR LF") << 5 << 0 << int(Qt::Key_Backspace) << none << QStringLiteral("abcdef");
    QTest::newRow("delete at the end changes nothing")
        << 8 << 0 << int(Qt::Key_Delete) << none << QStringLiteral("abc\r\ndef");
    QTest::newRow("Tab moves the focus and types nothing")
        << 1 << 0 << int(Qt::Key_Tab) << none << QStringLiteral("abc\r\ndef");
    QTest::newRow("Ctrl+Tab types a tab")
        << 1 << 0 << int(Qt::Key_Tab) << int(Qt::ControlModifier) << QStringLiteral("a\tbc\r\ndef");
}

void TstTextEx::typingRaisesOneChangePerKeystroke()
{
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);

    auto control = shownControl();
    control->setText(QStringLiteral("abc\r\ndef"));
    control->setSelStart(selStart);
    control->setSelLength(selLength);
    Recorder recorder(*control);
    QTest::keyClick(control->hwnd(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(control->Text(), text);
    QCOMPARE(recorder.changes.count(), text == QStringLiteral("abc\r\ndef") ? 0 : 1);
}

void TstTextEx::inputBeyondTheCapacityIsRefused_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("room");
    QTest::addColumn<QString>("text");

    const QString before = QStringLiteral("abc\r\ndef");
    const QString twoAccents = QStringLiteral("abc\u00e9\u00e9\r\ndef");
    // Each accented letter takes two bytes in UTF-8.
    QTest::newRow("Text written, a byte short") << "Text" << 3 << before;
    QTest::newRow("Text written") << "Text" << 4 << twoAccents;
    QTest::newRow("Text written from UTF-8, a byte short") << "UTF-8" << 3 << before;
    QTest::newRow("Text written from UTF-8") << "UTF-8" << 4 << twoAccents;
    QTest::newRow("SelText written, a byte short") << "SelText" << 3 << before;
    QTest::newRow("SelText written") << "SelText" << 4 << twoAccents;
    QTest::newRow("pasted, a byte short") << "paste" << 3 << before;
    QTest::newRow("pasted") << "paste" << 4 << twoAccents;
    QTest::newRow("letter typed without room") << "type" << 0 << before;
    QTest::newRow("letter typed") << "type" << 1 << QStringLiteral("abcx\r\ndef");
    QTest::newRow("Enter without room for CR LF") << "Enter" << 1 << before;
    QTest::newRow("Enter") << "Enter" << 2 << QStringLiteral("abc\r\n\r\ndef");
    // The line and a line break more, in case the line has none.
    QTest::newRow("line copied without room for it") << "duplicate" << 6 << before;
    QTest::newRow("line copied") << "duplicate" << 7 << QStringLiteral("abc\r\nabc\r\ndef");
}

// Nothing goes into the editor beyond its capacity: the text stays as it was and TooLong
// is raised instead of Change.
void TstTextEx::inputBeyondTheCapacityIsRefused()
{
    QFETCH(QString, how);
    QFETCH(int, room);
    QFETCH(QString, text);

    auto control = shownControl();
    const QString before = QStringLiteral("abc\r\ndef");
    const QString twoAccents = QStringLiteral("abc\u00e9\u00e9\r\ndef");
    control->setText(before);
    control->setSelStart(3);
    control->setCapacity(before.size() + room);
    control->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("\u00e9\u00e9"));
    Recorder recorder(*control);
    QSignalSpy tooLong(control.get(), &TextEx::TooLong);

    if (how == u"Text")
        QCOMPARE(control->setText(twoAccents), text != before);
    else if (how == u"UTF-8") {
        QByteArray replaced;
        QCOMPARE(control->setUtf8Text(twoAccents.toUtf8(), &replaced), text != before);
        QCOMPARE(replaced, text != before ? before.toUtf8() : QByteArray());
    }
    else if (how == u"SelText")
        QCOMPARE(control->setSelText(QStringLiteral("\u00e9\u00e9")), text != before);
    else if (how == u"paste")
        QTest::keyClick(control->hwnd(), Qt::Key_V, Qt::ControlModifier);
    else if (how == u"type")
        QTest::keyClick(control->hwnd(), Qt::Key_X);
    else if (how == u"Enter")
        QTest::keyClick(control->hwnd(), Qt::Key_Return);
    else
        QTest::keyClick(control->hwnd(), Qt::Key_D, Qt::ControlModifier);

    QCOMPARE(control->Text(), text);
    QCOMPARE(tooLong.count(), text == before ? 1 : 0);
    QCOMPARE(recorder.changes.count(), text == before ? 0 : 1);
}

void TstTextEx::enterInsertsTheChosenLineBreak_data()
{
    QTest::addColumn<QString>("lineBreak");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("text");

    QTest::newRow("CR LF by default") << QString() << true << QStringLiteral("a\r\nb");
    QTest::newRow("LF") << QStringLiteral("\n") << true << QStringLiteral("a\nb");
    QTest::newRow("CR") << QStringLiteral("\r") << true << QStringLiteral("a\rb");
    QTest::newRow("anything else is refused") << QStringLiteral("\n\r") << false << QStringLiteral("a\r\nb");
}

void TstTextEx::enterInsertsTheChosenLineBreak()
{
    QFETCH(QString, lineBreak);
    QFETCH(bool, accepted);
    QFETCH(QString, text);

    auto control = shownControl();
    if (!lineBreak.isNull())
        QCOMPARE(control->setNewLineSequence(lineBreak), accepted);
    control->setText(QStringLiteral("ab"));
    control->setSelStart(1);
    QTest::keyClick(control->hwnd(), Qt::Key_Return);
    QCOMPARE(control->Text(), text);
}

void TstTextEx::keyPressHandlerControlsTheCharacter_data()
{
    QTest::addColumn<int>("replacement");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("changes");

    QTest::newRow("0 keeps the character out") << 0 << QString() << 0;
    QTest::newRow("another code types that character") << int('b') << QStringLiteral("b") << 1;
    QTest::newRow("the same code types the character") << int('a') << QStringLiteral("a") << 1;
}

void TstTextEx::keyPressHandlerControlsTheCharacter()
{
    QFETCH(int, replacement);
    QFETCH(QString, text);
    QFETCH(int, changes);

    auto control = shownControl();
    control->setText(QString());
    QList<int> seen;
    connect(control.get(), &TextEx::KeyPress, control.get(), [&](int& KeyAscii) {
        seen.append(KeyAscii);
        KeyAscii = replacement;
    });
    Recorder recorder(*control);
    QTest::keyClick(control->hwnd(), Qt::Key_A);
    QCOMPARE(seen, QList<int>{int('a')});
    QCOMPARE(control->Text(), text);
    QCOMPARE(recorder.changes.count(), changes);
}

void TstTextEx::clickAndKeyUpReachTheContainer()
{
    auto control = shownControl();
    control->setText(QStringLiteral("abc"));
    QSignalSpy clicks(control.get(), &TextEx::Click);
    QSignalSpy keyUps(control.get(), &TextEx::KeyUp);
    QTest::mouseClick(editorOf(*control)->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(clicks.count(), 1);
    QTest::keyClick(control->hwnd(), Qt::Key_End, Qt::ShiftModifier);
    // End is released first, then Shift.
    QCOMPARE(keyUps.count(), 2);
    QCOMPARE(keyUps.at(0).at(0).toInt(), int(Qt::Key_End));
    QCOMPARE(keyUps.at(0).at(1).toInt(), 1);
    QCOMPARE(control->SelStart() + control->SelLength(), 3);
}

void TstTextEx::dropRaisesOLEDragDropOnly_data()
{
    QTest::addColumn<int>("dropMode");
    QTest::addColumn<bool>("files");
    QTest::addColumn<bool>("raised");

    QTest::newRow("text with drop mode 1") << 1 << false << true;
    QTest::newRow("files with drop mode 1") << 1 << true << true;
    QTest::newRow("text with drop mode 0") << 0 << false << false;
}

void TstTextEx::dropRaisesOLEDragDropOnly()
{
    QFETCH(int, dropMode);
    QFETCH(bool, files);
    QFETCH(bool, raised);

    auto control = shownControl();
    control->setText(QStringLiteral("document"));
    control->setOLEDropMode(dropMode);
    QCOMPARE(control->OLEDropMode(), dropMode);
    QMimeData data;
    if (files)
        data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/dropped.txt"))});
    else
        data.setText(QStringLiteral("dropped"));
    const QMimeData* received = nullptr;
    connect(control.get(), &TextEx::OLEDragDrop, control.get(), [&](const QMimeData* Data) { received = Data; });
    Recorder recorder(*control);

    // Qt delivers a drop to the widget that accepted the drag's entry.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(editorOf(*control)->viewport(), &enter);
    QCOMPARE(enter.isAccepted(), raised);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(editorOf(*control)->viewport(), &drop);
    QCOMPARE(received == &data, raised);
    QCOMPARE(control->Text(), QStringLiteral("document"));
    QCOMPARE(recorder.changes.count(), 0);
}

void TstTextEx::wrappedLineCountsAsSeveral()
{
    auto control = shownControl(2);
    // Three words, each longer than half the box's width and shorter than the whole.
    const QString word(14, QLatin1Char('w'));
    const QString line = word + QLatin1Char(' ') + word + QLatin1Char(' ') + word;
    const int charWidth = QFontMetrics(control->Font()->toQFont()).horizontalAdvance(QLatin1Char('w'));
    control->resize(22 * charWidth + editorOf(*control)->verticalScrollBar()->sizeHint().width() + 10, 300);
    control->setText(line + QStringLiteral("\r\nlast"));

    QCOMPARE(control->LineCount(), 4);
    QCOMPARE(control->LineStart(1), 15);
    QCOMPARE(control->LineStart(2), 30);
    QCOMPARE(control->LineStart(3), 46);
    for (int wrapped = 0; wrapped < 2; ++wrapped)
        QCOMPARE(control->LineStart(wrapped) + control->LineLength(wrapped), control->LineStart(wrapped + 1));
    QCOMPARE(control->LineLength(2), 14);
    control->setSelStart(35);
    QCOMPARE(control->CurrentLine(), 2);
    QCOMPARE(control->CurrentChar(), 5);
    control->setSelStart(control->TextLength());
    QCOMPARE(control->CurrentLine(), 3);

    control->setScrollBars(3);
    QCOMPARE(control->LineCount(), 2);
    QCOMPARE(control->LineStart(1), 46);
}

void TstTextEx::boxSwitches_data()
{
    QTest::addColumn<bool>("multiLine");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("changes");

    QTest::newRow("wrapping to scrolling") << true << 2 << 3 << 1;
    QTest::newRow("scrolling to wrapping") << true << 3 << 2 << 1;
    QTest::newRow("no bars to vertical bar keeps wrapping") << true << 0 << 2 << 0;
    QTest::newRow("7 keeps the current box") << true << 2 << 7 << 0;
    QTest::newRow("negative keeps the current box") << true << 3 << -1 << 0;
    QTest::newRow("one-line box whatever the bars") << false << 2 << 3 << 0;
}

void TstTextEx::boxSwitches()
{
    QFETCH(bool, multiLine);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, changes);

    auto control = shownControl(from);
    control->setMultiLine(multiLine);
    const QString text = QStringLiteral("first line\r\nsecond\nthird\r");
    control->setText(text);
    QTest::keyClicks(control->hwnd(), QStringLiteral("typed"));
    control->SetSel(3, 8);
    const QString typed = control->Text();
    Recorder recorder(*control);

    control->setScrollBars(to);
    QCOMPARE(control->Text(), typed);
    QCOMPARE(recorder.changes.count(), changes);
    QCOMPARE(control->ScrollBars(), to);
    if (changes == 0) {
        QCOMPARE(control->SelStart(), 3);
        QCOMPARE(recorder.propertyNames(), QStringList{QStringLiteral("ScrollBars")});
        return;
    }
    QCOMPARE(recorder.propertyNames(), (QStringList{QStringLiteral("Text"), QStringLiteral("ScrollBars")}));
    QCOMPARE(control->SelStart(), 0);
    QCOMPARE(control->SelLength(), 0);
    QTest::keyClick(control->hwnd(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(control->Text(), typed);
}

void TstTextEx::oneLineModeKeepsOneLine()
{
    auto control = shownControl();
    control->setMultiLine(false);
    control->setText(QStringLiteral("ab"));
    control->setSelStart(1);
    QTest::keyClick(control->hwnd(), Qt::Key_Return);
    QCOMPARE(control->Text(), QStringLiteral("ab"));
    QCOMPARE(control->LineCount(), 1);
}

void TstTextEx::tabStops_data()
{
    QTest::addColumn<QString>("tabStops");
    QTest::addColumn<QString>("readBack");
    QTest::addColumn<int>("characters");

    QTest::newRow("32 units are 8 characters") << QStringLiteral("32") << QStringLiteral("32") << 8;
    QTest::newRow("empty text reads back 32") << QString() << QStringLiteral("32") << 8;
    QTest::newRow("8 units are 2 characters") << QStringLiteral("8") << QStringLiteral("8") << 2;
    QTest::newRow("a list spaces by its first item") << QStringLiteral("16, 40") << QStringLiteral("16, 40") << 4;
}

void TstTextEx::tabStops()
{
    QFETCH(QString, tabStops);
    QFETCH(QString, readBack);
    QFETCH(int, characters);

    auto control = shownControl();
    QVERIFY(!control->setTabStops(tabStops));
    QCOMPARE(control->TabStops(), readBack);
    control->setText(QStringLiteral("\tx\r\nabcdefghijklmnop"));
    // The second line holds 16 characters of the fixed-pitch font.
    const double tabWidth = characters * (xOf(*control, 20) - xOf(*control, 4)) / 16.0;
    QVERIFY(std::abs(xOf(*control, 1) - xOf(*control, 0) - tabWidth) <= 1);

    // The same width after the box switches, where each item is used the same way.
    control->setScrollBars(2);
    QCOMPARE(control->TabStops(), readBack);
    QVERIFY(std::abs(xOf(*control, 1) - xOf(*control, 0) - tabWidth) <= 1);
}

void TstTextEx::tabStopErrorKeepsTextAndWidth()
{
    auto control = shownControl();
    control->setText(QStringLiteral("\tx"));
    const int before = xOf(*control, 1);
    const std::optional<PropertyError> error = control->setTabStops(QStringLiteral("8,a"));
    QVERIFY(error);
    QCOMPARE(error->Number, 13);
    QCOMPARE(control->TabStops(), QStringLiteral("8,a"));
    QCOMPARE(xOf(*control, 1), before);
}

void TstTextEx::fontObjectIsShared()
{
    auto control = shownControl();
    control->setText(QStringLiteral("iiiiMMMM"));
    QCOMPARE(xOf(*control, 4) - xOf(*control, 0), xOf(*control, 8) - xOf(*control, 4));

    Recorder recorder(*control);
    std::shared_ptr<StdFont> font = control->Font();
    font->setName(QStringLiteral("Lucida Sans"));
    QCOMPARE(control->Font()->Name(), QStringLiteral("Lucida Sans"));
    QVERIFY(xOf(*control, 4) - xOf(*control, 0) < xOf(*control, 8) - xOf(*control, 4));
    QCOMPARE(recorder.properties.count(), 0);

    auto other = std::make_shared<StdFont>();
    other->setName(QStringLiteral("Lucida Console"));
    control->setFont(other);
    QCOMPARE(recorder.propertyNames(), QStringList{QStringLiteral("Font")});
    other->setSize(20);
    QCOMPARE(control->Font()->Size(), 20.0);
    QCOMPARE(xOf(*control, 4) - xOf(*control, 0), xOf(*control, 8) - xOf(*control, 4));
    font->setName(QStringLiteral("MS Sans Serif"));
    QCOMPARE(xOf(*control, 4) - xOf(*control, 0), xOf(*control, 8) - xOf(*control, 4));
}

void TstTextEx::scrollBarPolicies_data()
{
    QTest::addColumn<int>("scrollBars");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");

    QTest::newRow("no bars") << 0 << false << int(Qt::ScrollBarAlwaysOff) << int(Qt::ScrollBarAlwaysOff);
    QTest::newRow("both bars always") << 3 << false << int(Qt::ScrollBarAlwaysOn) << int(Qt::ScrollBarAlwaysOn);
    QTest::newRow("both bars when needed") << 3 << true << int(Qt::ScrollBarAsNeeded) << int(Qt::ScrollBarAsNeeded);
    QTest::newRow("wrapping needs no horizontal bar") << 2 << true << int(Qt::ScrollBarAlwaysOff)
                                                      << int(Qt::ScrollBarAsNeeded);
    QTest::newRow("horizontal only") << 1 << false << int(Qt::ScrollBarAlwaysOn) << int(Qt::ScrollBarAlwaysOff);
}

void TstTextEx::scrollBarPolicies()
{
    QFETCH(int, scrollBars);
    QFETCH(bool, automatic);
    QFETCH(int, horizontal);
    QFETCH(int, vertical);

    auto control = shownControl(scrollBars);
    control->setScrollBarsAutomatic(automatic);
    control->setText(QStringLiteral("a\r\nb"));
    QCOMPARE(int(editorOf(*control)->horizontalScrollBarPolicy()), horizontal);
    QCOMPARE(int(editorOf(*control)->verticalScrollBarPolicy()), vertical);
}

void TstTextEx::automaticBarsShowWhenNeeded_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");

    const QString longLine(300, QLatin1Char('m'));
    QString manyLines;
    for (int line = 0; line < 100; ++line)
        manyLines += QStringLiteral("line\r\n");
    QTest::newRow("short text needs no bar") << QStringLiteral("a\r\nb") << 400 << false << false;
    QTest::newRow("long line needs the horizontal bar") << longLine << 400 << true << false;
    QTest::newRow("long line after character 5,000 too")
        << QString(6000, QLatin1Char('\n')) + longLine << 400 << true << true;
    QTest::newRow("widened box no longer needs it") << longLine << 4000 << false << false;
    QTest::newRow("many lines need the vertical bar") << manyLines << 400 << false << true;
}

void TstTextEx::automaticBarsShowWhenNeeded()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);

    auto control = shownControl(3);
    control->setScrollBarsAutomatic(true);
    control->setText(text);
    control->setSelStart(control->TextLength());
    // The editor measures lines as it paints them, and the scroll area shows or hides
    // its bars from the event loop after their ranges change.
    editorOf(*control)->viewport()->repaint();
    QCoreApplication::processEvents();
    control->resize(width, 300);
    editorOf(*control)->viewport()->repaint();
    QTRY_COMPARE(editorOf(*control)->horizontalScrollBar()->isVisible(), horizontal);
    QTRY_COMPARE(editorOf(*control)->verticalScrollBar()->isVisible(), vertical);
}

void TstTextEx::loadsDefaultsFromEmptySet()
{
    QWidget host;
    host.setFont(QFont(QStringLiteral("DejaVu Serif"), 11));
    TextEx control(&host);
    control.setObjectName(QStringLiteral("txtSample"));
    Recorder recorder(control);
    QVERIFY(!control.ReadProperties(PropertyBag()));
    QCOMPARE(control.Text(), QStringLiteral("txtSample"));
    QCOMPARE(control.MultiLine(), false);
    QCOMPARE(control.ScrollBars(), 0);
    QCOMPARE(control.ScrollBarsAutomatic(), true);
    QCOMPARE(control.OLEDropMode(), 0);
    QCOMPARE(control.TabStops(), QStringLiteral("32"));
    QCOMPARE(control.Font()->Name(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(control.Font()->Size(), 11.0);
    QCOMPARE(recorder.changes.count(), 1);
}

void TstTextEx::loadsTheWindowsStoredSet()
{
    PropertyBag stored;
    stored.WriteProperty(QStringLiteral("MultiLine"), true, false);
    stored.WriteProperty(QStringLiteral("Text"), QString(), QStringLiteral("txtDocument"));
    stored.WriteProperty(QStringLiteral("Font"),
                         QVariantMap{{QStringLiteral("Name"), QStringLiteral("MS Sans Serif")},
                                     {QStringLiteral("Size"), 8.25},
                                     {QStringLiteral("Weight"), 400}});
    stored.WriteProperty(QStringLiteral("OLEDropMode"), 1, 0);

    TextEx control;
    control.setObjectName(QStringLiteral("txtDocument"));
    Recorder recorder(control);
    QVERIFY(!control.ReadProperties(stored));
    QCOMPARE(control.Text(), QString());
    QCOMPARE(control.MultiLine(), true);
    QCOMPARE(control.ScrollBars(), 0);
    QCOMPARE(control.OLEDropMode(), 1);
    QCOMPARE(control.Font()->Name(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(control.Font()->Size(), 8.25);
    // Loading writes the text into the one-line box, then switches once to the wrapping one.
    QCOMPARE(recorder.changes.count(), 2);

    PropertyBag saved;
    control.WriteProperties(saved);
    QCOMPARE(saved.keys(), (QStringList{QStringLiteral("MultiLine"), QStringLiteral("Text"),
                                        QStringLiteral("Font"), QStringLiteral("OLEDropMode")}));
}

void TstTextEx::savesOnlyDifferencesFromDefaults()
{
    TextEx control;
    control.setObjectName(QStringLiteral("txtSample"));
    control.InitProperties();
    PropertyBag saved;
    control.WriteProperties(saved);
    QCOMPARE(saved.count(), 0);

    control.setScrollBarsAutomatic(false);
    control.setTabStops(QStringLiteral("16"));
    control.WriteProperties(saved);
    QCOMPARE(saved.keys(), (QStringList{QStringLiteral("ScrollBarsAutomatic"), QStringLiteral("TabStops")}));
    QCOMPARE(saved.ReadProperty(QStringLiteral("tabstops")).toString(), QStringLiteral("16"));
}

void TstTextEx::loadStopsAtBadTabStops()
{
    PropertyBag stored;
    stored.WriteProperty(QStringLiteral("MultiLine"), true, false);
    stored.WriteProperty(QStringLiteral("TabStops"), QStringLiteral("8,x"), 32);
    TextEx control;
    const std::optional<PropertyError> error = control.ReadProperties(stored);
    QVERIFY(error);
    QCOMPARE(error->Number, 13);
    QCOMPARE(control.TabStops(), QStringLiteral("8,x"));
}

QTEST_MAIN(TstTextEx)
#include "tst_textex.moc"
