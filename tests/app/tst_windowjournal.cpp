#include "app/frmSifta.h"
#include "DocumentWindowFixture.h"
#include "journal/JournalReader.h"
#include "journal/RecoveryOffer.h"
#include "textex/TextEx.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>

/// The main window's recovery journal: the window's edits and state reach it, the clean ends
/// delete it, the option switches it off, and a recovered journal comes back whole.
class tst_WindowJournal : public QObject {
    Q_OBJECT

private slots:
    void editsReachTheJournal();
    void saveEndsTheJournal_data();
    void saveEndsTheJournal();
    void closeWithoutSavingEndsTheJournal();
    void optionSwitchesItOffAndIsRemembered();
    void restoreGivesBackTheDocument();
    void twoWindowsKeepTheirOwn();

private:
    /// What the window's journal holds once everything so far is on disk.
    static JournalReading journalOf(DocumentWindowFixture& f)
    {
        QCoreApplication::processEvents();
        [&] { QVERIFY(f.window->journal().flush()); }();
        return JournalReader::read(f.window->journal().path());
    }
};

void tst_WindowJournal::editsReachTheJournal()
{
    DocumentWindowFixture f;
    QVERIFY(f.openWindow());
    f.document()->setFocus();
    f.type(QStringLiteral("abc abc"));
    QApplication::clipboard()->setText(QStringLiteral("\r\npasted é"));
    f.trigger("mnuEditPaste");
    f.pattern()->setEditText(QStringLiteral("b"));
    f.form()->findChild<QPlainTextEdit*>(QStringLiteral("txtReplace"))->setPlainText(QStringLiteral("B"));
    f.click("cmdReplaceAll");
    QTest::keyClick(f.document()->hwnd(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(f.document()->hwnd(), Qt::Key_Backspace);

    const JournalReading read = journalOf(f);
    QVERIFY(read.ok());
    QCOMPARE(read->text, f.document()->Text());
    QCOMPARE(read->text, QStringLiteral("aBc aBc\r\npasted "));
    QVERIFY(read->state.dirty);
    QCOMPARE(read->state.pattern, QStringLiteral("b"));
    QCOMPARE(read->state.replaceWith, QStringLiteral("B"));
    QCOMPARE(read->state.selStart, qint64(f.document()->SelStart()));
}

void tst_WindowJournal::saveEndsTheJournal_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("kept");
    QTest::newRow("a save that leaves nothing unsaved") << "saved.txt" << false;
    QTest::newRow("a save that fails") << "missing folder/saved.txt" << true;
}

void tst_WindowJournal::saveEndsTheJournal()
{
    QFETCH(QString, target);
    QFETCH(bool, kept);
    DocumentWindowFixture f;
    QVERIFY(f.openWindow());
    f.type(QStringLiteral("to be saved"));
    QVERIFY(journalOf(f).ok());
    f.dialogs.choose(f.path(target));
    f.trigger("mnuFileSave");
    QCOMPARE(journalOf(f).ok(), kept);
}

void tst_WindowJournal::closeWithoutSavingEndsTheJournal()
{
    DocumentWindowFixture f;
    QVERIFY(f.openWindow());
    f.type(QStringLiteral("thrown away"));
    const QString path = f.window->journal().path();
    QVERIFY(journalOf(f).ok());
    f.messages.answers = {MessageAnswer::No};
    QVERIFY(f.window->close());
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QFile::exists(path + QStringLiteral(".lock")));
}

void tst_WindowJournal::optionSwitchesItOffAndIsRemembered()
{
    DocumentWindowFixture f;
    QVERIFY(f.openWindow());
    QVERIFY(f.item("mnuOptionsRecoveryJournal")->isChecked());
    f.type(QStringLiteral("not to be kept"));
    const QString path = f.window->journal().path();
    QVERIFY(journalOf(f).ok());
    f.trigger("mnuOptionsRecoveryJournal");
    QVERIFY(!f.item("mnuOptionsRecoveryJournal")->isChecked());
    QVERIFY(!QFile::exists(path));
    f.type(QStringLiteral(" at all"));
    QCoreApplication::processEvents();
    QVERIFY(f.window->journal().path().isEmpty());

    f.messages.answers = {MessageAnswer::No};
    QVERIFY(f.window->close());
    QVERIFY(f.openWindow());
    QVERIFY(!f.item("mnuOptionsRecoveryJournal")->isChecked());
}

// The text with its encoding and line breaks, the file name, the changed flag, both boxes and
// the selection come back; the file is not written until the user saves.
void tst_WindowJournal::restoreGivesBackTheDocument()
{
    DocumentWindowFixture f;
    QVERIFY(f.openWindow());
    Recovery recovery;
    recovery.slot = JournalSlot::claim(f.path(QStringLiteral("state")));
    recovery.document.text = QStringLiteral("caf\u00E9\r\nlone\nbreak");
    recovery.document.state.fileName = f.path(QStringLiteral("notes.txt"));
    recovery.document.state.format.encoding = TextEncoding::Windows1252;
    recovery.document.state.dirty = true;
    recovery.document.state.pattern = QStringLiteral("\\w+");
    recovery.document.state.replaceWith = QStringLiteral("[$&]");
    recovery.document.state.selStart = 2;
    recovery.document.state.selLength = 3;
    const QString journal = recovery.slot->journalPath();
    QVERIFY(f.window->RestoreJournal(std::move(recovery)));

    QCOMPARE(f.document()->Text(), QStringLiteral("caf\u00E9\r\nlone\nbreak"));
    QCOMPARE(f.caption(), QStringLiteral("*notes.txt - Siftwell"));
    QCOMPARE(f.pattern()->currentText(), QStringLiteral("\\w+"));
    QCOMPARE(f.form()->findChild<QPlainTextEdit*>(QStringLiteral("txtReplace"))->toPlainText(), QStringLiteral("[$&]"));
    QCOMPARE(f.document()->SelStart(), 2);
    QCOMPARE(f.document()->SelLength(), 3);
    QVERIFY(!QFile::exists(f.path(QStringLiteral("notes.txt"))));
    QCOMPARE(f.window->journal().path(), journal);
    QCOMPARE(journalOf(f)->text, f.document()->Text());

    // Saved in the encoding it had, with its line breaks as they were.
    f.dialogs.choose(f.path(QStringLiteral("notes.txt")));
    f.trigger("mnuFileSaveAs");
    QCOMPARE(f.contentOf(QStringLiteral("notes.txt")), QByteArray("caf\xE9\r\nlone\nbreak"));
}

void tst_WindowJournal::twoWindowsKeepTheirOwn()
{
    DocumentWindowFixture first;
    DocumentWindowFixture second;
    QVERIFY(first.openWindow());
    QVERIFY(second.openWindow());
    first.type(QStringLiteral("first"));
    second.type(QStringLiteral("second"));
    QVERIFY(first.window->journal().path() != second.window->journal().path());
    QCOMPARE(journalOf(first)->text, QStringLiteral("first"));
    QCOMPARE(journalOf(second)->text, QStringLiteral("second"));
}

QTEST_MAIN(tst_WindowJournal)
#include "tst_windowjournal.moc"
