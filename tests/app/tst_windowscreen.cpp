// The window fits the free area of its screen. This test runs at twice the scale, where
// the designed window is larger than the offscreen screen.

#include "window/ScreenFit.h"
#include "explain/frmExplain.h"
#include "matches/frmMatches.h"
#include "support/ScriptedFileDialog.h"
#include "WindowFixture.h"

#include <QFrame>
#include <QScreen>

using namespace Qt::StringLiterals;

class tst_WindowScreen : public QObject {
    Q_OBJECT

private slots:
    void fitInside_data();
    void fitInside();
    void windowFitsTheScreen_data();
    void windowFitsTheScreen();
    void toolWindowsFitTheScreen_data();
    void toolWindowsFitTheScreen();
};

void tst_WindowScreen::fitInside_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("fitted");

    const QRect screen(0, 0, 800, 600);
    QTest::newRow("inside: unchanged") << QRect(10, 10, 100, 100) << screen << QRect(10, 10, 100, 100);
    QTest::newRow("too tall: as tall as the area, at its top") << QRect(10, 50, 100, 700) << screen
                                                                << QRect(10, 0, 100, 600);
    QTest::newRow("too wide and too tall: the whole area") << QRect(0, 0, 1000, 900) << screen << screen;
    QTest::newRow("past the bottom right: moved back") << QRect(750, 550, 100, 100) << screen
                                                       << QRect(700, 500, 100, 100);
    QTest::newRow("under the panels at the top left: moved out") << QRect(0, 0, 100, 100) << QRect(40, 30, 760, 570)
                                                                  << QRect(40, 30, 100, 100);
    QTest::newRow("no area: unchanged") << QRect(0, 0, 1000, 900) << QRect() << QRect(0, 0, 1000, 900);
}

void tst_WindowScreen::fitInside()
{
    QFETCH(QRect, frame);
    QFETCH(QRect, area);
    QFETCH(QRect, fitted);
    QCOMPARE(::fitInside(frame, area), fitted);
}

void tst_WindowScreen::windowFitsTheScreen_data()
{
    QTest::addColumn<QPoint>("moveTo"); // where the user drags the window before the pane comes back
    QTest::addColumn<bool>("paneAgain");

    QTest::newRow("at start") << QPoint() << false;
    QTest::newRow("syntax pane shown again low on the screen: moved up") << QPoint(0, 150) << true;
}

void tst_WindowScreen::windowFitsTheScreen()
{
    QFETCH(QPoint, moveTo);
    QFETCH(bool, paneAgain);

    WindowFixture f;
    QVERIFY(f.shown());
    const QRect area = f.window->screen()->availableGeometry();
    QVERIFY2(area.height() < 631, "the screen must be smaller than the designed window");

    if (paneAgain) {
        f.trigger("mnuOptionsShowSyntax");
        f.window->move(moveTo);
        f.trigger("mnuOptionsShowSyntax");
        QVERIFY(f.child<QFrame>("fraSyntax")->isVisible());
    }
    QVERIFY2(area.contains(f.window->frameGeometry()),
             qPrintable(QStringLiteral("%1 outside the screen").arg(QDebug::toString(f.window->frameGeometry()))));
}

void tst_WindowScreen::toolWindowsFitTheScreen_data()
{
    QTest::addColumn<QString>("window");

    QTest::newRow("Matches window with a long error") << u"frmMatches"_s;
    QTest::newRow("Explain Pattern window") << u"frmExplain"_s;
}

// The tool windows open at their design sizes, larger than this screen; a long error used to
// widen the Matches window past any screen.
void tst_WindowScreen::toolWindowsFitTheScreen()
{
    QFETCH(QString, window);

    RecordingMessageBox messages;
    ScriptedFileDialog dialogs;
    std::unique_ptr<QWidget> shown;
    if (window == u"frmMatches") {
        auto matches = std::make_unique<frmMatches>(messages, dialogs);
        matches->setStatus({PatternStatus::State::Invalid, 0, u"Error: "_s + u"too long a message "_s.repeated(20)});
        shown = std::move(matches);
    } else {
        shown = std::make_unique<frmExplain>();
    }
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
    const QRect area = shown->screen()->availableGeometry();
    QVERIFY2(area.contains(shown->frameGeometry()),
             qPrintable(QStringLiteral("%1 outside the screen").arg(QDebug::toString(shown->frameGeometry()))));
}

QTEST_MAIN(tst_WindowScreen)
#include "tst_windowscreen.moc"
