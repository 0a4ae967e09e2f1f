#include "journal/JournalFolder.h"
#include "journal/JournalReader.h"
#include "journal/JournalWriter.h"
#include "support/FileSizeLimit.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cerrno>

using namespace std::chrono_literals;

namespace {

JournalState untitledState()
{
    JournalState state;
    state.fileName = QStringLiteral("Untitled");
    state.dirty = true;
    return state;
}

JournalWriter::TextSource text(const QString& value)
{
    return [value] { return value; };
}

} // namespace

class tst_JournalWriter : public QObject {
    Q_OBJECT

private slots:
    void recordsComeBack();
    void snapshotStartsAfresh();
    void snapshotOfAnyText_data();
    void snapshotOfAnyText();
    void removeDeletesTheFile();
    void fullDiskKeepsEveryWrittenRecord();
    void compactionAskedOnceGrown();
    void folderAndFilesAreTheUsersAlone();
    void orphans_data();
    void orphans();

private:
    QTemporaryDir mDir;
    QString path() const { return mDir.filePath(QStringLiteral("window-test.journal")); }
};

void tst_JournalWriter::recordsComeBack()
{
    JournalWriter writer(path(), 0ms);
    JournalState state = untitledState();
    writer.snapshot(state, text(QStringLiteral("abc")));
    writer.edit(3, 0, QStringLiteral("déf"));
    writer.edit(0, 1, QString());
    state.pattern = QStringLiteral("b.");
    writer.state(state);
    QVERIFY(writer.flush());

    const JournalReading read = JournalReader::read(path());
    QVERIFY(read.ok());
    QCOMPARE(read->text, QStringLiteral("bcdéf"));
    QCOMPARE(read->state, state);
    QCOMPARE(read->records, 4);
}

void tst_JournalWriter::snapshotStartsAfresh()
{
    JournalWriter writer(path(), 0ms);
    writer.snapshot(untitledState(), text(QStringLiteral("old")));
    for (int i = 0; i < 10; ++i)
        writer.edit(0, 0, QStringLiteral("x"));
    writer.snapshot(untitledState(), text(QStringLiteral("new")));
    writer.edit(3, 0, QStringLiteral("!"));
    QVERIFY(writer.flush());

    const JournalReading read = JournalReader::read(path());
    QCOMPARE(read->text, QStringLiteral("new!"));
    QCOMPARE(read->records, 2);
    QVERIFY(!QFile::exists(path() + QStringLiteral(".new")));
}

void tst_JournalWriter::snapshotOfAnyText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("readBack");
    const QString pairAcrossPieces = QString((1 << 20) - 1, u'a') + QStringLiteral("\U0001D11E") + QStringLiteral("é");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("a surrogate pair where the text is cut into pieces") << pairAcrossPieces << pairAcrossPieces;
    QTest::newRow("a lone surrogate, written as the editor holds it")
        << QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b") << QStringLiteral("a?b");
}

void tst_JournalWriter::snapshotOfAnyText()
{
    QFETCH(QString, text);
    QFETCH(QString, readBack);
    JournalWriter writer(path(), 0ms);
    writer.snapshot(untitledState(), [text] { return text; });
    QVERIFY(writer.flush());
    QCOMPARE(JournalReader::read(path())->text, readBack);
}

void tst_JournalWriter::removeDeletesTheFile()
{
    JournalWriter writer(path(), 0ms);
    writer.snapshot(untitledState(), text(QStringLiteral("kept a moment")));
    QVERIFY(writer.flush());
    QVERIFY(QFile::exists(path()));
    writer.edit(0, 0, QStringLiteral("dropped with the file"));
    writer.remove();
    QVERIFY(writer.flush());
    QVERIFY(!QFile::exists(path()));
}

