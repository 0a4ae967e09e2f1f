// The window's design, its layout in pixels, and the Format and Options commands.

#include "window/SyntaxText.h"
#include "textex/FontFaces.h"
#include "WindowFixture.h"

#include <QFile>
#include <QFrame>

class tst_WindowOptions : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fonts();
    void menuItems_data();
    void menuItems();
    void designPlacementInPixels_data();
    void designPlacementInPixels();
    void startState();
    void smallWindowLaysOutForTheMinimum();

    void wordWrapTwice();
    void proportionalFontOnlyOnTheDocument();
    void showSyntaxChangesHeightAndBack();
    void saveToINIWithUnwritableFolder();
    void saveToINIWithWritableFolder();
    void saveToRegistryTwice();

private:
    int pixels(int twips) const { return qRound(twips * f->window->logicalDpiY() / 1440.0); }
    std::unique_ptr<WindowFixture> f;
};

void tst_WindowOptions::init()
{
    f = std::make_unique<WindowFixture>();
    QVERIFY(f->shown());
}

void tst_WindowOptions::cleanup()
{
    f.reset();
}

void tst_WindowOptions::fonts()
{
    const QList<QWidget*> fixed = {f->pattern(), f->replaceWith(), f->subMatches(),
                                   f->child<QWidget>("txtSyntax")};
    for (QWidget* widget : fixed) {
        QCOMPARE(widget->font().family(), QStringLiteral("Lucida Console"));
        QCOMPARE(widget->font().pointSizeF(), 9.0);
        QVERIFY2(QFontInfo(widget->font()).fixedPitch(), qPrintable(widget->objectName()));
    }
    QCOMPARE(f->child<MultiLineBox>("txtSyntax")->text(), syntaxText());
    QVERIFY(f->child<MultiLineBox>("txtSyntax")->isReadOnly());
    QCOMPARE(f->document()->Font()->Name(), QStringLiteral("Lucida Console"));
    QCOMPARE(f->document()->Font()->Size(), 8.25);
}

void tst_WindowOptions::menuItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<int>("mark"); // -1 no check mark, 0 cleared, 1 set

    QTest::newRow("mnuFileNew") << "mnuFileNew" << "&New" << "Ctrl+N" << -1;
    QTest::newRow("mnuFileOpen") << "mnuFileOpen" << "&Open..." << "Ctrl+O" << -1;
    QTest::newRow("mnuFileSave") << "mnuFileSave" << "&Save" << "Ctrl+S" << -1;
    QTest::newRow("mnuFileSaveAs") << "mnuFileSaveAs" << "Save &As..." << "" << -1;
    QTest::newRow("mnuFileExit") << "mnuFileExit" << "E&xit" << "" << -1;
    QTest::newRow("mnuEditCut") << "mnuEditCut" << "Cu&t" << "Ctrl+X" << -1;
    QTest::newRow("mnuEditCopy") << "mnuEditCopy" << "&Copy" << "Ctrl+C" << -1;
    QTest::newRow("mnuEditPaste") << "mnuEditPaste" << "&Paste" << "Ctrl+V" << -1;
    QTest::newRow("mnuEditSelectAll") << "mnuEditSelectAll" << "Select &All" << "Ctrl+A" << -1;
    QTest::newRow("mnuEditFind") << "mnuEditFind" << "&Find..." << "Ctrl+F" << -1;
    QTest::newRow("mnuEditFindNext") << "mnuEditFindNext" << "Find &Next" << "F3" << -1;
    QTest::newRow("mnuEditFindPrevious") << "mnuEditFindPrevious" << "Find Pre&vious" << "Shift+F3" << -1;
    QTest::newRow("mnuEditReplace") << "mnuEditReplace" << "&Replace..." << "Ctrl+H" << -1;
    QTest::newRow("mnuFormatWordWrap") << "mnuFormatWordWrap" << "&Wordwrap" << "" << 1;
    QTest::newRow("mnuFormatProportionalFont") << "mnuFormatProportionalFont" << "&Proportional Font" << "" << 0;
    QTest::newRow("mnuOptionsShowSyntax") << "mnuOptionsShowSyntax" << "&Show Syntax" << "" << 1;
    QTest::newRow("mnuOptionsSaveToINI") << "mnuOptionsSaveToINI" << "Save Settings to &INI File" << "" << 1;
    QTest::newRow("mnuOptionsSaveToRegistry") << "mnuOptionsSaveToRegistry" << "Save Settings to &Registry" << "" << 0;
    QTest::newRow("mnuHelpAbout") << "mnuHelpAbout" << "&About..." << "" << -1;
}

