#include "documents/RememberedOptions.h"
#include "settings/CSettings.h"
#include "support/RecordingMessageBox.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using StoredValues = QList<QPair<QString, QString>>;
Q_DECLARE_METATYPE(StoredValues)
Q_DECLARE_METATYPE(RememberedOptions)

/// Each test gets a settings store in a fresh temporary folder: Settings.ini there, and
/// the per-user area in a file beside it.
class TestRememberedOptions : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> mDir;
    RecordingMessageBox mMessages;
    std::unique_ptr<CSettings> mSettings;

    void store(const StoredValues& values)
    {
        for (const auto& [key, value] : values)
            mSettings->SaveSetting(key, value);
    }

private slots:
    void init();
    void cleanup();

    void firstRunDefaults();
    void historyStopsAtTheFirstEmptyKey_data();
    void historyStopsAtTheFirstEmptyKey();
    void storedValues_data();
    void storedValues();
    void writtenOptionsComeBack_data();
    void writtenOptionsComeBack();
    void historyComesBackWhole_data();
    void historyComesBackWhole();
    void writtenKeysInOrder();
    void ignoreCaseStates_data();
    void ignoreCaseStates();
};

void TestRememberedOptions::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
    mSettings = std::make_unique<CSettings>(
        mMessages, mDir->path(), std::make_unique<QSettings>(mDir->filePath(u"user.ini"_s), QSettings::IniFormat));
    QVERIFY(mSettings->SaveToINI());
}

void TestRememberedOptions::cleanup()
{
    mSettings.reset();
    mDir.reset();
    QVERIFY(mMessages.shown.isEmpty());
}

void TestRememberedOptions::firstRunDefaults()
{
    const RememberedOptions options = readRememberedOptions(*mSettings);
    QCOMPARE(options.pattern, QString());
    QCOMPARE(options.history, QStringList());
    QCOMPARE(options.replaceWith, QString());
    QCOMPARE(options.ignoreCase, 0);
    QCOMPARE(options.wordWrap, true);
    QCOMPARE(options.proportionalFont, false);
    QCOMPARE(options.showSyntax, true);
    QCOMPARE(options.matchesWindow, false);
    QCOMPARE(options.explainPattern, false);
}

void TestRememberedOptions::historyStopsAtTheFirstEmptyKey_data()
{
    QTest::addColumn<StoredValues>("stored");
    QTest::addColumn<QStringList>("history");

    QTest::newRow("nothing stored") << StoredValues{} << QStringList{};
    QTest::newRow("third key missing")
        << StoredValues{{u"Pattern0"_s, u"a"_s}, {u"Pattern1"_s, u"b"_s}} << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("empty second key hides the third")
        << StoredValues{{u"Pattern0"_s, u"a"_s}, {u"Pattern1"_s, u""_s}, {u"Pattern2"_s, u"c"_s}}
        << QStringList{u"a"_s};
    QTest::newRow("no first key, no history")
        << StoredValues{{u"Pattern1"_s, u"b"_s}} << QStringList{};
    QTest::newRow("more than twenty entries all read") << [] {
        StoredValues values;
        for (int i = 0; i < 25; ++i)
            values.append({u"Pattern"_s + QString::number(i), u"p"_s + QString::number(i)});
        return values;
    }() << [] {
        QStringList list;
        for (int i = 0; i < 25; ++i)
            list.append(u"p"_s + QString::number(i));
        return list;
    }();
    QTest::newRow("the pattern key is not part of the list")
        << StoredValues{{u"Pattern"_s, u"current"_s}, {u"Pattern0"_s, u"older"_s}} << QStringList{u"older"_s};
}

void TestRememberedOptions::historyStopsAtTheFirstEmptyKey()
{
    QFETCH(StoredValues, stored);
    QFETCH(QStringList, history);
    store(stored);
    QCOMPARE(readRememberedOptions(*mSettings).history, history);
}

