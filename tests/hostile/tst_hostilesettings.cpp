// A Settings.ini that is garbage or not a file at all, a disk that is full, a second program
// writing at the same time, a writer killed half way: the store starts, keeps the user's
// values somewhere they can be read back, and never destroys what it found.

#include "LabelledOptions.h"
#include "ScratchMount.h"
#include "settings/CSettings.h"
#include "settings/IniText.h"
#include "support/FileSizeLimit.h"
#include "support/HostileBytes.h"
#include "support/RecordingMessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QList<QByteArray> lines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

/// True when every line of `old` is still in `now`, in the same order, whatever lines were
/// added between them; a line may have gained a line break.
bool keepsEveryLine(const QByteArray& old, const QByteArray& now)
{
    const QList<QByteArray> oldLines = lines(old);
    const QList<QByteArray> newLines = lines(now);
    qsizetype at = 0;
    for (const QByteArray& line : oldLines) {
        while (at < newLines.size() && newLines[at] != line)
            ++at;
        if (at == newLines.size())
            return false;
        ++at;
    }
    return true;
}

/// Fills the file system that holds `path` with that file, then frees one block of it: room
/// for a lock file, none for a new Settings.ini.
bool fillLeavingOneBlock(const QString& path)
{
    constexpr qint64 kBlock = 4096;
    QFile filler(path);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(kBlock, 'f');
    while (filler.write(block) == kBlock) {
    }
    return filler.resize(((filler.size() + kBlock - 1) / kBlock - 1) * kBlock);
}

enum class Obstacle { FileSizeLimit, FullFileSystem };

} // namespace

Q_DECLARE_METATYPE(Obstacle)

class TestHostileSettings : public QObject {
    Q_OBJECT

private slots:
    void init();

    void randomBytesKeepTheirLines_data();
    void randomBytesKeepTheirLines();
    void folderNamedSettingsIniIsLeftAlone();

    void fullDiskKeepsSettingsIni_data();
    void fullDiskKeepsSettingsIni();
    void twoProgramsWritingAtOnceKeepWholeSets();
    void writerKilledHalfWayLeavesNothingBehind();

private:
    std::unique_ptr<CSettings> open()
    {
        return std::make_unique<CSettings>(mMessages, mDir->path(),
                                           std::make_unique<QSettings>(userPath(), QSettings::IniFormat));
    }
    QString iniPath() const { return mDir->filePath(QStringLiteral("Settings.ini")); }
    QString userPath() const { return mDir->filePath(QStringLiteral("user/Sifta.conf")); }

    /// A program folder that holds nothing but what the store puts there.
    QString programFolder() const { return mDir->filePath(u"program"_s); }
    QString programIni() const { return QDir(programFolder()).filePath(u"Settings.ini"_s); }
    std::unique_ptr<CSettings> openProgramFolder()
    {
        return std::make_unique<CSettings>(mMessages, programFolder(),
                                           std::make_unique<QSettings>(userPath(), QSettings::IniFormat));
    }
    QStringList programFiles() const
    {
        return QDir(programFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    std::unique_ptr<QTemporaryDir> mDir;
    RecordingMessageBox mMessages;
};

void TestHostileSettings::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
    QVERIFY(QDir(mDir->path()).mkdir(u"program"_s));
    mMessages = RecordingMessageBox();
}

void TestHostileSettings::randomBytesKeepTheirLines_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("4 KB of random bytes") << randomBytes(1, 4096);
    QTest::newRow("64 KB of random bytes") << randomBytes(2, 65536);
    QTest::newRow("random bytes with a settings section inside")
        << randomBytes(3, 2048) + "\n[Settings]\n" + randomBytes(4, 2048);
    QTest::newRow("random bytes after the key being written")
        << "[Settings]\r\nPattern=old\r\n" + randomBytes(5, 4096);
    QTest::newRow("NUL bytes only") << QByteArray(4096, '\0');
    QTest::newRow("one byte-order mark") << QByteArray("\xEF\xBB\xBF");
}

void TestHostileSettings::randomBytesKeepTheirLines()
{
    QFETCH(QByteArray, bytes);
    QFile file(iniPath());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    {
        const auto settings = open();
        QVERIFY(settings->SaveToINI());
        settings->SaveSetting(QStringLiteral("Pattern"), QStringLiteral("a+b"));
        settings->SaveSetting(QStringLiteral("Replace"), QStringLiteral("x\\r\\n"));
        QCOMPARE(settings->GetSetting(QStringLiteral("Pattern")), QStringLiteral("a+b"));
        QCOMPARE(settings->GetSetting(QStringLiteral("Missing"), QStringLiteral("default")), QStringLiteral("default"));
    }
    QCOMPARE(mMessages.texts(), QStringList());

    const QByteArray now = readBytes(iniPath());
    QVERIFY(keepsEveryLine(bytes, now) || bytes.contains("Pattern="));
    QCOMPARE(IniText::findValue(now, u"Settings", u"Replace"), QStringLiteral("x\\r\\n"));
    QCOMPARE(open()->GetSetting(QStringLiteral("Pattern")), QStringLiteral("a+b"));
}

