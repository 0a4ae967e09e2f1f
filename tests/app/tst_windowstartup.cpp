#include "about/frmHelp.h"
#include "DocumentWindowFixture.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

using namespace Qt::StringLiterals;

using StoredValues = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(StoredValues)

namespace {

const QString kMissing = u"<missing>"_s;

QList<frmHelp*> aboutWindows()
{
    QList<frmHelp*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* about = qobject_cast<frmHelp*>(widget); about && about->isVisible())
            windows.append(about);
    }
    return windows;
}

} // namespace

/// Loading the remembered options when the window is created, writing them when it
/// closes, and File, Exit.
class TestWindowStartup : public QObject {
    Q_OBJECT

    std::unique_ptr<DocumentWindowFixture> f;

    QString stored(const QString& key) const { return f->settings->GetSetting(key, kMissing); }

private slots:
    void init();
    void cleanup();

    void firstRunDefaults();
    void storedOptionsAreApplied_data();
    void storedOptionsAreApplied();
    void optionsComeBackInTheNextWindow();
    void historyIsWrittenMostRecentFirst();
    void closing_data();
    void closing();
    void closingAfterAFailedSaveKeepsTheWindow();
    void helpAboutShowsOneWindow();
    void exitCommand_data();
    void exitCommand();
};

void TestWindowStartup::init()
{
    f = std::make_unique<DocumentWindowFixture>();
}

void TestWindowStartup::cleanup()
{
    f.reset();
}

void TestWindowStartup::firstRunDefaults()
{
    QVERIFY(f->openWindow());

    QCOMPARE(f->pattern()->currentText(), QString());
    QCOMPARE(f->history(), QStringList());
    QCOMPARE(f->replaceWith()->text(), QString());
    QCOMPARE(f->ignoreCase()->checkState(), Qt::Unchecked);
    QVERIFY(f->window->WordWrap());
    QVERIFY(!f->window->ProportionalFont());
    QVERIFY(f->item("mnuOptionsShowSyntax")->isChecked());
    QVERIFY(f->child<QFrame>("fraSyntax")->isVisible());
    QVERIFY(f->item("mnuOptionsSaveToINI")->isChecked());
    QVERIFY(!f->item("mnuOptionsSaveToRegistry")->isChecked());
    QCOMPARE(f->child<QLabel>("lblMatchNo")->text(), QString());
    QCOMPARE(f->caption(), u"Siftwell"_s);
    QVERIFY(!f->window->Dirty());
    QCOMPARE(f->messages.shown.size(), 0);
}

void TestWindowStartup::storedOptionsAreApplied_data()
{
    QTest::addColumn<StoredValues>("values");
    QTest::addColumn<QStringList>("history");
    QTest::addColumn<QString>("replaceWith");
    QTest::addColumn<Qt::CheckState>("ignoreCase");
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<bool>("showSyntax");

    QTest::newRow("history with a missing third key")
        << StoredValues{{u"Pattern0"_s, u"a"_s}, {u"Pattern1"_s, u"b"_s}} << QStringList{u"a"_s, u"b"_s} << QString()
        << Qt::Unchecked << true << true;
    QTest::newRow("history with an empty second key")
        << StoredValues{{u"Pattern0"_s, u"a"_s}, {u"Pattern1"_s, u""_s}, {u"Pattern2"_s, u"c"_s}}
        << QStringList{u"a"_s} << QString() << Qt::Unchecked << true << true;
    QTest::newRow("two-line Replace With text")
        << StoredValues{{u"Replace"_s, u"line 1\\r\\nline 2"_s}} << QStringList{} << u"line 1\r\nline 2"_s
        << Qt::Unchecked << true << true;
    QTest::newRow("Replace With backslashes before t, n and at the end")
        << StoredValues{{u"Replace"_s, u"\\t\\\\n\\"_s}} << QStringList{} << u"\\t\\n\\"_s << Qt::Unchecked
        << true << true;
    QTest::newRow("options switched")
        << StoredValues{{u"IgnoreCase"_s, u"1"_s}, {u"WordWrap"_s, u"0"_s}, {u"ShowSyntax"_s, u"0"_s}}
        << QStringList{} << QString() << Qt::Checked << false << false;
    QTest::newRow("greyed Ignore Case") << StoredValues{{u"IgnoreCase"_s, u"2"_s}} << QStringList{} << QString()
                                        << Qt::PartiallyChecked << true << true;
    QTest::newRow("unreadable values keep the defaults")
        << StoredValues{{u"IgnoreCase"_s, u"9"_s}, {u"WordWrap"_s, u"sometimes"_s}, {u"ShowSyntax"_s, u"?"_s}}
        << QStringList{} << QString() << Qt::Unchecked << true << true;
}

