#include "journal/DocumentJournal.h"
#include "journal/JournalReader.h"
#include "journal/RecoveryOffer.h"
#include "support/RecordingMessageBox.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <mutex>

using namespace std::chrono_literals;

namespace {

/// A document whose text the test edits, telling the journal as a window does.
class FakeDocument final : public IJournalDocument {
public:
    JournalState state = [] {
        JournalState untitled;
        untitled.fileName = QStringLiteral("Untitled");
        return untitled;
    }();
    QString text;

    JournalState journalState() const override { return state; }
    std::function<QString()> journalText() const override { return [text = text] { return text; }; }
    bool journalTextEmpty() const override { return text.isEmpty(); }
};

} // namespace

class tst_DocumentJournal : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void keptWhile_data();
    void keptWhile();
    void editsFollowTheFirstSnapshot();
    void firstEditIsChangedAtOnce_data();
    void firstEditIsChangedAtOnce();
    void rewriteThenEditBeforeSettling();
    void savedDocumentLosesItsJournal();
    void switchedOff();
    void cleanEndReleasesTheLock();
    void unusableFolderIsToldOnce();
    void compactionStartsAfresh();
    void adoptedJournalGoesOn();
    void offer_data();
    void offer();
    void unreadableJournalLeftAlone();

private:
    void edit(qint64 position, qint64 removed, const QString& inserted)
    {
        editUnsettled(position, removed, inserted);
        settle();
    }
    /// An edit as the journal first hears of it: the window marks the document changed later.
    void editUnsettled(qint64 position, qint64 removed, const QString& inserted)
    {
        mDocument.text.replace(position, removed, inserted);
        mJournal->textEdited(position, removed, inserted);
        mDocument.state.dirty = true;
    }
    void write(const QString& text)
    {
        mJournal->textWriting();
        mDocument.text = text;
    }
    /// Settles the journal and runs what it posted, as the window's event loop would.
    void settle()
    {
        mJournal->settle();
        for (;;) {
            std::function<void()> work;
            {
                const std::lock_guard lock(mPostedMutex);
                if (mPosted.empty())
                    return;
                work = std::move(mPosted.front());
                mPosted.pop_front();
            }
            work();
        }
    }
    QString journalPath() const { return mJournal->path(); }
    JournalReading replay()
    {
        [&] { QVERIFY(mJournal->flush()); }();
        return JournalReader::read(journalPath());
    }
    void makeJournal(qint64 compactAfterBytes = 4 << 20)
    {
        mJournal = std::make_unique<DocumentJournal>(
            mDocument,
            [this](std::function<void()> work) {
                // The writer asks for compaction from its own thread.
                const std::lock_guard lock(mPostedMutex);
                mPosted.push_back(std::move(work));
            },
            [this] { return JournalSlot::claim(mDir->path()); }, JournalTiming{0ms, compactAfterBytes});
    }

    std::unique_ptr<QTemporaryDir> mDir;
    FakeDocument mDocument;
    std::mutex mPostedMutex;
    std::deque<std::function<void()>> mPosted;
    std::unique_ptr<DocumentJournal> mJournal;
};

void tst_DocumentJournal::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    mDocument = FakeDocument();
    makeJournal();
}

void tst_DocumentJournal::cleanup()
{
    mJournal.reset();
    mPosted.clear();
}

void tst_DocumentJournal::keptWhile_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("dirty");
    QTest::addColumn<bool>("kept");
    QTest::newRow("new empty document") << "Untitled" << "" << false << false;
    QTest::newRow("unnamed text, unchanged (dropped text)") << "Untitled" << "dropped" << false << true;
    QTest::newRow("unnamed text, changed") << "Untitled" << "typed" << true << true;
    QTest::newRow("unnamed text emptied by the user") << "Untitled" << "" << true << true;
    QTest::newRow("file as it was read or saved") << "/texts/a.txt" << "saved" << false << false;
    QTest::newRow("file with unsaved changes") << "/texts/a.txt" << "changed" << true << true;
}

