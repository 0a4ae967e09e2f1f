// Case conversion in the window's replacements, and the Test Cases window beside it.

#include "testcases/frmTestCases.h"
#include "WindowFixture.h"

#include <QMenuBar>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

class tst_WindowTestCases : public QObject {
    Q_OBJECT
private slots:
    void shortcutsStayUnique();
    void caseConversionIsAnOptionOfTheReplacements();
    void testCasesFollowTheMainWindow();
    void anOpenedFileFillsTheMainWindow();
};

// No two items of the menu bar answer to the same key.
void tst_WindowTestCases::shortcutsStayUnique()
{
    WindowFixture f;
    QHash<QKeySequence, QString> owners;
    for (const QAction* action : f.window->menuBar()->findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            QVERIFY2(!owners.contains(key), qPrintable(owners.value(key) + u" and "_s + action->objectName()));
            owners.insert(key, action->objectName());
        }
    }
}

void tst_WindowTestCases::caseConversionIsAnOptionOfTheReplacements()
{
    QTemporaryDir programFolder;
    {
        WindowFixture f(programFolder.path());
        QVERIFY(!f.item("mnuToolsCaseConversion")->isChecked());
        f.prepare(u"ab cd"_s, u"(\\w)(\\w)"_s);
        f.replaceWith()->setText(u"\\u$1$2"_s);
        f.click("cmdReplaceAll");
        QCOMPARE(f.document()->Text(), u"\\uab \\ucd"_s);
        f.trigger("mnuToolsCaseConversion");
        f.prepare(u"ab cd"_s, u"(\\w)(\\w)"_s);
        f.click("cmdReplaceAll");
        QCOMPARE(f.document()->Text(), u"Ab Cd"_s);
        // Replace and Find Next expands the replacement as Replace All does.
        f.prepare(u"ab cd"_s, u"(\\w)(\\w)"_s, 3, 2);
        f.trigger("mnuToolsReplaceAndFindNext");
        QCOMPARE(f.document()->Text(), u"ab Cd"_s);
        f.messages.answers.append(MessageAnswer::No); // the changed text is not saved
        QVERIFY(f.window->close());
    }
    WindowFixture again(programFolder.path());
    QVERIFY(again.item("mnuToolsCaseConversion")->isChecked());
    again.prepare(u"ab"_s, u"(\\w)(\\w)"_s);
    again.click("cmdReplaceAll");
    QCOMPARE(again.document()->Text(), u"Ab"_s);
}

void tst_WindowTestCases::testCasesFollowTheMainWindow()
{
    WindowFixture f;
    QCOMPARE(f.item("mnuToolsTestCases")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    f.trigger("mnuToolsTestCases");
    auto* testCases = f.window->findChild<frmTestCases*>();
    QVERIFY(testCases && testCases->isVisible());
    testCases->setCases({{u"ab"_s, Expectation::ReplaceGives, u"Ab"_s}});
    f.pattern()->setEditText(u"\\w+"_s);
    QTRY_COMPARE(testCases->summary(), u"0 of 1 pass"_s);
    f.replaceWith()->setText(u"\\u$&"_s);
    QTRY_COMPARE(testCases->summary(), u"0 of 1 pass"_s);
    f.trigger("mnuToolsCaseConversion");
    QTRY_COMPARE(testCases->summary(), u"1 of 1 pass"_s);
    f.pattern()->setEditText(u"B"_s);
    f.replaceWith()->setText(u"\\l$&"_s);
    QTRY_COMPARE(testCases->summary(), u"0 of 1 pass"_s);
    f.ignoreCase()->setChecked(true);
    f.replaceWith()->setText(u"\\U$&"_s);
    QTRY_COMPARE(testCases->summary(), u"0 of 1 pass"_s);
    QCOMPARE(testCases->suite().pattern, u"B"_s);
    QVERIFY(testCases->suite().ignoreCase);
    QCOMPARE(testCases->suite().replacement, u"\\U$&"_s);

    testCases->close();
    QVERIFY(!f.item("mnuToolsTestCases")->isChecked());
}

void tst_WindowTestCases::anOpenedFileFillsTheMainWindow()
{
    WindowFixture f;
    f.trigger("mnuToolsTestCases");
    auto* testCases = f.window->findChild<frmTestCases*>();
    emit testCases->suiteOpened(TestSuite{u"a+"_s, true, u"x\ny"_s, true, {}});
    QCOMPARE(f.pattern()->currentText(), u"a+"_s);
    QVERIFY(f.ignoreCase()->isChecked());
    QCOMPARE(f.replaceWith()->text(), u"x\r\ny"_s);
    QVERIFY(f.item("mnuToolsCaseConversion")->isChecked());
}

QTEST_MAIN(tst_WindowTestCases)
#include "tst_windowtestcases.moc"
