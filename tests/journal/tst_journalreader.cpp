#include "JournalSamples.h"

#include "journal/Crc32c.h"
#include "journal/GapText.h"
#include "journal/JournalReader.h"

#include <QRandomGenerator>
#include <QTest>

#include <QtEndian>

class tst_JournalReader : public QObject {
    Q_OBJECT

private slots:
    void crc32c_data();
    void crc32c();
    void crc32cGoesOn();
    void wholeJournal();
    void tornJournal_data();
    void tornJournal();
    void refused_data();
    void refused();
    void gapTextFollowsReplace_data();
    void gapTextFollowsReplace();
};

void tst_JournalReader::crc32c_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<quint32>("crc");
    QTest::newRow("empty") << QByteArray() << 0u;
    QTest::newRow("check value of 123456789") << QByteArray("123456789") << 0xE3069283u;
    QTest::newRow("32 zero bytes") << QByteArray(32, '\0') << 0x8A9136AAu;
    QTest::newRow("32 bytes 0xFF") << QByteArray(32, '\xFF') << 0x62A8AB43u;
}

void tst_JournalReader::crc32c()
{
    QFETCH(QByteArray, bytes);
    QFETCH(quint32, crc);
    QCOMPARE(::crc32c(bytes), crc);
}

void tst_JournalReader::crc32cGoesOn()
{
    const QByteArray bytes = QByteArray("a journal checksum over several pieces of uneven length").repeated(3);
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut)
        QCOMPARE(::crc32c(QByteArrayView(bytes).sliced(cut), ::crc32c(QByteArrayView(bytes).first(cut))), ::crc32c(bytes));
}

void tst_JournalReader::wholeJournal()
{
    const SampleJournal journal = SampleJournal::typical();
    const JournalReading read = JournalReader::replay(journal.bytes);
    QVERIFY(read.ok());
    QCOMPARE(read->text, journal.texts.last());
    QCOMPARE(read->state, journal.states.last());
    QCOMPARE(read->records, journal.texts.size());
    QVERIFY(read->whole);
    QCOMPARE(read->lastChange.toMSecsSinceEpoch(), 3000);
}

// Whatever a crash or a full disk leaves of the journal, every record before the damage
// comes back and nothing after it.
void tst_JournalReader::tornJournal_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("records");

    const SampleJournal journal = SampleJournal::typical();
    const qsizetype last = journal.recordStarts.last();
    const auto lastCount = int(journal.texts.size());
    for (qsizetype cut = last + 1; cut < journal.bytes.size(); ++cut)
        QTest::addRow("cut %lld bytes into the last record", qlonglong(cut - last))
            << journal.bytes.first(cut) << lastCount - 1;

    for (const qsizetype zeroed : {qsizetype(8), qsizetype(16), journal.bytes.size() - last}) {
        QByteArray bytes = journal.bytes;
        bytes.replace(bytes.size() - zeroed, zeroed, QByteArray(zeroed, '\0'));
        QTest::addRow("last %lld bytes zeroed", qlonglong(zeroed)) << bytes << lastCount - 1;
    }
    QTest::newRow("a zeroed block after the last record")
        << journal.bytes + QByteArray(4096, '\0') << lastCount;

    QByteArray swapped = journal.bytes.first(journal.recordStarts[2]);
    swapped += journal.bytes.sliced(journal.recordStarts[3], journal.recordStarts[4] - journal.recordStarts[3]);
    swapped += journal.bytes.sliced(journal.recordStarts[2], journal.recordStarts[3] - journal.recordStarts[2]);
    swapped += journal.bytes.sliced(journal.recordStarts[4]);
    QTest::newRow("third and fourth records swapped") << swapped << 2;

    QByteArray flipped = journal.bytes;
    flipped[journal.recordStarts[1] + JournalRecord::kFrameSize + 20] ^= 0x01;
    QTest::newRow("one bit flipped in the second record") << flipped << 1;

    QByteArray repeated = journal.bytes.first(journal.recordStarts[2]);
    repeated += journal.bytes.sliced(journal.recordStarts[1], journal.recordStarts[2] - journal.recordStarts[1]);
    QTest::newRow("second record written twice") << repeated << 2;

    SampleJournal outside;
    outside.snapshot({}, QStringLiteral("short"));
    outside.edit(0, 1, QString());
    QByteArray pastEnd = outside.bytes + JournalRecord::editRecord(3, 0, 4, 9, "x");
    QTest::newRow("edit past the end of the text") << pastEnd << 2;
}

