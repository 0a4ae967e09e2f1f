// A Settings.ini that is garbage or not a file at all: the store starts, keeps the user's
// values somewhere they can be read back, and never destroys what it found.

#include "settings/CSettings.h"
#include "settings/IniText.h"
#include "support/HostileBytes.h"
#include "support/RecordingMessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

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

} // namespace

class TestHostileSettings : public QObject {
    Q_OBJECT

private slots:
    void init();

    void randomBytesKeepTheirLines_data();
    void randomBytesKeepTheirLines();
    void folderNamedSettingsIniIsLeftAlone();

private:
    std::unique_ptr<CSettings> open()
    {
        return std::make_unique<CSettings>(mMessages, mDir->path(),
                                           std::make_unique<QSettings>(userPath(), QSettings::IniFormat));
    }
    QString iniPath() const { return mDir->filePath(QStringLiteral("Settings.ini")); }
    QString userPath() const { return mDir->filePath(QStringLiteral("user/Sifta.conf")); }

    std::unique_ptr<QTemporaryDir> mDir;
    RecordingMessageBox mMessages;
};

void TestHostileSettings::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
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

QTEST_GUILESS_MAIN(TestHostileSettings)
#include "tst_hostilesettings.moc"
