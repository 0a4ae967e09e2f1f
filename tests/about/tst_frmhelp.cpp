#include "frmHelp.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
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

    void quotedTexts_data();
    void quotedTexts();
    void describedTextsEndWithTheirLeadIns();
    void versionLine();
    void linksAreWebAddresses();
    void hover_data();
    void hover();
    void movingAgainAfterATickBringsTheHandBack();
    void clickOpensTheLinkText_data();
    void clickOpensTheLinkText();
    void linkThatCannotBeOpenedShowsNothing();
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

void TestFrmHelp::quotedTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("Label7") << "Label7"
        << "Enter the text to search in the Search Text box. Use the File menu to open "
           "existing files or save to a file, or drag and drop a file into the Search Text to "
           "replace the search text with the file's contents. You will be prompted to save if "
           "the current text has not been saved. To enter a tab character, press Ctrl-Tab.";
    QTest::newRow("Label8 ends with a blank") << "Label8"
        << "Enter the text to search for in the Regular Expression field. Click Find Next to "
           "find the next match or Find Previous to find the previous one. Searching starts at "
           "the current cursor location in the Search Text. If the beginning or end of the text "
           "is reached, the search wraps around. The number of matches will be listed above "
           "the Find button. ";
    QTest::newRow("Label4") << "Label4"
        << "Click Replace to replace the selected text in the Search Text box with the text in "
           "the Replace With box. Use Ctrl-Enter to add a new line to the Replace text, or "
           "Ctrl-Tab to add a tab character. Click Replace All to replace all matches with the "
           "replace text. When using Replace All, the Replace text may contain special syntax. "
           "See the Replace All Syntax at the bottom of the Regular Expression Syntax "
           "documentation pane (Options menu | Show Syntax). If the regular expression uses "
           "submatches, they will be shown in the Sub-Matches list.";
    QTest::newRow("Label9") << "Label9"
        << "Regular expressions are case-sensitive unless the Ignore Case checkbox is selected.";
    QTest::newRow("Label10") << "Label10"
        << "The Format menu allows word-wrap mode to be enabled or disabled. Also the font can "
           "be toggled between Lucida Sans (proportional) and Lucida Console (fixed width) to "
           "line up columns of text.";
    QTest::newRow("Label11") << "Label11"
        << "The current options are saved to an INI file in the program directory by default. "
           "The Options menu allows saving to the registry or not saving settings.";
}

void TestFrmHelp::quotedTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QVERIFY(label(name));
    QCOMPARE(label(name)->text(), text);
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
