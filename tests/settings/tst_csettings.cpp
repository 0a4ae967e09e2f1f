#include "settings/CSettings.h"
#include "support/RecordingMessageBox.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum class Place { IniFile, UserArea };

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

/// Every test gets a fresh temporary folder holding the program folder and the per-user
/// store's file; the real home folder is never touched.
class tst_CSettings : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> mDir;
    RecordingMessageBox mMessages;

    QString writableFolder() const { return mDir->filePath(u"program"_s); }
    // Permission bits do not stop root, so the read-only program folder is a path that is a
    // regular file: no Settings.ini can be created below it by anybody.
    QString unwritableFolder() const { return mDir->filePath(u"program-file"_s); }
    QString iniPath() const { return QDir(writableFolder()).filePath(u"Settings.ini"_s); }
    QString userPath() const { return mDir->filePath(u"user.conf"_s); }

    std::unique_ptr<CSettings> open(const QString& folder)
    {
        return std::make_unique<CSettings>(mMessages, folder,
                                           std::make_unique<QSettings>(userPath(), QSettings::IniFormat));
    }
    std::unique_ptr<CSettings> open(Place place)
    {
        if (place == Place::UserArea) {
            auto settings = open(writableFolder());
            settings->SaveToINI(false);
            return settings;
        }
        return open(writableFolder());
    }
    QVariant userValue(const QString& key) const
    {
        return QSettings(userPath(), QSettings::IniFormat).value(u"Settings/"_s + key);
    }
    void writeIni(const QByteArray& bytes)
    {
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstRunWithWritableFolder();
    void firstRunWithReadOnlyFolder();
    void nextStartKeepsTheChosenPlace_data();
    void nextStartKeepsTheChosenPlace();
    void switchingToUserAreaKeepsTheIniFile();
    void switchingToIniFile_data();
    void switchingToIniFile();
    void getSettingDefaults_data();
    void getSettingDefaults();
    void saveSettingConversions_data();
    void saveSettingConversions();
    void deleteSetting_data();
    void deleteSetting();
    void valuesComeBackExactly_data();
    void valuesComeBackExactly();
    void keyWrittenTwiceStaysOneLine();
    void handEditedFileSurvives();
    void damagedFileReadsAsMissing();
    void brokenCharacterInIniValueIsReportedAndLosesNothing();
    void saveSettingsInOneGo_data();
    void saveSettingsInOneGo();
    void unreadableIniFileIsReportedAndLeftAlone();
    void unwritableFolderDropsWritesSilently();
    void userAreaIsTheNativeStoreOfSifta();
};

void tst_CSettings::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void tst_CSettings::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
    QVERIFY(QDir(mDir->path()).mkdir(u"program"_s));
    QFile file(unwritableFolder());
    QVERIFY(file.open(QIODevice::WriteOnly));
    mMessages.shown.clear();
}

void tst_CSettings::cleanup()
{
    mDir.reset();
}

void tst_CSettings::firstRunWithWritableFolder()
{
    auto settings = open(writableFolder());
    QVERIFY(settings->SaveToINI());
    QCOMPARE(settings->INIFile(), iniPath());
    QCOMPARE(readAll(iniPath()), "[Settings]\nSaveToINI=-1\n"_ba);
    QVERIFY(!userValue(u"SaveToINI"_s).isValid());
    QCOMPARE(settings->GetSetting(u"Pattern"_s, QString()), QString());
    QCOMPARE(settings->GetSetting(u"WordWrap"_s, true), u"True"_s);
    QVERIFY(mMessages.shown.isEmpty());
}

void tst_CSettings::firstRunWithReadOnlyFolder()
{
    auto settings = open(unwritableFolder());
    QVERIFY(!settings->SaveToINI());
    QCOMPARE(userValue(u"SaveToINI"_s).toString(), u"0"_s);
    QCOMPARE(settings->GetSetting(u"ShowSyntax"_s, true), u"True"_s);
    QVERIFY(mMessages.shown.isEmpty());
}

void tst_CSettings::nextStartKeepsTheChosenPlace_data()
{
    QTest::addColumn<bool>("firstFolderWritable");
    QTest::addColumn<bool>("expectIni");

    QTest::newRow("INI file again after a writable start") << true << true;
    // The second start has a writable folder, yet stays with the per-user area.
    QTest::newRow("per-user area again after a read-only start") << false << false;
}