void tst_DocumentJournal::keptWhile()
{
    QFETCH(QString, fileName);
    QFETCH(QString, text);
    QFETCH(bool, dirty);
    QFETCH(bool, kept);
    write(text);
    mDocument.state.fileName = fileName;
    mDocument.state.dirty = dirty;
    settle();
    QVERIFY(mJournal->flush());
    QCOMPARE(!journalPath().isEmpty() && QFile::exists(journalPath()), kept);
    if (kept) {
        const JournalReading read = replay();
        QCOMPARE(read->text, text);
        QCOMPARE(read->state, mDocument.state);
    }
}

// The first edit of a document that needed no journal starts one from the text before it.
void tst_DocumentJournal::editsFollowTheFirstSnapshot()
{
    write(QStringLiteral("opened file"));
    mDocument.state.fileName = QStringLiteral("/texts/a.txt");
    settle();
    edit(7, 0, QStringLiteral("and typed "));
    edit(0, 7, QString());
    mDocument.state.selStart = 3;
    settle();
    const JournalReading read = replay();
    QCOMPARE(read->text, QStringLiteral("and typed file"));
    QCOMPARE(read->state, mDocument.state);
}

void tst_DocumentJournal::firstEditIsChangedAtOnce_data()
{
    QTest::addColumn<bool>("settledBefore");
    QTest::newRow("text kept from before the edit") << true;
    QTest::newRow("text read after the edit") << false;
}

// A crash between an edit and the window marking the document changed still restores it
// changed, so that the save prompt guards it.
void tst_DocumentJournal::firstEditIsChangedAtOnce()
{
    QFETCH(bool, settledBefore);
    write(QStringLiteral("saved text"));
    mDocument.state.fileName = QStringLiteral("/texts/a.txt");
    if (settledBefore)
        settle();
    editUnsettled(0, 0, QStringLiteral("new "));
    const JournalReading read = replay();
    QCOMPARE(read->text, QStringLiteral("new saved text"));
    QVERIFY(read->state.dirty);
}

// A write of the whole text (Replace All, Undo) is taken once the window settles; an edit that
// comes first starts the journal from the text as it is then.
void tst_DocumentJournal::rewriteThenEditBeforeSettling()
{
    write(QStringLiteral("first"));
    settle();
    edit(5, 0, QStringLiteral(" draft"));
    write(QStringLiteral("replaced all"));
    editUnsettled(0, 0, QStringLiteral("x"));
    QCOMPARE(replay()->text, QStringLiteral("xreplaced all"));
}

void tst_DocumentJournal::savedDocumentLosesItsJournal()
{
    edit(0, 0, QStringLiteral("typed"));
    QVERIFY(mJournal->flush());
    QVERIFY(QFile::exists(journalPath()));
    mDocument.state.fileName = QStringLiteral("/texts/saved.txt");
    mDocument.state.dirty = false;
    settle();
    QVERIFY(mJournal->flush());
    QVERIFY(!QFile::exists(journalPath()));
    edit(5, 0, QStringLiteral(" again"));
    QCOMPARE(replay()->text, QStringLiteral("typed again"));
}

void tst_DocumentJournal::switchedOff()
{
    edit(0, 0, QStringLiteral("secret"));
    QVERIFY(mJournal->flush());
    const QString path = journalPath();
    mJournal->setEnabled(false);
    QVERIFY(!QFile::exists(path));
    edit(6, 0, QStringLiteral(" more"));
    QVERIFY(mDir->isValid());
    QCOMPARE(QDir(mDir->path()).entryList(QDir::Files).size(), 0);
    mJournal->setEnabled(true);
    settle();
    QCOMPARE(replay()->text, QStringLiteral("secret more"));
}

void tst_DocumentJournal::cleanEndReleasesTheLock()
{
    edit(0, 0, QStringLiteral("typed"));
    QVERIFY(mJournal->flush());
    const QString path = journalPath();
    mJournal->end();
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QFile::exists(path + QStringLiteral(".lock")));
}

