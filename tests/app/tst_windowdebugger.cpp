// Tools, Debug Pattern through the real window: the steps start at the caret or at the
// selected match, and the buttons move through them; the pattern box marks repeats that
// can match the same text in many ways; Explain Pattern counts the steps of each part.

#include "WindowFixture.h"
#include "debugger/StepTrace.h"
#include "debugger/frmDebugger.h"
#include "explain/frmExplain.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

struct DebuggerFixture : WindowFixture {
    frmDebugger* debugWindow() const { return window->findChild<frmDebugger*>(u"frmDebugger"_s); }

    /// Opens Debug Pattern and waits for its steps.
    bool debug() const
    {
        trigger("mnuToolsDebugPattern");
        QSignalSpy traced(debugWindow(), &frmDebugger::traced);
        return debugWindow()->trace() || traced.wait();
    }
    void clickInDebugger(const QString& name) const { debugWindow()->findChild<QPushButton*>(name)->click(); }
    QString debuggerLabel(const QString& name) const { return debugWindow()->findChild<QLabel*>(name)->text(); }
};

} // namespace

class tst_WindowDebugger : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startsAtTheCaretOrTheMatch_data();
    void startsAtTheCaretOrTheMatch();
    void buttonsMoveThroughTheSteps();
    void keyOpensItFromTheSearchText();
    void patternBoxWarnsOfAmbiguousRepeats_data();
    void patternBoxWarnsOfAmbiguousRepeats();
    void explainCountsStepsPerPart();

private:
    std::unique_ptr<DebuggerFixture> f;
};

void tst_WindowDebugger::init()
{
    f = std::make_unique<DebuggerFixture>();
    QVERIFY(f->shown());
}

void tst_WindowDebugger::cleanup()
{
    f.reset();
}

void tst_WindowDebugger::startsAtTheCaretOrTheMatch_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("firstPosition");
    QTest::addColumn<int>("matchStart"); // -1: no match

    QTest::newRow("caret: the search from there finds the next match") << 1 << 0 << 1 << 3;
    QTest::newRow("selected match: its start alone") << 3 << 2 << 3 << 3;
    QTest::newRow("selection that is no match: its start alone fails") << 1 << 2 << 1 << -1;
}

void tst_WindowDebugger::startsAtTheCaretOrTheMatch()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, firstPosition);
    QFETCH(int, matchStart);

    f->prepare(u"abcab"_s, u"ab"_s, start, length);
    QVERIFY(f->debug());
    const StepTrace* trace = f->debugWindow()->trace();
    QCOMPARE(trace->at(0).position, firstPosition);
    QCOMPARE(trace->outcome().matchStart, matchStart);
}

void tst_WindowDebugger::buttonsMoveThroughTheSteps()
{
    // a* takes both a's; b fails at 2; the next start positions backtrack.
    f->prepare(u"aac"_s, u"a*b"_s);
    QVERIFY(f->debug());
    QCOMPARE(f->debugWindow()->currentStep(), 0);
    QVERIFY(f->debuggerLabel(u"lblPattern"_s).contains(u">a*</span>"_s));
    f->clickInDebugger(u"cmdForward"_s);
    QCOMPARE(f->debugWindow()->currentStep(), 1);
    QVERIFY(f->debuggerLabel(u"lblPattern"_s).contains(u">b</span>"_s));
    f->clickInDebugger(u"cmdNextBacktrack"_s);
    QCOMPARE(f->debugWindow()->currentStep(), 2);
    f->clickInDebugger(u"cmdBack"_s);
    QCOMPARE(f->debugWindow()->currentStep(), 1);
    f->debugWindow()->findChild<QSpinBox*>(u"spnStep"_s)->setValue(8);
    f->clickInDebugger(u"cmdGo"_s);
    QCOMPARE(f->debugWindow()->currentStep(), 7);
    // The last step stays the last.
    f->clickInDebugger(u"cmdForward"_s);
    QCOMPARE(f->debugWindow()->currentStep(), 7);
    QVERIFY(f->debuggerLabel(u"lblStatus"_s).contains(u"no match"_s));
}

void tst_WindowDebugger::keyOpensItFromTheSearchText()
{
    f->prepare(u"abc"_s, u"b"_s);
    f->document()->hwnd()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(f->debugWindow());
    QVERIFY(f->debugWindow()->isVisible());
    // The editor took the key for nothing of its own.
    QCOMPARE(f->document()->Text(), u"abc"_s);
}

void tst_WindowDebugger::patternBoxWarnsOfAmbiguousRepeats_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("warned");

    QTest::newRow("nested repeat") << u"(a+)+$"_s << true;
    QTest::newRow("plain repeat") << u"\\d+"_s << false;
}

void tst_WindowDebugger::patternBoxWarnsOfAmbiguousRepeats()
{
    QFETCH(QString, pattern);
    QFETCH(bool, warned);

    f->pattern()->setEditText(pattern);
    QCOMPARE(!f->pattern()->lineEdit()->toolTip().isEmpty(), warned);
}

void tst_WindowDebugger::explainCountsStepsPerPart()
{
    f->prepare(u"xaaaa"_s, u"x(a+)+b"_s);
    f->trigger("mnuToolsExplainPattern");
    auto* explain = f->window->findChild<frmExplain*>(u"frmExplain"_s);
    explain->findChild<QPushButton*>(u"cmdCountSteps"_s)->click();
    auto* steps = explain->findChild<QLabel*>(u"lblSteps"_s);
    QTRY_VERIFY(!steps->text().isEmpty());
    // The repeated group holds its parts' steps: (, a+ sixteen times, )+ fifteen times.
    const QTreeWidget* tree = explain->findChild<QTreeWidget*>(u"tvwParts"_s);
    const QList<QTreeWidgetItem*> repeat = tree->findItems(u"(a+)+"_s, Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(repeat.size(), 1);
    QCOMPARE(repeat.front()->text(2), u"32"_s);
    QVERIFY(f->pattern()->lineEdit()->toolTip().contains(steps->text()));
}

QTEST_MAIN(tst_WindowDebugger)
#include "tst_windowdebugger.moc"