void TestRememberedOptions::storedValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("Ignore Case ticked") << u"IgnoreCase"_s << u"1"_s << u"ignoreCase"_s << QVariant(1);
    QTest::newRow("Ignore Case greyed") << u"IgnoreCase"_s << u"2"_s << u"ignoreCase"_s << QVariant(2);
    QTest::newRow("Ignore Case out of range keeps cleared")
        << u"IgnoreCase"_s << u"7"_s << u"ignoreCase"_s << QVariant(0);
    QTest::newRow("Ignore Case negative keeps cleared")
        << u"IgnoreCase"_s << u"-1"_s << u"ignoreCase"_s << QVariant(0);
    QTest::newRow("Ignore Case not a number keeps cleared")
        << u"IgnoreCase"_s << u"yes"_s << u"ignoreCase"_s << QVariant(0);
    QTest::newRow("word wrap off") << u"WordWrap"_s << u"0"_s << u"wordWrap"_s << QVariant(false);
    QTest::newRow("word wrap as the word False") << u"WordWrap"_s << u"False"_s << u"wordWrap"_s << QVariant(false);
    QTest::newRow("word wrap unreadable keeps on") << u"WordWrap"_s << u"maybe"_s << u"wordWrap"_s << QVariant(true);
    QTest::newRow("proportional font on")
        << u"ProportionalFont"_s << u"-1"_s << u"proportionalFont"_s << QVariant(true);
    QTest::newRow("proportional font any nonzero number")
        << u"ProportionalFont"_s << u"5"_s << u"proportionalFont"_s << QVariant(true);
    QTest::newRow("proportional font unreadable keeps off")
        << u"ProportionalFont"_s << u"on"_s << u"proportionalFont"_s << QVariant(false);
    QTest::newRow("syntax pane hidden") << u"ShowSyntax"_s << u"0"_s << u"showSyntax"_s << QVariant(false);
    QTest::newRow("syntax pane empty value keeps shown")
        << u"ShowSyntax"_s << u""_s << u"showSyntax"_s << QVariant(true);
    QTest::newRow("pattern stored as it is") << u"Pattern"_s << u"a\\nb"_s << u"pattern"_s << QVariant(u"a\\nb"_s);
    QTest::newRow("Replace decoded") << u"Replace"_s << u"a\\r\\nb\\\\n\\t"_s << u"replaceWith"_s
                                     << QVariant(u"a\r\nb\\n\\t"_s);
}

void TestRememberedOptions::storedValues()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, option);
    QFETCH(QVariant, expected);

    store({{key, value}});
    const RememberedOptions options = readRememberedOptions(*mSettings);
    const QVariant actual = option == u"ignoreCase"_s         ? QVariant(options.ignoreCase)
                          : option == u"wordWrap"_s           ? QVariant(options.wordWrap)
                          : option == u"proportionalFont"_s   ? QVariant(options.proportionalFont)
                          : option == u"showSyntax"_s         ? QVariant(options.showSyntax)
                          : option == u"pattern"_s            ? QVariant(options.pattern)
                                                              : QVariant(options.replaceWith);
    QCOMPARE(actual, expected);
}

void TestRememberedOptions::writtenOptionsComeBack_data()
{
    QTest::addColumn<bool>("iniFile");
    QTest::addColumn<RememberedOptions>("options");

    RememberedOptions changed;
    changed.pattern = u"(\\w+)\\s"_s;
    changed.history = {u"(\\w+)\\s"_s, u"a|b"_s, u"\\n"_s};
    changed.replaceWith = u"line 1\r\nline 2 \\t\\n\\r ends \\"_s;
    changed.ignoreCase = 1;
    changed.wordWrap = false;
    changed.proportionalFont = true;
    changed.showSyntax = false;
    changed.highlightMatches = false;
    changed.groupColours = false;
    changed.groupColoursEveryMatch = true;
    changed.searchInSelection = true;
    changed.matchesWindow = true;
    changed.matchesWindowGeometry = u"AdnQywADAAAAAAB4AAAAgQ=="_s;
    changed.explainPattern = true;
    changed.explainPatternGeometry = u"AdnQywADAAAAAAB4AAAAgQ=="_s;

    RememberedOptions oddHistory;
    oddHistory.pattern = u"line 1\r\nline 2"_s;
    oddHistory.history = {u"line 1\r\nline 2"_s, u"\"quoted\""_s, u"a=b"_s, u"  leading blanks"_s,
                          u"gr\u00fc\u00df \u4e2d\u6587 \U0001F600"_s, u"\t\"x\"\n"_s, u"\\r\\n\n"_s, u"last"_s};

    QTest::newRow("first-run values, INI file") << true << RememberedOptions{};
    QTest::newRow("every option changed, INI file") << true << changed;
    QTest::newRow("every option changed, per-user area") << false << changed;
    QTest::newRow("multi-line, quoted, non-ASCII patterns, INI file") << true << oddHistory;
    QTest::newRow("multi-line, quoted, non-ASCII patterns, per-user area") << false << oddHistory;
}