void tst_CSettings::nextStartKeepsTheChosenPlace()
{
    QFETCH(bool, firstFolderWritable);
    QFETCH(bool, expectIni);

    open(firstFolderWritable ? writableFolder() : unwritableFolder()).reset();
    const bool iniExisted = QFile::exists(iniPath());

    auto settings = open(writableFolder());
    QCOMPARE(settings->SaveToINI(), expectIni);
    QCOMPARE(QFile::exists(iniPath()), iniExisted);
    settings.reset();
    if (expectIni)
        QVERIFY(!userValue(u"SaveToINI"_s).isValid());
    else
        QCOMPARE(userValue(u"SaveToINI"_s).toString(), u"0"_s);
    QVERIFY(mMessages.shown.isEmpty());
}

void tst_CSettings::switchingToUserAreaKeepsTheIniFile()
{
    auto settings = open(writableFolder());
    settings->SaveSetting(u"Pattern"_s, u"a+"_s);
    const QByteArray before = readAll(iniPath());

    settings->SaveToINI(false);
    QVERIFY(!settings->SaveToINI());
    QCOMPARE(userValue(u"SaveToINI"_s).toString(), u"0"_s);
    QCOMPARE(settings->GetSetting(u"Pattern"_s, QString()), QString());
    settings.reset();
    QCOMPARE(readAll(iniPath()), before);
    QCOMPARE(userValue(u"SaveToINI"_s).toString(), u"0"_s);
}

void tst_CSettings::switchingToIniFile_data()
{
    QTest::addColumn<bool>("startInUserArea");
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<bool>("expectIni");

    QTest::newRow("from the per-user area") << true << true << true;
    // The per-user area holds no location value to delete; that failure is ignored.
    QTest::newRow("again while the INI file is in use") << false << true << true;
    QTest::newRow("unwritable folder falls back silently") << true << false << false;
}

void tst_CSettings::switchingToIniFile()
{
    QFETCH(bool, startInUserArea);
    QFETCH(bool, folderWritable);
    QFETCH(bool, expectIni);

    auto settings = open(folderWritable ? writableFolder() : unwritableFolder());
    if (startInUserArea)
        settings->SaveToINI(false);
    settings->SaveToINI(true);
    QCOMPARE(settings->SaveToINI(), expectIni);
    QCOMPARE(QFile::exists(iniPath()), expectIni);
    if (expectIni) {
        QVERIFY(!userValue(u"SaveToINI"_s).isValid());
        QVERIFY(readAll(iniPath()).contains("SaveToINI=-1\n"));
    } else {
        QCOMPARE(userValue(u"SaveToINI"_s).toString(), u"0"_s);
    }
    QVERIFY(mMessages.shown.isEmpty());
}

void tst_CSettings::getSettingDefaults_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<QString>("expected");

    for (const Place place : {Place::IniFile, Place::UserArea}) {
        const char* name = place == Place::IniFile ? "INI file" : "per-user area";
        QTest::addRow("%s: true as the word True", name) << place << QVariant(true) << u"True"_s;
        QTest::addRow("%s: false as the word False", name) << place << QVariant(false) << u"False"_s;
        QTest::addRow("%s: number as its digits", name) << place << QVariant(0) << u"0"_s;
        QTest::addRow("%s: text as itself", name) << place << QVariant(u" x "_s) << u" x "_s;
        QTest::addRow("%s: no default as empty text", name) << place << QVariant() << QString();
    }
}

void tst_CSettings::getSettingDefaults()
{
    QFETCH(Place, place);
    QFETCH(QVariant, defaultValue);
    QFETCH(QString, expected);

    auto settings = open(place);
    QCOMPARE(settings->GetSetting(u"Missing"_s, defaultValue), expected);
    settings->SaveSetting(u"WordWrap"_s, false);
    QCOMPARE(settings->GetSetting(u"WordWrap"_s, true), u"0"_s);
}