void tst_DocumentJournal::unusableFolderIsToldOnce()
{
    mJournal = std::make_unique<DocumentJournal>(
        mDocument, [](std::function<void()> work) { work(); }, [] { return std::unique_ptr<JournalSlot>(); });
    QStringList problems;
    mJournal->setProblem([&](const QString& message) { problems.append(message); });
    edit(0, 0, QStringLiteral("a"));
    edit(1, 0, QStringLiteral("b"));
    QCOMPARE(problems.size(), 1);
    QVERIFY(problems[0].contains(QStringLiteral("cannot be kept for recovery")));
}

void tst_DocumentJournal::compactionStartsAfresh()
{
    makeJournal(64);
    write(QString(100, u'a'));
    settle();
    for (int i = 0; i < 40; ++i) {
        edit(0, 0, QStringLiteral("b"));
        QVERIFY(mJournal->flush());
        settle();
    }
    const JournalReading read = replay();
    QCOMPARE(read->text, QString(40, u'b') + QString(100, u'a'));
    QVERIFY2(read->records < 40, qPrintable(QString::number(read->records)));
}

void tst_DocumentJournal::adoptedJournalGoesOn()
{
    edit(0, 0, QStringLiteral("before the crash"));
    QVERIFY(mJournal->flush());
    const QString path = journalPath();
    mJournal.reset();

    std::vector<std::unique_ptr<JournalSlot>> orphans = JournalSlot::orphans(mDir->path());
    QCOMPARE(orphans.size(), 1u);
    mDocument = FakeDocument();
    makeJournal();
    write(JournalReader::read(path)->text);
    mDocument.state.dirty = true;
    mJournal->adopt(std::move(orphans.front()));
    settle();
    edit(16, 0, QStringLiteral(", restored"));
    QCOMPARE(journalPath(), path);
    QCOMPARE(replay()->text, QStringLiteral("before the crash, restored"));
}

void tst_DocumentJournal::offer_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("restored");
    QTest::addColumn<bool>("kept");
    QTest::newRow("Yes restores") << MessageAnswer::Yes << true << true;
    QTest::newRow("No discards") << MessageAnswer::No << false << false;
    QTest::newRow("Cancel decides later") << MessageAnswer::Cancel << false << true;
}

void tst_DocumentJournal::offer()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, restored);
    QFETCH(bool, kept);
    mDocument.state.fileName = QStringLiteral("/texts/notes.txt");
    edit(0, 0, QStringLiteral("twelve chars"));
    QVERIFY(mJournal->flush());
    const QString path = journalPath();
    mJournal.reset();

    RecordingMessageBox messages;
    messages.answers = {answer};
    std::vector<Recovery> chosen = offerRecoveries(messages, JournalSlot::orphans(mDir->path()));
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].buttons, MessageButtons::YesNoCancel);
    QVERIFY(messages.shown[0].text.contains(QStringLiteral("'/texts/notes.txt', 12 characters")));
    QCOMPARE(chosen.size(), restored ? 1u : 0u);
    if (restored)
        QCOMPARE(chosen[0].document.text, QStringLiteral("twelve chars"));
    QCOMPARE(QFile::exists(path), kept);
}

void tst_DocumentJournal::unreadableJournalLeftAlone()
{
    const QString path = mDir->filePath(QStringLiteral("window-foreign.journal"));
    QFile foreign(path);
    QVERIFY(foreign.open(QIODevice::WriteOnly));
    foreign.write("not a journal at all");
    foreign.close();

    RecordingMessageBox messages;
    const std::vector<Recovery> chosen = offerRecoveries(messages, JournalSlot::orphans(mDir->path()));
    QVERIFY(chosen.empty());
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].icon, MessageIcon::Exclamation);
    QVERIFY(QFile::exists(path));
}

QTEST_GUILESS_MAIN(tst_DocumentJournal)
#include "tst_documentjournal.moc"
