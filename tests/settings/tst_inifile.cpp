#include "settings/IniFile.h"
#include "settings/IniText.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kSection = u"Settings"_s;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

/// What stands where a change of the file takes its lock.
enum class LockShape { Folder, OwnerGone, NoLockInside, OwnerLiving };
/// Nothing for a change that succeeds.
using Status = std::optional<IniStatus>;

} // namespace

class tst_IniFile : public QObject {
    Q_OBJECT

private slots:
    void findValue_data();
    void findValue();
    void setValue_data();
    void setValue();
    void removeKey_data();
    void removeKey();
    void removeSection_data();
    void removeSection();
    void anyBytesSurviveAWrite();
    void brokenValuesAndKeysAreRefused();
    void updateMakesEveryChangeItCan();
    void missingFileReadsEmpty();
    void unwritableFolderKeepsNothingHalfWritten();
    void unreadableFileIsNotOverwritten_data();
    void unreadableFileIsNotOverwritten();
    void lockBesideTheFile_data();
    void lockBesideTheFile();
};

void tst_IniFile::findValue_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << "[Settings]\nPattern=a+\n"_ba << "Pattern" << true << "a+";
    QTest::newRow("key without regard to case") << "[Settings]\npattern=x\n"_ba << "PATTERN" << true << "x";
    QTest::newRow("section without regard to case") << "[ settings ]\nKey=x\n"_ba << "Key" << true << "x";
    QTest::newRow("blanks around key and value dropped") << "[Settings]\n  Key \t=  x y \t\n"_ba << "Key" << true << "x y";
    QTest::newRow("one pair of quotation marks removed") << "[Settings]\nKey=\"\"x\"\"\n"_ba << "Key" << true << "\"x\"";
    QTest::newRow("quoted blanks kept") << "[Settings]\nKey=\" x \"\n"_ba << "Key" << true << " x ";
    QTest::newRow("lone quotation mark kept") << "[Settings]\nKey=\"\n"_ba << "Key" << true << "\"";
    QTest::newRow("equals sign in value") << "[Settings]\nKey=a=b\n"_ba << "Key" << true << "a=b";
    QTest::newRow("empty value is found") << "[Settings]\nKey=\n"_ba << "Key" << true << "";
    QTest::newRow("CR LF line ends") << "[Settings]\r\nKey=x\r\n"_ba << "Key" << true << "x";
    QTest::newRow("last line without line break") << "[Settings]\nKey=x"_ba << "Key" << true << "x";
    QTest::newRow("byte order mark before the header") << "\xEF\xBB\xBF[Settings]\nKey=x\n"_ba << "Key" << true << "x";
    QTest::newRow("UTF-8 value") << "[Settings]\nKey=caf\xC3\xA9\n"_ba << "Key" << true << u"caf\u00e9"_s;
    QTest::newRow("first of two keys counts") << "[Settings]\nKey=1\nKey=2\n"_ba << "Key" << true << "1";
    QTest::newRow("first of two sections counts") << "[Settings]\nA=1\n[Settings]\nKey=2\n"_ba << "Key" << false << "";
    QTest::newRow("key of another section") << "[Other]\nKey=x\n[Settings]\n"_ba << "Key" << false << "";
    QTest::newRow("key before any section") << "Key=x\n[Settings]\n"_ba << "Key" << false << "";
    QTest::newRow("commented key") << "[Settings]\n;Key=x\n"_ba << "Key" << false << "";
    QTest::newRow("key is a prefix of another") << "[Settings]\nPattern0=x\n"_ba << "Pattern" << false << "";
    QTest::newRow("invalid UTF-8 value is missing") << "[Settings]\nKey=\xFF\xFE\n"_ba << "Key" << false << "";
    QTest::newRow("binary junk") << "\x00\x01[\xFF]\n=\n\x00=\r\r\n"_ba << "Key" << false << "";
    QTest::newRow("empty file") << QByteArray() << "Key" << false << "";
    QTest::newRow("escaped line breaks") << "[Settings]\nKey=\"a\\r\\nb\"\n"_ba << "Key" << true << "a\r\nb";
    QTest::newRow("escaped blanks at the ends, quotation marks and backslashes")
        << "[Settings]\nKey=\"\\s\\\"x\\n\\\\\\t\"\n"_ba << "Key" << true << " \"x\n\\\t";
    // Values that were quoted before line breaks could be stored read as they always did.
    QTest::newRow("quoted value with a blank at an end keeps its backslashes")
        << "[Settings]\nKey=\" a\\n\"\n"_ba << "Key" << true << " a\\n";
    QTest::newRow("quoted quotation marks keep their backslashes")
        << "[Settings]\nKey=\"\"\\n\"\"\n"_ba << "Key" << true << "\"\\n\"";
    QTest::newRow("quoted value without a line break escape keeps its backslashes")
        << "[Settings]\nKey=\"C:\\temp\\\\x\"\n"_ba << "Key" << true << "C:\\temp\\\\x";
    QTest::newRow("quoted value with an unknown escape keeps its backslashes")
        << "[Settings]\nKey=\"\\d+\\n\"\n"_ba << "Key" << true << "\\d+\\n";
}

