// Tools, Explain Pattern through the real window: the tree follows the pattern box, a selected
// part is selected in the pattern box, an invalid pattern shows its message and place.

#include "DocumentWindowFixture.h"
#include "explain/frmExplain.h"

#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

struct ExplainFixture : DocumentWindowFixture {
    frmExplain* explainWindow() const { return window->findChild<frmExplain*>(u"frmExplain"_s); }
    QTreeWidget* parts() const { return explainWindow()->findChild<QTreeWidget*>(u"tvwParts"_s); }
    QLabel* explainLabel(const QString& name) const { return explainWindow()->findChild<QLabel*>(name); }

    /// The first column of the top-level items.
    QStringList topLevelParts() const
    {
        QStringList texts;
        for (int i = 0; i < parts()->topLevelItemCount(); ++i)
            texts.append(parts()->topLevelItem(i)->text(0));
        return texts;
    }
};

} // namespace

class tst_WindowExplain : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void treeFollowsThePattern_data();
    void treeFollowsThePattern();
    void selectedPartIsSelectedInThePatternBox();
    void openedByKeyAndRemembered();
    void opensWideEnoughForItsMeanings();

private:
    std::unique_ptr<ExplainFixture> f;
};

void tst_WindowExplain::init()
{
    f = std::make_unique<ExplainFixture>();
    QVERIFY(f->openWindow());
    QVERIFY(!f->explainWindow());
}

void tst_WindowExplain::cleanup()
{
    f.reset();
}

void tst_WindowExplain::treeFollowsThePattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("topLevel");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("place");

    QTest::newRow("valid pattern: its parts") << u"ab(c|d)+$"_s << QStringList{u"ab"_s, u"(c|d)+"_s, u"$"_s}
                                              << u"Selecting a part selects it in the pattern box."_s << QString();
    QTest::newRow("unclosed group: the message, its parenthesis marked")
        << u"x(a<b"_s << QStringList{u"("_s} << u"Expected ')' in regular expression"_s
        << u"x<span style=\"background-color:#c62828; color:#ffffff; font-weight:bold\">(</span>a&lt;b"_s;
    QTest::newRow("quantifier error: the window's own message") << u"a**"_s << QStringList{u"*"_s}
        << u"Error: Unexpected quantifier 5018"_s
        << u"a*<span style=\"background-color:#c62828; color:#ffffff; font-weight:bold\">*</span>"_s;
    QTest::newRow("a space shows as a dot") << u"x +"_s << QStringList{u"x"_s, u"\u00B7+"_s}
                                            << u"Selecting a part selects it in the pattern box."_s << QString();
    QTest::newRow("empty pattern") << QString() << QStringList()
                                   << u"The pattern is empty: it matches at every position."_s << QString();
}

void tst_WindowExplain::treeFollowsThePattern()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, topLevel);
    QFETCH(QString, message);
    QFETCH(QString, place);

    f->pattern()->setEditText(u"(first"_s);
    f->trigger("mnuToolsExplainPattern");
    QVERIFY(f->explainWindow()->isVisible());
    QVERIFY(f->item("mnuToolsExplainPattern")->isChecked());
    QCOMPARE(f->explainLabel(u"lblMessage"_s)->text(), u"Expected ')' in regular expression"_s);

    f->pattern()->setEditText(pattern);
    QCOMPARE(f->topLevelParts(), topLevel);
    QCOMPARE(f->explainLabel(u"lblMessage"_s)->text(), message);
    QCOMPARE(f->explainLabel(u"lblPlace"_s)->isVisibleTo(f->explainWindow()), !place.isEmpty());
    QCOMPARE(f->explainLabel(u"lblPlace"_s)->text(), place);
}

void tst_WindowExplain::selectedPartIsSelectedInThePatternBox()
{
    f->pattern()->setEditText(u"ab(c|d)+"_s);
    f->trigger("mnuToolsExplainPattern");
    QLineEdit* box = f->pattern()->lineEdit();
    box->setCursorPosition(8);
    // Typing rebuilds the tree, which leaves the pattern box's selection alone.
    f->pattern()->setEditText(u"ab(c|d)+e"_s);
    QVERIFY(!box->hasSelectedText());

    QTreeWidgetItem* group = f->parts()->topLevelItem(1)->child(0);
    QCOMPARE(group->text(0), u"(c|d)"_s);
    f->parts()->setCurrentItem(group);
    QCOMPARE(box->selectionStart(), 2);
    QCOMPARE(box->selectedText(), u"(c|d)"_s);
    f->parts()->setCurrentItem(group->child(1));
    QCOMPARE(box->selectedText(), u"d"_s);
    QCOMPARE(f->pattern()->currentText(), u"ab(c|d)+e"_s);
}

void tst_WindowExplain::openedByKeyAndRemembered()
{
    QTest::keyClick(f->pattern(), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(f->explainWindow() && f->explainWindow()->isVisible());
    f->explainWindow()->resize(432, 234);
    QVERIFY(f->window->close());
    QVERIFY(f->contentOf(u"Settings.ini"_s).contains("ExplainPattern=-1"));

    QVERIFY(f->openWindow());
    QVERIFY(f->explainWindow()->isVisible());
    QVERIFY(f->item("mnuToolsExplainPattern")->isChecked());
    QCOMPARE(f->explainWindow()->size(), QSize(432, 234));
    // Closing the window takes the mark off, and it stays closed at the next start.
    QVERIFY(f->explainWindow()->close());
    QVERIFY(!f->item("mnuToolsExplainPattern")->isChecked());
    QVERIFY(f->window->close());
    QVERIFY(f->contentOf(u"Settings.ini"_s).contains("ExplainPattern=0"));
}

// Beside a window that leaves little room on the screen, it used to open too narrow for its
// meanings, which then had to be scrolled to.
void tst_WindowExplain::opensWideEnoughForItsMeanings()
{
    f->pattern()->setEditText(u"(a (b)) +x"_s);
    f->trigger("mnuToolsExplainPattern");
    QVERIFY(QTest::qWaitForWindowExposed(f->explainWindow()));
    QTRY_COMPARE(f->parts()->horizontalScrollBar()->maximum(), 0);
    QVERIFY(f->explainWindow()->screen()->availableGeometry().contains(f->explainWindow()->frameGeometry()));
}

QTEST_MAIN(tst_WindowExplain)
#include "tst_windowexplain.moc"