void tst_JournalReader::tornJournal()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, records);
    const JournalReading read = JournalReader::replay(bytes);
    QVERIFY(read.ok());
    QCOMPARE(read->records, records);

    // The document the same records make when nothing follows them.
    const JournalReading expected = JournalReader::replay(QByteArrayView(bytes).first(
        JournalRecord::kHeaderSize + [&] {
            qsizetype at = JournalRecord::kHeaderSize;
            for (int i = 0; i < records; ++i)
                at += JournalRecord::read(QByteArrayView(bytes).sliced(at))->second;
            return at - JournalRecord::kHeaderSize;
        }()));
    QCOMPARE(read->text, expected->text);
    QCOMPARE(read->state, expected->state);
    QVERIFY(!read->whole);
}

void tst_JournalReader::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<JournalProblem>("problem");

    const QByteArray journal = SampleJournal::typical().bytes;
    QTest::newRow("empty file") << QByteArray() << JournalProblem::NotOurs;
    QTest::newRow("another program's file") << QByteArray("GIF89a").append(journal.sliced(6)) << JournalProblem::NotOurs;
    QTest::newRow("header cut short") << journal.first(10) << JournalProblem::NotOurs;
    QByteArray newer = journal;
    qToLittleEndian(JournalRecord::kVersion + 1, newer.data() + 8);
    qToLittleEndian(::crc32c(QByteArrayView(newer).first(12)), newer.data() + 12);
    QTest::newRow("newer version") << newer << JournalProblem::Newer;
    QTest::newRow("header only") << JournalRecord::header() << JournalProblem::Empty;
    QTest::newRow("first record cut short") << journal.first(JournalRecord::kHeaderSize + 20) << JournalProblem::Empty;
    QTest::newRow("first record not a snapshot")
        << JournalRecord::header() + JournalRecord::stateRecord(1, 0, {}) << JournalProblem::Empty;
}

void tst_JournalReader::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(JournalProblem, problem);
    const JournalReading read = JournalReader::replay(bytes);
    QVERIFY(!read.ok());
    QCOMPARE(read.error(), problem);
}

void tst_JournalReader::gapTextFollowsReplace_data()
{
    QTest::addColumn<int>("firstEdit");
    QTest::newRow("room after the text") << -1;
    QTest::newRow("room before the text") << 0;
}

void tst_JournalReader::gapTextFollowsReplace()
{
    QFETCH(int, firstEdit);
    QRandomGenerator random(27);
    QString reference = QStringLiteral("the starting text of the gap buffer, with é and 𝄞");
    GapText text = GapText::fromUtf8(reference.toUtf8(), firstEdit);
    for (int i = 0; i < 2000; ++i) {
        const auto position = qsizetype(random.bounded(int(reference.size()) + 1));
        const auto removed = qsizetype(random.bounded(int(std::min<qsizetype>(8, reference.size() - position)) + 1));
        const QString inserted = QString(random.bounded(12), QChar(u'a' + random.bounded(26)));
        QVERIFY(text.replace(position, removed, inserted));
        reference.replace(position, removed, inserted);
        QCOMPARE(text.size(), reference.size());
    }
    QVERIFY(!text.replace(reference.size(), 1, QString()));
    QCOMPARE(text.take(), reference);
}

QTEST_GUILESS_MAIN(tst_JournalReader)
#include "tst_journalreader.moc"