void tst_IniFile::findValue()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, key);
    QFETCH(bool, found);
    QFETCH(QString, value);
    const std::optional<QString> result = IniText::findValue(contents, kSection, key);
    QCOMPARE(result.has_value(), found);
    if (found)
        QCOMPARE(*result, value);
}

void tst_IniFile::setValue_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("new file") << QByteArray() << "SaveToINI" << "-1" << "[Settings]\nSaveToINI=-1\n"_ba;
    QTest::newRow("new key after the last key of the section")
        << "[Settings]\nA=1\n\n; next\n[Other]\nB=2\n"_ba << "C" << "3"
        << "[Settings]\nA=1\nC=3\n\n; next\n[Other]\nB=2\n"_ba;
    QTest::newRow("existing key rewritten in place")
        << "; top\n[Settings]\nA=1\n  pattern = old \nB=2\n"_ba << "Pattern" << "new"
        << "; top\n[Settings]\nA=1\nPattern=new\nB=2\n"_ba;
    QTest::newRow("CR LF kept for rewritten and new lines")
        << "[Settings]\r\nA=1\r\n"_ba << "B" << "2" << "[Settings]\r\nA=1\r\nB=2\r\n"_ba;
    QTest::newRow("section appended after other sections")
        << "[Other]\nB=2"_ba << "A" << "1" << "[Other]\nB=2\n[Settings]\nA=1\n"_ba;
    QTest::newRow("key after a last line without line break")
        << "[Settings]\nA=1"_ba << "B" << "2" << "[Settings]\nA=1\nB=2\n"_ba;
    QTest::newRow("key after a last line ending in a lone CR")
        << "[Settings]\nA=1\r"_ba << "B" << "2" << "[Settings]\nA=1\r\nB=2\n"_ba;
    QTest::newRow("key into an empty section") << "[Settings]\n[Other]\n"_ba << "A" << "1"
                                               << "[Settings]\nA=1\n[Other]\n"_ba;
    QTest::newRow("blanks at the ends quoted") << QByteArray() << "A" << " x " << "[Settings]\nA=\" x \"\n"_ba;
    QTest::newRow("quoted value quoted again") << QByteArray() << "A" << "\"x\"" << "[Settings]\nA=\"\"x\"\"\n"_ba;
    QTest::newRow("inner quotation mark left alone") << QByteArray() << "A" << "\"x" << "[Settings]\nA=\"x\n"_ba;
    QTest::newRow("UTF-8 written") << QByteArray() << "A" << u"\u00e9"_s << "[Settings]\nA=\xC3\xA9\n"_ba;
    QTest::newRow("line breaks escaped in quotation marks")
        << QByteArray() << "A" << "a\r\nb" << "[Settings]\nA=\"a\\r\\nb\"\n"_ba;
    QTest::newRow("with a line break, blanks at the ends, quotation marks and backslashes escaped too")
        << QByteArray() << "A" << " \"x\"\n\\\t" << "[Settings]\nA=\"\\s\\\"x\\\"\\n\\\\\\t\"\n"_ba;
    QTest::newRow("line break cannot start a key line")
        << "[Settings]\nB=1\n"_ba << "A" << "x\nB=2" << "[Settings]\nB=1\nA=\"x\\nB=2\"\n"_ba;
}

void tst_IniFile::setValue()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);
    QCOMPARE(IniText::setValue(contents, kSection, key, value), expected);
}

void tst_IniFile::removeKey_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("only that line goes") << "[Settings]\nA=1\nkey=2\nB=3\n"_ba << "[Settings]\nA=1\nB=3\n"_ba;
    QTest::newRow("same key of another section stays") << "[Other]\nKey=1\n"_ba << "[Other]\nKey=1\n"_ba;
    QTest::newRow("missing key changes nothing") << "[Settings]\nA=1"_ba << "[Settings]\nA=1"_ba;
}

void tst_IniFile::removeKey()
{
    QFETCH(QByteArray, contents);
    QFETCH(QByteArray, expected);
    QCOMPARE(IniText::removeKey(contents, kSection, u"Key"), expected);
}

