#include "debugger/StepProfile.h"
#include "testcases/frmTestCases.h"
#include "translations/CountText.h"
#include "translations/Translations.h"
#include "WindowFixture.h"

#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

/// The window as it starts in a German locale (LANG=de_DE.UTF-8, set by the test's
/// environment): Sifta's texts and Qt's own in German, counts in the German plural.
class tst_GermanWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void captions_data();
    void captions();
    void noMatchMessage();
    void testCasesWindow();
    void plural_data();
    void plural();
    void stepSummaryPlural_data();
    void stepSummaryPlural();
    void qtOwnTexts();
};

void tst_GermanWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(installTranslations(*QCoreApplication::instance(), QLocale::system()).startsWith(QLatin1String("de")));
}

void tst_GermanWindow::captions_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");

    QTest::newRow("button") << QStringLiteral("cmdFind") << QStringLiteral("&Weitersuchen");
    QTest::newRow("label") << QStringLiteral("lblSearchText") << QStringLiteral("&Suchtext");
    QTest::newRow("menu") << QStringLiteral("mnuFile") << QStringLiteral("&Datei");
    QTest::newRow("status line") << QStringLiteral("lblCursor") << QStringLiteral("Zeile: 0    Spalte: 0    Länge: 0");
}

void tst_GermanWindow::captions()
{
    QFETCH(QString, control);
    QFETCH(QString, caption);

    WindowFixture f;
    QObject* object = f.window->findChild<QObject*>(control);
    QVERIFY(object);
    const QString shown = object->property("text").isValid() ? object->property("text").toString()
                                                              : object->property("title").toString();
    QCOMPARE(shown, caption);
}

void tst_GermanWindow::noMatchMessage()
{
    WindowFixture f;
    f.prepare(QStringLiteral("abc"), QStringLiteral("z"));
    f.button("cmdFind")->click();
    QTRY_COMPARE(f.messages.texts(), QStringList{QStringLiteral("Keine Treffer gefunden")});
}

void tst_GermanWindow::testCasesWindow()
{
    WindowFixture f;
    f.trigger("mnuToolsTestCases");
    auto* testCases = f.window->findChild<frmTestCases*>();
    QVERIFY(testCases);
    QCOMPARE(testCases->windowTitle(), QStringLiteral("Testfälle"));
    auto* add = testCases->findChild<QPushButton*>(QStringLiteral("cmdAdd"));
    QVERIFY(add);
    QCOMPARE(add->accessibleName(), QStringLiteral("Hinzufügen"));
}

void tst_GermanWindow::plural_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one, singular") << qint64(1) << QStringLiteral("1 Ersetzung");
    QTest::newRow("none, plural") << qint64(0) << QStringLiteral("0 Ersetzungen");
    QTest::newRow("grouped the German way") << qint64(1234) << QStringLiteral("1.234 Ersetzungen");
}

void tst_GermanWindow::plural()
{
    QFETCH(qint64, count);
    QFETCH(QString, expected);
    QCOMPARE(countText(QT_TRANSLATE_N_NOOP("Count", "%1 replacement(s)"), count, QLocale(QLocale::German, QLocale::Germany)),
             expected);
}

void tst_GermanWindow::stepSummaryPlural_data()
{
    QTest::addColumn<quint64>("steps");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one, singular") << quint64(1) << QStringLiteral("1 Schritt an Position 0, von 10 erlaubten");
    QTest::newRow("two, plural") << quint64(2) << QStringLiteral("2 Schritte an Position 0, von 10 erlaubten");
}

void tst_GermanWindow::stepSummaryPlural()
{
    QFETCH(quint64, steps);
    QFETCH(QString, expected);
    StepProfile profile;
    profile.total = steps;
    profile.budget = 10;
    profile.start = 0;
    QCOMPARE(profile.summary(), expected);
}

void tst_GermanWindow::qtOwnTexts()
{
    // The buttons of Qt's standard dialogs come from Qt's own German translation.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
}

QTEST_MAIN(tst_GermanWindow)
#include "tst_germanwindow.moc"