void tst_CSettings::saveSettingConversions_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("stored");

    for (const Place place : {Place::IniFile, Place::UserArea}) {
        const char* name = place == Place::IniFile ? "INI file" : "per-user area";
        QTest::addRow("%s: check box value 1", name) << place << QVariant(1) << u"1"_s;
        QTest::addRow("%s: true as -1", name) << place << QVariant(true) << u"-1"_s;
        QTest::addRow("%s: false as 0", name) << place << QVariant(false) << u"0"_s;
        QTest::addRow("%s: text unchanged", name) << place << QVariant(u"True"_s) << u"True"_s;
        // An empty text is a value of its own, not a request to delete the key.
        QTest::addRow("%s: empty text", name) << place << QVariant(QString()) << QString();
    }
}

void tst_CSettings::saveSettingConversions()
{
    QFETCH(Place, place);
    QFETCH(QVariant, value);
    QFETCH(QString, stored);

    auto settings = open(place);
    settings->SaveSetting(u"Key"_s, value);
    QCOMPARE(settings->GetSetting(u"Key"_s, u"default"_s), stored);
    if (place == Place::IniFile)
        QVERIFY(readAll(iniPath()).contains("\nKey=" + stored.toUtf8() + '\n'));
    else
        QCOMPARE(userValue(u"Key"_s).toString(), stored);
}

void tst_CSettings::deleteSetting_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QString>("key");

    for (const Place place : {Place::IniFile, Place::UserArea}) {
        const char* name = place == Place::IniFile ? "INI file" : "per-user area";
        QTest::addRow("%s: one key", name) << place << u"Pattern"_s;
        QTest::addRow("%s: a key that is not there", name) << place << u"Missing"_s;
        QTest::addRow("%s: the whole section", name) << place << QString();
    }
}

void tst_CSettings::deleteSetting()
{
    QFETCH(Place, place);
    QFETCH(QString, key);

    if (place == Place::IniFile)
        writeIni("; kept\n[Other]\nPattern=other\n"_ba);
    auto settings = open(place);
    settings->SaveSetting(u"Pattern"_s, u"a+"_s);
    settings->SaveSetting(u"Replace"_s, u"b"_s);

    settings->DeleteSetting(key);
    const bool wholeSection = key.isEmpty();
    QCOMPARE(settings->GetSetting(u"Pattern"_s, u"none"_s), key == u"Missing" ? u"a+"_s : u"none"_s);
    QCOMPARE(settings->GetSetting(u"Replace"_s, u"none"_s), wholeSection ? u"none"_s : u"b"_s);
    QCOMPARE(settings->SaveToINI(), place == Place::IniFile);
    if (place == Place::IniFile) {
        const QByteArray contents = readAll(iniPath());
        QVERIFY(contents.startsWith("; kept\n[Other]\nPattern=other\n"));
        QCOMPARE(contents.contains("SaveToINI"), !wholeSection);
        settings.reset();
        // The release writes the location key back into the file in use.
        QVERIFY(readAll(iniPath()).contains("SaveToINI=-1"));
        // The location is read from the per-user area, so the next start stays with the INI file.
        QVERIFY(open(writableFolder())->SaveToINI());
    }
    QVERIFY(mMessages.shown.isEmpty());
}

void tst_CSettings::valuesComeBackExactly_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QString>("value");

    for (const Place place : {Place::IniFile, Place::UserArea}) {
        const char* name = place == Place::IniFile ? "INI file" : "per-user area";
        // Values of more than 255 characters were cut off by the old profile functions.
        QTest::addRow("%s: 300 characters", name) << place << QString(300, u'r');
        QTest::addRow("%s: 100000 characters", name) << place << QString(100000, u'R');
        QTest::addRow("%s: blanks at both ends", name) << place << u"  a+ "_s;
        QTest::addRow("%s: enclosed in quotation marks", name) << place << u"\"x\""_s;
        QTest::addRow("%s: encoded replacement with backslashes", name) << place << u"a\\\\b\\r\\nc\\"_s;
        QTest::addRow("%s: non-ASCII", name) << place << u"gr\u00fc\u00df \u4e2d\u6587 \U0001F600"_s;
        QTest::addRow("%s: equals sign and brackets", name) << place << u"[a]=b;"_s;
        QTest::addRow("%s: comma list", name) << place << u"a, b,c"_s;
        QTest::addRow("%s: two lines", name) << place << u"line 1\r\nline 2"_s;
        QTest::addRow("%s: lone carriage return and line feed", name) << place << u"a\rb\n"_s;
        QTest::addRow("%s: line break before what looks like a key line", name) << place << u"x\nSaveToINI=0"_s;
        QTest::addRow("%s: line breaks, quotation marks and blanks at the ends", name)
            << place << u" \t\"a=b\"\r\n\\n \u00e9 "_s;
        QTest::addRow("%s: quoted with escapes inside", name) << place << u"\"\\s\\n\n\\\"\""_s;
    }
    QTest::addRow("per-user area: line break") << Place::UserArea << u"a\r\nb"_s;
}