void tst_IniFile::removeSection_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("section between others")
        << "[A]\nx=1\n[Settings]\nSaveToINI=-1\n; note\n[B]\ny=2\n"_ba << "[A]\nx=1\n[B]\ny=2\n"_ba;
    QTest::newRow("section at the end") << "; top\n[settings]\nK=1"_ba << "; top\n"_ba;
    QTest::newRow("every copy of the section") << "[Settings]\nA=1\n[B]\n[Settings]\nC=3\n"_ba << "[B]\n"_ba;
    QTest::newRow("no such section") << "[B]\ny=2\n"_ba << "[B]\ny=2\n"_ba;
}

void tst_IniFile::removeSection()
{
    QFETCH(QByteArray, contents);
    QFETCH(QByteArray, expected);
    QCOMPARE(IniText::removeSection(contents, kSection), expected);
}

// Whatever a damaged file holds and whatever a value looks like, a key that is set must
// come back exactly, a second write of it must not add a line, and removing the section must
// remove the key with it.
void tst_IniFile::anyBytesSurviveAWrite()
{
    const QList<QByteArray> pieces = {"[Settings]", "[Other]", "[", "]", "Key", "key", "=", "\"", " ", "\t",
                                      "\r",         "\n",      ";", "\xEF\xBB\xBF", "\xFF", "\xC3", "\x00"_ba, "x"};
    const QString valueCharacters = u"\" \t=;[]x\u00e9\\\r\nrns"_s;
    QRandomGenerator random(4711);
    for (int round = 0; round < 2000; ++round) {
        QByteArray contents;
        for (int i = random.bounded(30); i > 0; --i)
            contents += pieces[random.bounded(pieces.size())];
        QString value;
        for (int i = random.bounded(6); i > 0; --i)
            value += valueCharacters[random.bounded(valueCharacters.size())];
        const QByteArray context = contents.toPercentEncoding() + " value [" + value.toUtf8() + ']';

        const QByteArray written = IniText::setValue(contents, kSection, u"Key", value);
        QVERIFY2(IniText::findValue(written, kSection, u"Key") == value, context.constData());
        const QByteArray rewritten = IniText::setValue(written, kSection, u"KEY", u"w");
        QVERIFY2(IniText::findValue(rewritten, kSection, u"Key") == u"w"_s, context.constData());
        QVERIFY2(rewritten.count('\n') == written.count('\n'), context.constData());
        QVERIFY2(!IniText::findValue(IniText::removeSection(rewritten, kSection), kSection, u"Key"),
                 context.constData());
    }
}

void tst_IniFile::brokenValuesAndKeysAreRefused()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    IniFile ini(dir.filePath(u"Settings.ini"_s));
    QVERIFY(ini.write(kSection, u"Key", u"old").ok());
    const QByteArray before = readAll(ini.path());

    QCOMPARE(ini.write(kSection, u"Key", QString(QChar(0xD800))).error().status, IniStatus::InvalidValue);
    QCOMPARE(ini.write(kSection, u"A\nB", u"x").error().status, IniStatus::InvalidKey);
    QCOMPARE(ini.write(kSection, u"A=B", u"x").error().status, IniStatus::InvalidKey);
    QCOMPARE(ini.write(kSection, u" A", u"x").error().status, IniStatus::InvalidKey);
    QCOMPARE(readAll(ini.path()), before);
}

// One change the file cannot hold does not stop the others of the same update.
void tst_IniFile::updateMakesEveryChangeItCan()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    IniFile ini(dir.filePath(u"Settings.ini"_s));
    QVERIFY(ini.write(kSection, u"Gone", u"x").ok());

    const IniResult result = ini.update(kSection, {{u"A"_s, u"1"_s},
                                                   {u"B"_s, QString(QChar(0xDC00))},
                                                   {u"Gone"_s, std::nullopt},
                                                   {u"C"_s, u"two\nlines"_s}});
    QCOMPARE(result.error().status, IniStatus::InvalidValue);
    QVERIFY(result.error().description.contains(u"\"B\""));
    QCOMPARE(readAll(ini.path()), "[Settings]\nA=1\nC=\"two\\nlines\"\n"_ba);
}

void tst_IniFile::missingFileReadsEmpty()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    IniFile ini(dir.filePath(u"Settings.ini"_s));
    const IniLookup lookup = ini.read(kSection, u"Key");
    QVERIFY(lookup.ok());
    QVERIFY(!lookup.value());
    QVERIFY(ini.remove(kSection, u"Key").ok());
    QVERIFY(ini.removeSection(kSection).ok());
    QVERIFY(!QFile::exists(ini.path()));
}