void tst_WindowOptions::menuItems()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(int, mark);

    const QAction* item = f->item(name.toLatin1().constData());
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut().toString(QKeySequence::PortableText), shortcut);
    QCOMPARE(item->isCheckable(), mark >= 0);
    if (mark >= 0)
        QCOMPARE(item->isChecked(), mark == 1);
    QVERIFY(item->isEnabled());
    QVERIFY(item->isVisible());
}

void tst_WindowOptions::designPlacementInPixels_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips"); // laid out for the design inner size, relative to the container

    QTest::newRow("txtDocument") << "txtDocument" << QRect(120, 360, 7275, 3030);
    QTest::newRow("lblCursor") << "lblCursor" << QRect(3540, 120, 3735, 255);
    QTest::newRow("fraControls") << "fraControls" << QRect(120, 3585, 7275, 2655);
    QTest::newRow("cboPattern") << "cboPattern" << QRect(0, 240, 5940, 300);
    QTest::newRow("txtReplace") << "txtReplace" << QRect(0, 840, 3165, 645);
    QTest::newRow("txtSubMatches") << "txtSubMatches" << QRect(3285, 840, 2655, 1695);
    QTest::newRow("fraButtons") << "fraButtons" << QRect(6060, 240, 1335, 2295);
    QTest::newRow("cmdUndo") << "cmdUndo" << QRect(0, 1920, 1215, 375);
    QTest::newRow("fraSyntax") << "fraSyntax" << QRect(120, 6120, 7275, 2895);
    QTest::newRow("txtSyntax") << "txtSyntax" << QRect(0, 240, 7275, 2655);
}

void tst_WindowOptions::designPlacementInPixels()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);

    QCOMPARE(f->window->centralWidget()->size(), QSize(pixels(7515), pixels(9135)));
    QWidget* widget = f->window->findChild<QWidget*>(name);
    QVERIFY(widget);
    const QRect expected(pixels(twips.x()), pixels(twips.y()), pixels(twips.x() + twips.width()) - pixels(twips.x()),
                         pixels(twips.y() + twips.height()) - pixels(twips.y()));
    QCOMPARE(widget->geometry(), expected);
}

void tst_WindowOptions::smallWindowLaysOutForTheMinimum()
{
    const int menuHeight = f->window->height() - f->window->centralWidget()->height();
    f->window->resize(pixels(6000), pixels(5000) + menuHeight);
    QTRY_COMPARE(f->window->centralWidget()->size(), QSize(pixels(6000), pixels(5000)));
    // Laid out for 7005 by 7365 twips: the right and bottom parts are cut off.
    QCOMPARE(f->child<QFrame>("fraSyntax")->geometry().top(), pixels(4350));
    QCOMPARE(f->child<QFrame>("fraControls")->geometry().top(), pixels(1815));
    QCOMPARE(f->document()->width(), pixels(6765));
}

void tst_WindowOptions::startState()
{
    QCOMPARE(f->pattern()->currentText(), QString());
    QCOMPARE(f->pattern()->count(), 0);
    QVERIFY(f->window->WordWrap());
    QVERIFY(!f->window->ProportionalFont());
    QVERIFY(f->child<QFrame>("fraSyntax")->isVisible());
    QCOMPARE(f->document()->ScrollBars(), 2);
    QVERIFY(f->document()->MultiLine());
    QCOMPARE(f->document()->OLEDropMode(), 1);
    QCOMPARE(f->label("lblMatchNo")->text(), QString());
    QVERIFY(!f->window->Dirty());
    // The design caption stays until the document's state first changes.
    QCOMPARE(f->window->windowTitle(), QStringLiteral("Siftwell"));
    QCOMPARE(QApplication::focusWidget(), f->pattern());
}

void tst_WindowOptions::wordWrapTwice()
{
    f->document()->setText(QStringLiteral("some text"));
    f->window->setDirty(false);
    f->trigger("mnuFormatWordWrap");
    QVERIFY(!f->window->WordWrap());
    QVERIFY(!f->item("mnuFormatWordWrap")->isChecked());
    QCOMPARE(f->document()->ScrollBars(), 3);
    f->trigger("mnuFormatWordWrap");
    QVERIFY(f->window->WordWrap());
    QVERIFY(f->item("mnuFormatWordWrap")->isChecked());
    QCOMPARE(f->document()->ScrollBars(), 2);
    QCOMPARE(f->document()->Text(), QStringLiteral("some text"));
    // Moving the text into the other inner box counts as a change.
    QVERIFY(f->window->Dirty());
}