void tst_CSettings::valuesComeBackExactly()
{
    QFETCH(Place, place);
    QFETCH(QString, value);

    open(place)->SaveSetting(u"Replace"_s, value);
    auto settings = open(writableFolder());
    QCOMPARE(settings->SaveToINI(), place == Place::IniFile);
    QCOMPARE(settings->GetSetting(u"Replace"_s, QString()), value);
    QVERIFY(mMessages.shown.isEmpty());
}

void tst_CSettings::keyWrittenTwiceStaysOneLine()
{
    auto settings = open(writableFolder());
    settings->SaveSetting(u"Pattern"_s, u"one"_s);
    settings->SaveSetting(u"Pattern"_s, u"two"_s);
    settings.reset();
    QCOMPARE(readAll(iniPath()), "[Settings]\nSaveToINI=-1\nPattern=two\n"_ba);
}

void tst_CSettings::handEditedFileSurvives()
{
    writeIni("; my notes\r\n\r\n[Window]\r\nLeft=10\r\n\r\n[settings]\r\n  pattern = old  \r\n"
             "Custom=\"kept\"\r\n\r\n; end of settings\r\n[Tail]\r\nX=1"_ba);
    auto settings = open(writableFolder());
    QCOMPARE(settings->GetSetting(u"Pattern"_s, QString()), u"old"_s);
    settings->SaveSetting(u"Pattern"_s, u"new"_s);
    settings->SaveSetting(u"WordWrap"_s, false);
    settings.reset();
    QCOMPARE(readAll(iniPath()),
             "; my notes\r\n\r\n[Window]\r\nLeft=10\r\n\r\n[settings]\r\nPattern=new\r\nCustom=\"kept\"\r\n"
             "SaveToINI=-1\r\nWordWrap=0\r\n\r\n; end of settings\r\n[Tail]\r\nX=1"_ba);
}

void tst_CSettings::damagedFileReadsAsMissing()
{
    const QByteArray head = "\x00\xFF\xFE\n[Settings]\n\x00Pattern\x00=\x01\n"_ba;
    const QByteArray damagedValue = "Replace=\xC3(\n"_ba;
    const QByteArray tail = "\n\x7F\x80\x81"_ba;
    writeIni(head + damagedValue + tail.sliced(1));
    auto settings = open(writableFolder());
    QVERIFY(settings->SaveToINI());
    QCOMPARE(settings->GetSetting(u"Pattern"_s, u"default"_s), u"default"_s);
    QCOMPARE(settings->GetSetting(u"Replace"_s, u"default"_s), u"default"_s);
    settings->SaveSetting(u"Pattern"_s, u"a+"_s);
    QCOMPARE(settings->GetSetting(u"Pattern"_s, QString()), u"a+"_s);
    const QByteArray contents = readAll(iniPath());
    QVERIFY(contents.startsWith(head));
    QVERIFY(contents.contains(damagedValue));
    QVERIFY(contents.endsWith(tail));
    QVERIFY(mMessages.shown.isEmpty());
}

void tst_CSettings::brokenCharacterInIniValueIsReportedAndLosesNothing()
{
    auto settings = open(writableFolder());
    settings->SaveSetting(u"Pattern"_s, u"old"_s);
    const QByteArray before = readAll(iniPath());

    settings->SaveSetting(u"Pattern"_s, u"a\nSaveToINI=0"_s + QChar(0xD800));
    QCOMPARE(mMessages.shown.size(), 1);
    QCOMPARE(mMessages.shown[0].title, u"INIWriteSetting"_s);
    QCOMPARE(mMessages.shown[0].icon, MessageIcon::None);
    QCOMPARE(mMessages.shown[0].buttons, MessageButtons::Ok);
    QVERIFY(mMessages.shown[0].text.startsWith(u"Error: 4. The value of \"Pattern\" holds a broken character"));
    QCOMPARE(readAll(iniPath()), before);
    QCOMPARE(settings->GetSetting(u"Pattern"_s, QString()), u"old"_s);
}