// Permission bits do not stop root, so the unwritable folder is a path below a regular
// file: nothing can be created there by anybody.
void tst_IniFile::unwritableFolderKeepsNothingHalfWritten()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString notAFolder = dir.filePath(u"program"_s);
    writeAll(notAFolder, "a file, not a folder");

    IniFile ini(QDir(notAFolder).filePath(u"Settings.ini"_s));
    const IniResult result = ini.write(kSection, u"Key", u"x");
    QCOMPARE(result.error().status, IniStatus::Unwritable);
    QVERIFY(result.error().description.contains(u"Settings.ini"));
    QCOMPARE(readAll(notAFolder), "a file, not a folder"_ba);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"program"_s});
}

void tst_IniFile::unreadableFileIsNotOverwritten_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("folder") << u"folder"_s;
    // Opening a pipe waits for a writer that never comes.
    QTest::newRow("pipe") << u"pipe"_s;
    QTest::newRow("link to a pipe") << u"link"_s;
}

// A Settings.ini that exists but cannot be read, or is not a regular file, is never
// replaced, since its contents would be lost, and never opened.
void tst_IniFile::unreadableFileIsNotOverwritten()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"Settings.ini"_s);
    const QString pipe = kind == u"link" ? dir.filePath(u"pipe"_s) : path;
    if (kind == u"folder")
        QVERIFY(QDir(dir.path()).mkdir(u"Settings.ini"_s));
    else
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    if (kind == u"link")
        QVERIFY(QFile::link(pipe, path));

    IniFile ini(path);
    QCOMPARE(ini.read(kSection, u"Key").error().status, IniStatus::Unreadable);
    QCOMPARE(ini.write(kSection, u"Key", u"x").error().status, IniStatus::Unreadable);
    QCOMPARE(ini.removeSection(kSection).error().status, IniStatus::Unreadable);
    const QFileInfo info(path);
    QVERIFY(kind == u"folder" ? info.isDir() : !info.isFile() && info.exists());
    QCOMPARE(info.isSymLink(), kind == u"link");
}

void tst_IniFile::lockBesideTheFile_data()
{
    QTest::addColumn<LockShape>("shape");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QString>("says");

    QTest::newRow("folder") << LockShape::Folder << Status(IniStatus::BrokenLock)
                            << u"Settings.ini.lock is a folder, not a lock file: remove it"_s;
    QTest::newRow("lock of a program that has ended is taken over") << LockShape::OwnerGone << Status()
                                                                     << QString();
    QTest::newRow("file that holds no lock") << LockShape::NoLockInside << Status(IniStatus::BrokenLock)
                                             << u"Settings.ini.lock is a file that holds no lock"_s;
    QTest::newRow("lock of a living program") << LockShape::OwnerLiving << Status(IniStatus::Busy)
                                              << u"Another program holds"_s;
}

// The waits are zero, so a lock that is waited for fails at once instead of after seconds.
void tst_IniFile::lockBesideTheFile()
{
    QFETCH(LockShape, shape);
    QFETCH(Status, status);
    QFETCH(QString, says);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    IniFile ini(dir.filePath(u"Settings.ini"_s));
    ini.setLockWaits({std::chrono::milliseconds(0), std::chrono::milliseconds(0)});
    const QString lockPath = ini.path() + u".lock"_s;
    std::optional<QLockFile> held;
    switch (shape) {
    case LockShape::Folder:
        QVERIFY(QDir(dir.path()).mkdir(u"Settings.ini.lock"_s));
        break;
    case LockShape::OwnerGone: {
        const pid_t child = ::fork();
        if (child == 0) {
            QLockFile lock(lockPath);
            ::_exit(lock.tryLock(0) ? 0 : 1);
        }
        int exitStatus = 0;
        QCOMPARE(::waitpid(child, &exitStatus, 0), child);
        QVERIFY(WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0);
        QVERIFY(QFile::exists(lockPath));
        break;
    }
    case LockShape::NoLockInside:
        writeAll(lockPath, "not a lock\n");
        break;
    case LockShape::OwnerLiving:
        held.emplace(lockPath);
        QVERIFY(held->tryLock(0));
        break;
    }

    const IniResult result = ini.write(kSection, u"Key", u"value");

    const QString description = result.ok() ? QString() : result.error().description;
    QCOMPARE(result.ok() ? Status() : Status(result.error().status), status);
    QVERIFY2(description.contains(says), qPrintable(description));
    QCOMPARE(QFile::exists(ini.path()), !status);
}

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_inifile.moc"