void TestHostileSettings::folderNamedSettingsIniIsLeftAlone()
{
    QVERIFY(QDir(mDir->path()).mkdir(QStringLiteral("Settings.ini")));
    QVERIFY(QFile(QDir(iniPath()).filePath(QStringLiteral("inside.txt"))).open(QIODevice::WriteOnly));

    {
        const auto settings = open();
        QVERIFY(!settings->SaveToINI());
        settings->SaveSetting(QStringLiteral("Pattern"), QStringLiteral("a+b"));
        QCOMPARE(settings->GetSetting(QStringLiteral("Pattern")), QStringLiteral("a+b"));
    }
    for (const QString& text : mMessages.texts())
        QVERIFY2(text.contains(QStringLiteral("Settings.ini")), qPrintable(text));
    QVERIFY(QFileInfo(iniPath()).isDir());
    QVERIFY(QFileInfo::exists(QDir(iniPath()).filePath(QStringLiteral("inside.txt"))));
    QCOMPARE(QSettings(userPath(), QSettings::IniFormat).value(QStringLiteral("Settings/Pattern")).toString(),
             QStringLiteral("a+b"));
}

void TestHostileSettings::fullDiskKeepsSettingsIni_data()
{
    QTest::addColumn<Obstacle>("obstacle");
    QTest::addColumn<bool>("atStart");

    QTest::newRow("file-size limit at start-up") << Obstacle::FileSizeLimit << true;
    QTest::newRow("file-size limit at exit") << Obstacle::FileSizeLimit << false;
    QTest::newRow("full file system at start-up") << Obstacle::FullFileSystem << true;
    QTest::newRow("full file system at exit") << Obstacle::FullFileSystem << false;
}

// The writes used to be buffered and their failure noticed by nobody, so a full disk left
// Settings.ini empty or cut short.
void TestHostileSettings::fullDiskKeepsSettingsIni()
{
    QFETCH(Obstacle, obstacle);
    QFETCH(bool, atStart);

    std::unique_ptr<ScratchMount> mount;
    if (obstacle == Obstacle::FullFileSystem) {
        mount = std::make_unique<ScratchMount>(programFolder(), "64k");
        if (!mount->mounted())
            QSKIP(qPrintable(mount->error()));
    }
    writeRememberedOptions(*openProgramFolder(), labelledOptions(u"before"_s));
    const QByteArray before = readBytes(programIni());
    QCOMPARE(labelOf(before), u"before"_s);

    std::unique_ptr<CSettings> settings = atStart ? nullptr : openProgramFolder();
    std::unique_ptr<FileSizeLimit> limit;
    if (obstacle == Obstacle::FileSizeLimit)
        limit = std::make_unique<FileSizeLimit>(before.size() / 2);
    else
        QVERIFY(fillLeavingOneBlock(QDir(programFolder()).filePath(u"filler"_s)));
    const QStringList files = programFiles();
    if (atStart) {
        settings = openProgramFolder();
        QVERIFY(!settings->SaveToINI());
        // The options of the runs before still show, read from the file that cannot take changes.
        QVERIFY(optionsFromRefusedINI(*settings));
        QVERIFY(readRememberedOptions(*settings) == labelledOptions(u"before"_s));
    } else {
        writeRememberedOptions(*settings, labelledOptions(u"after"_s));
    }
    settings.reset();
    limit.reset();

    QVERIFY(readBytes(programIni()) == before);
    QCOMPARE(programFiles(), files);
    QCOMPARE(mMessages.texts(), QStringList());
}

// Two programs closing at the same moment used to interleave their keys one by one.
void TestHostileSettings::twoProgramsWritingAtOnceKeepWholeSets()
{
    openProgramFolder().reset();
    QProcess other;
    other.start(QStringLiteral(SETTINGS_WRITER), {programFolder(), userPath(), u"B"_s, u"100"_s});
    QVERIFY2(other.waitForReadyRead(), qPrintable(other.errorString()));

    auto settings = openProgramFolder();
    for (int round = 0; round < 50; ++round) {
        writeRememberedOptions(*settings, labelledOptions(u"A"_s));
        const QString label = labelOf(readBytes(programIni()));
        QVERIFY2(label == u"A" || label == u"B", qPrintable(u"round %1"_s.arg(round)));
    }
    settings.reset();
    QVERIFY(other.waitForFinished(-1));
    QCOMPARE(other.exitStatus(), QProcess::NormalExit);
    QCOMPARE(other.readAllStandardError(), QByteArray());
    QCOMPARE(other.exitCode(), 0);

    const QString label = labelOf(readBytes(programIni()));
    QVERIFY2(label == u"A" || label == u"B", qPrintable(label));
    QCOMPARE(programFiles(), QStringList{u"Settings.ini"_s});
    QCOMPARE(mMessages.texts(), QStringList());
}

// The other program is killed by the system in the middle of its write (it goes past the
// file size it may write), as a kill -9 would stop it.
void TestHostileSettings::writerKilledHalfWayLeavesNothingBehind()
{
    writeRememberedOptions(*openProgramFolder(), labelledOptions(u"before"_s));
    const QByteArray before = readBytes(programIni());
    QProcess other;
    other.start(QStringLiteral(SETTINGS_WRITER),
                {programFolder(), userPath(), u"after"_s, u"1"_s, QString::number(before.size() / 2)});
    QVERIFY(other.waitForFinished(-1));
    QCOMPARE(other.exitStatus(), QProcess::CrashExit);
    QVERIFY(readBytes(programIni()) == before);

    // The next start takes over the lock the killed writer left.
    writeRememberedOptions(*openProgramFolder(), labelledOptions(u"next"_s));
    QCOMPARE(labelOf(readBytes(programIni())), u"next"_s);
    QCOMPARE(programFiles(), QStringList{u"Settings.ini"_s});
    QCOMPARE(mMessages.texts(), QStringList());
}

QTEST_GUILESS_MAIN(TestHostileSettings)
#include "tst_hostilesettings.moc"
