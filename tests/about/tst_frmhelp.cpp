#include "about/frmHelp.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

class RecordingLinkOpener final : public ILinkOpener {
public:
    explicit RecordingLinkOpener(QStringList& opened, bool succeeds = true)
        : mOpened(opened), mSucceeds(succeeds)
    {
    }

    bool openLink(const QString& address) override
    {
        mOpened.append(address);
        return mSucceeds;
    }

private:
    QStringList& mOpened;
    bool mSucceeds;
};

enum class Pointer { InsideLink, OnRightEdgeOfLink, BelowLinks, OutsideWindow };

} // namespace

Q_DECLARE_METATYPE(Pointer)

class TestFrmHelp : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void describedTextsEndWithTheirLeadIns();
    void versionLine();
    void linksAreWebAddresses();
    void hover_data();
    void hover();
    void movingAgainAfterATickBringsTheHandBack();
    void clickOpensTheLinkText_data();
    void clickOpensTheLinkText();
    void linkThatCannotBeOpenedShowsNothing();
    void keyboard_data();
    void keyboard();
    void onlyOneAboutWindow();
    void reopeningAfterCloseLoadsAgain();

private:
    QLabel* label(const QString& name) const { return mWindow->findChild<QLabel*>(name); }
    QLabel* link(int index) const { return label(QStringLiteral("lblURL%1").arg(index)); }
    void moveOver(int index);
    void tick();

    QStringList mOpened;
    std::unique_ptr<frmHelp> mWindow;
};

void TestFrmHelp::init()
{
    mOpened.clear();
    mWindow = std::make_unique<frmHelp>(std::make_unique<RecordingLinkOpener>(mOpened));
    mWindow->move(100, 100);
    mWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
}

void TestFrmHelp::cleanup()
{
    mWindow.reset();
}

void TestFrmHelp::moveOver(int index)
{
    QLabel* target = link(index);
    const QPoint at(2, target->height() / 2);
    QCursor::setPos(target->mapToGlobal(at));
    QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

void TestFrmHelp::tick()
{
    QVERIFY(QMetaObject::invokeMethod(mWindow->findChild<QTimer*>("tmrURL"), "timeout"));
}

void TestFrmHelp::describedTextsEndWithTheirLeadIns()
{
    QCOMPARE(mWindow->windowTitle(), QStringLiteral("Help"));
    QVERIFY(label("Label1")->text().contains("PCRE2"));
    QVERIFY(label("Label1")->text().endsWith(
        "See the following for regular expression documentation:"));
    QVERIFY(label("Label5")->text().endsWith("Use the Options menu to show or hide the syntax."));
}

void TestFrmHelp::versionLine()
{
    QVERIFY(label("lblVersion")->text().startsWith(
        QStringLiteral("Sifta version " SIFTA_EXPECTED_VERSION " ")));
}

void TestFrmHelp::linksAreWebAddresses()
{
    for (int index = 0; index < 3; ++index) {
        const QUrl url(link(index)->text(), QUrl::StrictMode);
        QVERIFY2(url.isValid() && url.scheme() == "https", qPrintable(link(index)->text()));
    }
}

void TestFrmHelp::hover_data()
{
    QTest::addColumn<QList<int>>("movedOver");
    QTest::addColumn<Pointer>("pointer");
    QTest::addColumn<int>("pointerLink");
    QTest::addColumn<QList<bool>>("underlined");

    QTest::newRow("pointer resting on the link keeps it underlined")
        << QList<int>{1} << Pointer::InsideLink << 1 << QList<bool>{false, true, false};
    QTest::newRow("point on the right edge counts as inside")
        << QList<int>{2} << Pointer::OnRightEdgeOfLink << 2 << QList<bool>{false, false, true};
    QTest::newRow("pointer left the link") << QList<int>{1} << Pointer::BelowLinks << 1
                                           << QList<bool>{false, false, false};
    QTest::newRow("pointer left the window") << QList<int>{0} << Pointer::OutsideWindow << 0
                                             << QList<bool>{false, false, false};
    QTest::newRow("moved from one link onto another")
        << QList<int>{1, 2} << Pointer::InsideLink << 2 << QList<bool>{false, false, true};
}

void TestFrmHelp::hover()
{
    QFETCH(QList<int>, movedOver);
    QFETCH(Pointer, pointer);
    QFETCH(int, pointerLink);
    QFETCH(QList<bool>, underlined);

    for (int index : movedOver) {
        moveOver(index);
        QVERIFY(link(index)->font().underline());
        QCOMPARE(link(index)->cursor().shape(), Qt::PointingHandCursor);
    }
    QTimer* timer = mWindow->findChild<QTimer*>("tmrURL");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 100);

    QLabel* target = link(pointerLink);
    switch (pointer) {
    case Pointer::InsideLink:
        QCursor::setPos(target->mapToGlobal(QPoint(3, 3)));
        break;
    case Pointer::OnRightEdgeOfLink:
        QCursor::setPos(target->mapToGlobal(QPoint(target->width(), 1)));
        break;
    case Pointer::BelowLinks:
        QCursor::setPos(mWindow->mapToGlobal(QPoint(2, mWindow->height() - 2)));
        break;
    case Pointer::OutsideWindow:
        QCursor::setPos(mWindow->mapToGlobal(QPoint(mWindow->width() + 50, -50)));
        break;
    }
    tick();

    for (int index = 0; index < 3; ++index) {
        QCOMPARE(link(index)->font().underline(), underlined[index]);
        QCOMPARE(link(index)->cursor().shape(), Qt::ArrowCursor);
    }
    QVERIFY(!timer->isActive());
}