void tst_CSettings::saveSettingsInOneGo_data()
{
    QTest::addColumn<Place>("place");

    QTest::newRow("INI file") << Place::IniFile;
    QTest::newRow("per-user area") << Place::UserArea;
}

void tst_CSettings::saveSettingsInOneGo()
{
    QFETCH(Place, place);

    auto settings = open(place);
    settings->SaveSetting(u"Kept"_s, u"k"_s);
    settings->SaveSetting(u"Gone"_s, u"g"_s);
    settings->SaveSettings({{u"B"_s, true}, {u"A"_s, 2}, {u"Kept"_s, u"two\nlines"_s}, {u"Empty"_s, QString()}},
                           {u"Gone"_s, u"Missing"_s});

    QCOMPARE(settings->GetSetting(u"A"_s, u"none"_s), u"2"_s);
    QCOMPARE(settings->GetSetting(u"B"_s, u"none"_s), u"-1"_s);
    QCOMPARE(settings->GetSetting(u"Kept"_s, u"none"_s), u"two\nlines"_s);
    QCOMPARE(settings->GetSetting(u"Empty"_s, u"none"_s), QString());
    QCOMPARE(settings->GetSetting(u"Gone"_s, u"none"_s), u"none"_s);
    if (place == Place::IniFile)
        QCOMPARE(readAll(iniPath()), "[Settings]\nSaveToINI=-1\nKept=\"two\\nlines\"\nB=-1\nA=2\nEmpty=\n"_ba);
    else
        QVERIFY(!userValue(u"Gone"_s).isValid());
    QVERIFY(mMessages.shown.isEmpty());
}

// A folder named Settings.ini stands for a file that exists but cannot be read.
void tst_CSettings::unreadableIniFileIsReportedAndLeftAlone()
{
    QVERIFY(QDir(writableFolder()).mkdir(u"Settings.ini"_s));
    auto settings = open(writableFolder());
    QVERIFY(!settings->SaveToINI());
    QCOMPARE(mMessages.shown.size(), 1);
    QCOMPARE(mMessages.shown[0].title, u"INIWriteSetting"_s);
    QVERIFY(mMessages.shown[0].text.startsWith(u"Error: 1. Cannot read "));
    QVERIFY(QFileInfo(iniPath()).isDir());
    QCOMPARE(userValue(u"SaveToINI"_s).toString(), u"0"_s);
}

void tst_CSettings::unwritableFolderDropsWritesSilently()
{
    auto settings = open(writableFolder());
    QVERIFY(settings->SaveToINI());
    // The program folder turns read-only while the INI file is in use.
    QVERIFY(QFile::remove(iniPath()));
    QVERIFY(QDir(mDir->path()).rmdir(u"program"_s));
    QFile blocker(writableFolder());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    settings->SaveSetting(u"Pattern"_s, u"lost"_s);
    QCOMPARE(settings->GetSetting(u"Pattern"_s, u"default"_s), u"default"_s);
    settings.reset();
    QVERIFY(mMessages.shown.isEmpty());
    QVERIFY(!userValue(u"Pattern"_s).isValid());
}

// In test mode the native per-user store lies below the test's own configuration folder.
void tst_CSettings::userAreaIsTheNativeStoreOfSifta()
{
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QVERIFY(configFolder.contains(u".qttest"));
    const QString fileName = CSettings::defaultUserStore()->fileName();
    QCOMPARE(fileName, configFolder + u"/Sifta/Sifta.conf"_s);

    auto settings = std::make_unique<CSettings>(mMessages, unwritableFolder());
    settings->SaveSetting(u"Pattern"_s, u"a+"_s);
    settings.reset();
    QSettings stored(fileName, QSettings::IniFormat);
    QCOMPARE(stored.value(u"Settings/Pattern"_s).toString(), u"a+"_s);
    QCOMPARE(stored.value(u"Settings/SaveToINI"_s).toString(), u"0"_s);
    QVERIFY(QFile::remove(fileName));
}

QTEST_GUILESS_MAIN(tst_CSettings)
#include "tst_csettings.moc"