// A write the disk refuses leaves the file as it was before that write, and goes in once
// there is room again.
void tst_JournalWriter::fullDiskKeepsEveryWrittenRecord()
{
    JournalWriter writer(path(), 0ms);
    QList<int> failures;
    writer.setWriteFailed([&](int error) { failures.append(error); });
    writer.snapshot(untitledState(), text(QStringLiteral("before")));
    QVERIFY(writer.flush());
    const qint64 size = QFileInfo(path()).size();
    {
        const FileSizeLimit full(rlim_t(size + 10));
        writer.edit(6, 0, QString(1000, u'x'));
        QVERIFY(!writer.flush());
        writer.edit(0, 0, QStringLiteral("y"));
        QVERIFY(!writer.flush());
        QCOMPARE(failures, QList<int>{EFBIG});
        QCOMPARE(QFileInfo(path()).size(), size);
        QCOMPARE(JournalReader::read(path())->text, QStringLiteral("before"));
    }
    QVERIFY(writer.flush());
    QCOMPARE(JournalReader::read(path())->text, QStringLiteral("ybefore") + QString(1000, u'x'));
}

void tst_JournalWriter::compactionAskedOnceGrown()
{
    JournalWriter writer(path(), 0ms, 200);
    std::atomic_int asked = 0;
    writer.setCompactionWanted([&] { ++asked; });
    writer.snapshot(untitledState(), text(QString(300, u'a')));
    writer.edit(0, 0, QString(100, u'b'));
    QVERIFY(writer.flush());
    QCOMPARE(asked.load(), 0);
    writer.edit(0, 0, QString(300, u'c'));
    QVERIFY(writer.flush());
    QCOMPARE(asked.load(), 1);
    writer.edit(0, 0, QString(300, u'd'));
    QVERIFY(writer.flush());
    QCOMPARE(asked.load(), 1);
}

void tst_JournalWriter::folderAndFilesAreTheUsersAlone()
{
    const QString folder = mDir.filePath(QStringLiteral("state/sifta"));
    const std::unique_ptr<JournalSlot> slot = JournalSlot::claim(folder);
    QVERIFY(slot);
    QCOMPARE(QFileInfo(folder).permissions() & 0x0077, QFile::Permissions());
    JournalWriter writer(slot->journalPath(), 0ms);
    writer.snapshot(untitledState(), text(QStringLiteral("private")));
    QVERIFY(writer.flush());
    QCOMPARE(QFileInfo(slot->journalPath()).permissions() & 0x0077, QFile::Permissions());
}

void tst_JournalWriter::orphans_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<bool>("orphan");
    QTest::newRow("held by a window of this process") << "this process" << false;
    QTest::newRow("no lock file") << "nobody" << true;
    QTest::newRow("lock of a process that has ended") << "ended process" << true;
}

void tst_JournalWriter::orphans()
{
    QFETCH(QString, owner);
    QFETCH(bool, orphan);
    const QTemporaryDir folder;
    std::unique_ptr<JournalSlot> slot = JournalSlot::claim(folder.path());
    QFile(slot->journalPath()).open(QIODevice::WriteOnly);
    const QString journal = slot->journalPath();
    if (owner == QLatin1String("nobody")) {
        slot.reset();
    } else if (owner == QLatin1String("ended process")) {
        slot.reset();
        QProcess ended;
        ended.start(QStringLiteral("true"));
        QVERIFY(ended.waitForStarted());
        const qint64 pid = ended.processId();
        QVERIFY(ended.waitForFinished());
        QFile lock(journal + QStringLiteral(".lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(QByteArray::number(pid) + "\n" + QCoreApplication::applicationName().toUtf8() + "\n"
                   + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    const std::vector<std::unique_ptr<JournalSlot>> found = JournalSlot::orphans(folder.path());
    QCOMPARE(found.size(), orphan ? 1u : 0u);
    if (orphan)
        QCOMPARE(found.front()->journalPath(), journal);
}

QTEST_GUILESS_MAIN(tst_JournalWriter)
#include "tst_journalwriter.moc"