void TestFrmHelp::movingAgainAfterATickBringsTheHandBack()
{
    moveOver(1);
    tick();
    QCOMPARE(link(1)->cursor().shape(), Qt::ArrowCursor);

    moveOver(1);

    QCOMPARE(link(1)->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(mWindow->findChild<QTimer*>("tmrURL")->isActive());
}

void TestFrmHelp::clickOpensTheLinkText_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("home page") << 0;
    QTest::newRow("syntax documentation") << 1;
    QTest::newRow("encyclopaedia article") << 2;
}

void TestFrmHelp::clickOpensTheLinkText()
{
    QFETCH(int, index);
    QTest::mouseClick(link(index), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(mOpened, QStringList{link(index)->text()});
}

void TestFrmHelp::linkThatCannotBeOpenedShowsNothing()
{
    QStringList opened;
    frmHelp window(std::make_unique<RecordingLinkOpener>(opened, false));
    window.show();
    const qsizetype windows = QApplication::topLevelWidgets().size();

    QTest::mouseClick(window.findChild<QLabel*>("lblURL1"), Qt::LeftButton, {}, QPoint(3, 3));

    QCOMPARE(opened.size(), 1);
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
}

void TestFrmHelp::keyboard_data()
{
    QTest::addColumn<int>("tabs"); // presses of Tab after the window opened
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("opened"); // the link opened, -1 for none
    QTest::addColumn<bool>("open");  // the window still open

    QTest::newRow("Tab, Enter opens the home page") << 1 << int(Qt::Key_Return) << 0 << true;
    QTest::newRow("Tab twice, Space opens the syntax documentation") << 2 << int(Qt::Key_Space) << 1 << true;
    QTest::newRow("Tab three times, Enter opens the article") << 3 << int(Qt::Key_Enter) << 2 << true;
    QTest::newRow("Escape on a link closes the window") << 2 << int(Qt::Key_Escape) << -1 << false;
    QTest::newRow("Escape at once closes the window") << 0 << int(Qt::Key_Escape) << -1 << false;
}

void TestFrmHelp::keyboard()
{
    QFETCH(int, tabs);
    QFETCH(int, key);
    QFETCH(int, opened);
    QFETCH(bool, open);

    mWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mWindow.get()));
    // No link looks chosen before the first Tab.
    QCOMPARE(QApplication::focusWidget(), mWindow.get());
    for (int i = 0; i < tabs; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (tabs > 0) {
        QCOMPARE(QApplication::focusWidget(), link(tabs - 1));
        QVERIFY(link(tabs - 1)->font().underline());
        // A tick of the hover timer with the pointer elsewhere keeps the focused link underlined.
        QCursor::setPos(mWindow->mapToGlobal(QPoint(mWindow->width() + 50, -50)));
        tick();
        QVERIFY(link(tabs - 1)->font().underline());
    }

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(mOpened, opened < 0 ? QStringList() : QStringList{link(opened)->text()});
    QCOMPARE(mWindow->isVisible(), open);
}

void TestFrmHelp::onlyOneAboutWindow()
{
    frmHelp* first = frmHelp::showAbout();
    first->findChild<QLabel*>("lblVersion")->setText("kept");

    frmHelp* second = frmHelp::showAbout();

    QCOMPARE(second, first);
    QVERIFY(second->isVisible());
    QVERIFY(!second->parent());
    QCOMPARE(second->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("kept"));
    first->close();
}

void TestFrmHelp::reopeningAfterCloseLoadsAgain()
{
    QPointer<frmHelp> first = frmHelp::showAbout();
    first->findChild<QLabel*>("lblVersion")->setText("changed");
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);

    frmHelp* second = frmHelp::showAbout();

    QVERIFY(second->findChild<QLabel*>("lblVersion")->text().startsWith("Sifta version "));
    second->close();
}

QTEST_MAIN(TestFrmHelp)
#include "tst_frmhelp.moc"