void TestRememberedOptions::writtenOptionsComeBack()
{
    QFETCH(bool, iniFile);
    QFETCH(RememberedOptions, options);

    mSettings->SaveToINI(iniFile);
    writeRememberedOptions(*mSettings, options);
    QCOMPARE(readRememberedOptions(*mSettings), options);
}

void TestRememberedOptions::historyComesBackWhole_data()
{
    QTest::addColumn<bool>("iniFile");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QStringList>("expected");

    const QString broken = u"x"_s + QChar(0xD800);
    const QStringList five = {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s};
    for (const bool iniFile : {true, false}) {
        const char* place = iniFile ? "INI file" : "per-user area";
        QTest::addRow("%s: an empty entry is left out", place)
            << iniFile << QStringList{} << QStringList{u"a"_s, QString(), u"b"_s} << QStringList{u"a"_s, u"b"_s};
        QTest::addRow("%s: an entry with a broken character is left out", place)
            << iniFile << QStringList{} << QStringList{u"a"_s, broken, u"b"_s} << QStringList{u"a"_s, u"b"_s};
        QTest::addRow("%s: a shorter list brings back none of a longer one", place)
            << iniFile << five << QStringList{u"a"_s, u"b"_s} << QStringList{u"a"_s, u"b"_s};
        QTest::addRow("%s: a left-out entry brings back none of a list as long", place)
            << iniFile << five << QStringList{u"a"_s, u"b"_s, u"c"_s, broken, u"d"_s}
            << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    }
}

void TestRememberedOptions::historyComesBackWhole()
{
    QFETCH(bool, iniFile);
    QFETCH(QStringList, before);
    QFETCH(QStringList, written);
    QFETCH(QStringList, expected);

    mSettings->SaveToINI(iniFile);
    RememberedOptions options;
    options.history = before;
    writeRememberedOptions(*mSettings, options);
    options.history = written;
    writeRememberedOptions(*mSettings, options);
    QCOMPARE(readRememberedOptions(*mSettings).history, expected);
}

void TestRememberedOptions::writtenKeysInOrder()
{
    RememberedOptions options;
    options.pattern = u"b"_s;
    options.history = {u"b"_s, u"a"_s};
    options.replaceWith = u"x\r\ny\\"_s;
    options.ignoreCase = 1;
    writeRememberedOptions(*mSettings, options);

    QFile ini(QDir(mDir->path()).filePath(u"Settings.ini"_s));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromLatin1(ini.readAll()).split(QRegularExpression(u"\r?\n"_s), Qt::SkipEmptyParts);
    lines.removeIf([](const QString& line) { return line.startsWith(u"SaveToINI="_s); });
    QCOMPARE(lines, (QStringList{u"[Settings]"_s, u"Pattern=b"_s, u"Pattern0=b"_s, u"Pattern1=a"_s,
                                 u"Replace=x\\r\\ny\\\\"_s, u"IgnoreCase=1"_s, u"WordWrap=-1"_s,
                                 u"ProportionalFont=0"_s, u"ShowSyntax=-1"_s,
                                 u"HighlightMatches=-1"_s, u"GroupColours=-1"_s, u"GroupColoursEveryMatch=0"_s,
                                 u"SearchInSelection=0"_s, u"CaseConversion=0"_s, u"MatchesWindow=0"_s, u"MatchesWindowGeometry="_s,
                                 u"ExplainPattern=0"_s, u"ExplainPatternGeometry="_s}));
}

void TestRememberedOptions::ignoreCaseStates_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<Qt::CheckState>("state");

    QTest::newRow("cleared") << 0 << Qt::Unchecked;
    QTest::newRow("ticked") << 1 << Qt::Checked;
    QTest::newRow("greyed") << 2 << Qt::PartiallyChecked;
}

void TestRememberedOptions::ignoreCaseStates()
{
    QFETCH(int, value);
    QFETCH(Qt::CheckState, state);
    QCOMPARE(ignoreCaseState(value), state);
    QCOMPARE(ignoreCaseValue(state), value);
}

QTEST_GUILESS_MAIN(TestRememberedOptions)
#include "tst_rememberedoptions.moc"