void TestWindowStartup::storedOptionsAreApplied()
{
    QFETCH(StoredValues, values);
    QFETCH(QStringList, history);
    QFETCH(QString, replaceWith);
    QFETCH(Qt::CheckState, ignoreCase);
    QFETCH(bool, wordWrap);
    QFETCH(bool, showSyntax);

    f->settings->SaveSetting(u"Pattern"_s, u"current"_s);
    for (const auto& [key, value] : values)
        f->settings->SaveSetting(key, value);
    QVERIFY(f->openWindow());

    QCOMPARE(f->pattern()->currentText(), u"current"_s);
    QCOMPARE(f->history(), history);
    QCOMPARE(f->replaceWith()->text(), replaceWith);
    QCOMPARE(f->ignoreCase()->checkState(), ignoreCase);
    QCOMPARE(f->window->WordWrap(), wordWrap);
    QCOMPARE(f->item("mnuOptionsShowSyntax")->isChecked(), showSyntax);
    QCOMPARE(f->child<QFrame>("fraSyntax")->isVisible(), showSyntax);
    QVERIFY(!f->window->Dirty());
}

void TestWindowStartup::optionsComeBackInTheNextWindow()
{
    QVERIFY(f->openWindow());
    f->pattern()->addItems({u"b+"_s, u"a\\d"_s});
    f->pattern()->setEditText(u"(x)"_s);
    f->replaceWith()->setText(u"line 1\r\nends in \\r \\n \\t \\"_s);
    f->ignoreCase()->setCheckState(Qt::Checked);
    f->trigger("mnuFormatWordWrap");
    f->trigger("mnuFormatProportionalFont");
    f->trigger("mnuOptionsShowSyntax");
    QVERIFY(f->window->close());

    QCOMPARE(stored(u"Replace"_s), u"line 1\\r\\nends in \\\\r \\\\n \\\\t \\\\"_s);
    QVERIFY(f->openWindow());
    QCOMPARE(f->pattern()->currentText(), u"(x)"_s);
    QCOMPARE(f->history(), (QStringList{u"b+"_s, u"a\\d"_s}));
    QCOMPARE(f->replaceWith()->text(), u"line 1\r\nends in \\r \\n \\t \\"_s);
    QCOMPARE(f->ignoreCase()->checkState(), Qt::Checked);
    QVERIFY(!f->window->WordWrap());
    QVERIFY(f->window->ProportionalFont());
    QVERIFY(!f->item("mnuOptionsShowSyntax")->isChecked());
}

void TestWindowStartup::historyIsWrittenMostRecentFirst()
{
    QVERIFY(f->openWindow());
    f->document()->setText(u"abc"_s);
    f->window->setDirty(false);
    for (const QString& pattern : {u"a"_s, u"b"_s, u"c"_s}) {
        f->pattern()->setEditText(pattern);
        f->child<QPushButton>("cmdFind")->click();
    }
    QVERIFY(f->window->close());

    QCOMPARE(stored(u"Pattern"_s), u"c"_s);
    QCOMPARE(stored(u"Pattern0"_s), u"c"_s);
    QCOMPARE(stored(u"Pattern1"_s), u"b"_s);
    QCOMPARE(stored(u"Pattern2"_s), u"a"_s);
    QCOMPARE(stored(u"Pattern3"_s), kMissing);
}