void tst_WindowOptions::proportionalFontOnlyOnTheDocument()
{
    f->trigger("mnuFormatProportionalFont");
    QVERIFY(f->window->ProportionalFont());
    QVERIFY(f->item("mnuFormatProportionalFont")->isChecked());
    QCOMPARE(f->document()->Font()->Name(), QStringLiteral("Lucida Sans"));
    QCOMPARE(f->document()->Font()->Size(), 8.25);
    QCOMPARE(f->pattern()->font().family(), QStringLiteral("Lucida Console"));
    QCOMPARE(f->replaceWith()->font().family(), QStringLiteral("Lucida Console"));
    QCOMPARE(f->child<QWidget>("txtSyntax")->font().family(), QStringLiteral("Lucida Console"));

    f->trigger("mnuFormatProportionalFont");
    QCOMPARE(f->document()->Font()->Name(), QStringLiteral("Lucida Console"));
    f->window->setProportionalFont(false);
    QVERIFY(!f->item("mnuFormatProportionalFont")->isChecked());
}

void tst_WindowOptions::showSyntaxChangesHeightAndBack()
{
    auto* pane = f->child<QFrame>("fraSyntax");
    auto* controls = f->child<QFrame>("fraControls");
    const int height = f->window->height();
    const QRect controlsAt = controls->geometry();
    const QRect documentAt = f->document()->geometry();

    f->trigger("mnuOptionsShowSyntax");
    QVERIFY(!pane->isVisible());
    QVERIFY(!f->item("mnuOptionsShowSyntax")->isChecked());
    QTRY_COMPARE(f->window->height(), height - pixels(2775));
    QTRY_COMPARE(controls->geometry(), controlsAt);
    QCOMPARE(f->document()->geometry(), documentAt);

    f->trigger("mnuOptionsShowSyntax");
    QVERIFY(pane->isVisible());
    QVERIFY(f->item("mnuOptionsShowSyntax")->isChecked());
    QTRY_COMPARE(f->window->height(), height);
    QTRY_COMPARE(controls->geometry(), controlsAt);
    QCOMPARE(pane->geometry().top(), pixels(6120));
}

void tst_WindowOptions::saveToINIWithUnwritableFolder()
{
    // Tests run as root, so the program folder is a regular file: nothing can be written
    // below it, whoever runs the test.
    const QString notAFolder = f->folder() + QStringLiteral("/program");
    {
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    f.reset();
    f = std::make_unique<WindowFixture>(notAFolder);
    QVERIFY(f->shown());
    // The store could not use the INI file at its creation.
    QVERIFY(!f->item("mnuOptionsSaveToINI")->isChecked());
    QVERIFY(f->item("mnuOptionsSaveToRegistry")->isChecked());
    f->messages.shown.clear();

    f->trigger("mnuOptionsSaveToINI");
    QCOMPARE(f->messages.texts(),
             QStringList{QStringLiteral("Unable to write to application folder. Settings will be saved to the registry")});
    QCOMPARE(f->messages.shown.at(0).icon, MessageIcon::Information);
    QCOMPARE(f->messages.shown.at(0).buttons, MessageButtons::Ok);
    QCOMPARE(f->messages.shown.at(0).title, QStringLiteral("Sifta"));
    QVERIFY(!f->item("mnuOptionsSaveToINI")->isChecked());
    QVERIFY(f->item("mnuOptionsSaveToRegistry")->isChecked());
}

void tst_WindowOptions::saveToINIWithWritableFolder()
{
    f->trigger("mnuOptionsSaveToRegistry");
    QVERIFY(f->item("mnuOptionsSaveToRegistry")->isChecked());
    f->trigger("mnuOptionsSaveToINI");
    f->trigger("mnuOptionsSaveToINI");
    QCOMPARE(f->messages.texts(), QStringList());
    QVERIFY(f->item("mnuOptionsSaveToINI")->isChecked());
    QVERIFY(!f->item("mnuOptionsSaveToRegistry")->isChecked());
    QVERIFY(f->settings->SaveToINI());
}

void tst_WindowOptions::saveToRegistryTwice()
{
    f->trigger("mnuOptionsSaveToRegistry");
    f->trigger("mnuOptionsSaveToRegistry");
    QCOMPARE(f->messages.texts(), QStringList());
    QVERIFY(f->item("mnuOptionsSaveToRegistry")->isChecked());
    QVERIFY(!f->item("mnuOptionsSaveToINI")->isChecked());
    QVERIFY(!f->settings->SaveToINI());
}

QTEST_MAIN(tst_WindowOptions)
#include "tst_windowoptions.moc"