void TestWindowStartup::closing_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("closed");

    QTest::newRow("unchanged: no prompt, options written") << false << MessageAnswer::Cancel << true;
    QTest::newRow("Cancel keeps the window and writes no option") << true << MessageAnswer::Cancel << false;
    QTest::newRow("No writes the options") << true << MessageAnswer::No << true;
    QTest::newRow("Yes then cancelled Save As writes the options") << true << MessageAnswer::Yes << true;
}

// The window used to close after a save that failed, and the unsaved text was gone.
void TestWindowStartup::closingAfterAFailedSaveKeepsTheWindow()
{
    QVERIFY(f->openWindow());
    QVERIFY(f->store(u"notes.txt"_s, "notes"));
    f->window->LoadDocument(f->path(u"notes.txt"_s));
    f->type(u"precious "_s);
    QVERIFY(QFile::remove(f->path(u"notes.txt"_s)));
    f->messages.answers = {MessageAnswer::Yes};

    QVERIFY(!f->window->close());

    QCOMPARE(f->messages.texts().last(), u"No such file or directory 2"_s);
    QVERIFY(f->window->isVisible());
    QVERIFY(f->document()->Text().startsWith(u"precious "_s));
    QCOMPARE(stored(u"Pattern"_s), kMissing);
}

void TestWindowStartup::closing()
{
    QFETCH(bool, changed);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, closed);

    QVERIFY(f->openWindow());
    f->pattern()->setEditText(u"p"_s);
    if (changed)
        f->type(u"typed"_s);
    f->messages.answers = {answer};
    f->dialogs.cancel();

    QCOMPARE(f->window->close(), closed);

    QCOMPARE(f->messages.shown.size(), changed ? 1 : 0);
    QCOMPARE(f->window->isVisible(), !closed);
    for (const QString& key : {u"Pattern"_s, u"Replace"_s, u"IgnoreCase"_s, u"WordWrap"_s, u"ProportionalFont"_s,
                               u"ShowSyntax"_s})
        QCOMPARE(stored(key) != kMissing, closed);
}

void TestWindowStartup::helpAboutShowsOneWindow()
{
    QVERIFY(f->openWindow());
    f->trigger("mnuHelpAbout");
    f->trigger("mnuHelpAbout");
    const QList<frmHelp*> shown = aboutWindows();
    QCOMPARE(shown.size(), 1);

    // It has no owner: closing the main window leaves it open, and the program running.
    QVERIFY(f->window->close());
    QVERIFY(shown.first()->isVisible());
    shown.first()->close();
}

void TestWindowStartup::exitCommand_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("ended");

    QTest::newRow("Cancel keeps the program running") << MessageAnswer::Cancel << false;
    QTest::newRow("Yes ends it") << MessageAnswer::Yes << true;
    QTest::newRow("No ends it") << MessageAnswer::No << true;
}

void TestWindowStartup::exitCommand()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, ended);

    QVERIFY(f->openWindow());
    f->trigger("mnuHelpAbout");
    QCOMPARE(aboutWindows().size(), 1);
    const QPointer<frmHelp> about = aboutWindows().first();
    QVERIFY(f->store(u"notes.txt"_s, "notes"));
    f->window->LoadDocument(f->path(u"notes.txt"_s));
    f->type(u"!"_s);
    f->messages.answers = {answer};

    f->trigger("mnuFileExit");

    QCOMPARE(f->messages.texts(), QStringList{u"The text in the '"_s + f->path(u"notes.txt"_s)
                                              + u"' file has changed.\r\nDo you want to save the changes?"_s});
    QCOMPARE(f->window->isVisible(), !ended);
    QCOMPARE(!about || !about->isVisible(), ended);
    QCOMPARE(stored(u"WordWrap"_s) != kMissing, ended);
    QCOMPARE(f->contentOf(u"notes.txt"_s) != "notes", answer == MessageAnswer::Yes);
    if (about)
        about->close();
}

QTEST_MAIN(TestWindowStartup)
#include "tst_windowstartup.moc"
