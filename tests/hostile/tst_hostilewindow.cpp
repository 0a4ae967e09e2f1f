// Hostile input driven through the main window: files that cannot be read or written,
// damaged and huge documents, replacements past the longest result, patterns far beyond
// everyday sizes and a Settings.ini that is garbage or a folder. The user sees one clear
// message at most, and the text in the box, the changed state, Undo and the files on disk
// stay as they were.

#include "busy/BusyRunner.h"
#include "documents/CommandLine.h"
#include "documents/RememberedOptions.h"
#include "platform/FilePath.h"
#include "DocumentWindowFixture.h"
#include "ScratchMount.h"
#include "support/FileSizeLimit.h"
#include "support/HostileBytes.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kSavePrompt = u"The text in the '%1' file has changed.\r\nDo you want to save the changes?"_s;
const QString kOverwrite = u"Overwrite existing file?"_s;
const QString kTooLong = u"Error: The result of the replacement would be too long 5042"_s;
const QString kTooComplex = u"Error: The regular expression is too large or too complex 5041"_s;
const QString kNoMatches = u"No matches found"_s;
const QString kCannotHold = u"The Search Text cannot hold that much text: it holds at most %1 bytes (in UTF-8). "
                            u"The text was left as it was."_s;

/// How a document file is made impossible to write before Save.
enum class Obstacle { ReadOnlyFile, FullFileSystem, ReadOnlyFileSystem };

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

Q_DECLARE_METATYPE(Obstacle)

class TestHostileWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<DocumentWindowFixture> f;

    /// Opens `name`, holding `bytes`, from the fixture's folder and types `typed` after it.
    void openAndEdit(const QString& name, const QByteArray& bytes, const QString& typed)
    {
        QVERIFY(f->store(name, bytes));
        f->dialogs.choose(f->path(name));
        f->trigger("mnuFileOpen");
        QCOMPARE(f->caption(), QFileInfo(name).fileName() + u" - Siftwell"_s);
        f->document()->setSelStart(f->document()->Text().size());
        f->type(typed);
    }

    /// Ends the window and the settings store, which writes its last values.
    void closeWindowAndSettings()
    {
        f->window.reset();
        f->settings.reset();
    }

    /// A new settings store over the same folders, which reads whatever the test left
    /// there as Settings.ini.
    void reopenSettings()
    {
        f->settings.reset();
        f->settings = std::make_unique<CSettings>(
            f->messages, QFileInfo(f->path(u"user.ini"_s)).absolutePath(),
            std::make_unique<QSettings>(f->path(u"user.ini"_s), QSettings::IniFormat));
    }

    /// The busy runner shows its progress dialog at once for the next long step and hands
    /// the dialog to `act`.
    template <typename Act>
    void onNextProgress(Act act)
    {
        BusyRunner* busy = f->window->findChild<BusyRunner*>(u"busyRunner"_s);
        busy->setDelays(0, 0);
        QObject::connect(busy, &BusyRunner::progressShown, busy, act, Qt::SingleShotConnection);
    }

    /// A pipe in the fixture's folder with a writer that never writes: reading it never ends
    /// by itself. The writer's descriptor, to close.
    int silentPipe(const QString& name)
    {
        const QByteArray path = QFile::encodeName(f->path(name));
        if (::mkfifo(path.constData(), 0600) != 0)
            return -1;
        return ::open(path.constData(), O_RDWR | O_NONBLOCK);
    }

    /// Closes the window, declining to save the document.
    void closeWindow()
    {
        f->messages.answers = {MessageAnswer::No};
        QVERIFY(f->window->close());
        f->window.reset();
        f->messages.answers.clear();
    }

    /// Puts `text` on the clipboard and pastes it over the pattern box's text.
    void pastePattern(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        QLineEdit* edit = f->pattern()->lineEdit();
        edit->selectAll();
        edit->paste();
    }

    RememberedOptions shownOptions() const
    {
        RememberedOptions options;
        options.pattern = f->pattern()->currentText();
        options.history = f->history();
        options.replaceWith = f->replaceWith()->text();
        options.ignoreCase = ignoreCaseValue(f->ignoreCase()->checkState());
        options.wordWrap = f->window->WordWrap();
        options.proportionalFont = f->window->ProportionalFont();
        options.showSyntax = f->item("mnuOptionsShowSyntax")->isChecked();
        return options;
    }

private slots:
    void init();
    void cleanup();

    void failedSaveAsKeepsEverything_data();
    void failedSaveAsKeepsEverything();
    void failedSaveKeepsEverything_data();
    void failedSaveKeepsEverything();
    void failedOpenKeepsEverything_data();
    void failedOpenKeepsEverything();

    void oddFileOpensAndSavesBack_data();
    void oddFileOpensAndSavesBack();

    void replaceAllPastTheLongestResult_data();
    void replaceAllPastTheLongestResult();
    void textBeyondTheCapacityIsRefused_data();
    void textBeyondTheCapacityIsRefused();
    void cancelStopsAnOpenThatWaits();
    void fileNameThatIsNotUtf8_data();
    void fileNameThatIsNotUtf8();

    void hugePatternIsSearchedAndRemembered_data();
    void hugePatternIsSearchedAndRemembered();
    void deeplyNestedGroupsAreReported();

    void garbageSettingsIniGivesDefaults();
    void settingsIniThatCannotBeWrittenIsReadAndToldOf();
    void folderNamedSettingsIniIsLeftAlone();
    void pipeNamedSettingsIniIsLeftAlone();
    void historyOfOddPatternsComesBack_data();
    void historyOfOddPatternsComesBack();
    void exitWhileOpeningEndsTheProgram();
};

void TestHostileWindow::init()
{
    f = std::make_unique<DocumentWindowFixture>();
    QVERIFY(f->openWindow());
}

void TestHostileWindow::cleanup()
{
    f.reset();
}

void TestHostileWindow::failedSaveAsKeepsEverything_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("folder") << u"folder"_s << QStringList{u"Is a directory 21"_s};
    QTest::newRow("file that nobody may write") << u"locked.txt"_s
                                                << QStringList{kOverwrite, u"Permission denied 13"_s};
    // A device or a pipe is refused before anything is asked or written: a pipe would
    // block the window until someone reads it, and a device may swallow the text.
    QTest::newRow("/dev/full") << u"/dev/full"_s << QStringList{u"Not a regular file 22"_s};
    QTest::newRow("pipe") << u"fifo"_s << QStringList{u"Not a regular file 22"_s};
    QTest::newRow("folder that does not exist") << u"missing/new.txt"_s
                                                << QStringList{u"No such file or directory 2"_s};
}

void TestHostileWindow::failedSaveAsKeepsEverything()
{
    QFETCH(QString, target);
    QFETCH(QStringList, messages);

    const QByteArray mine = "mine\r\n\xE9t\xE9"_ba;
    openAndEdit(u"mine.txt"_s, mine, u"!"_s);
    const QString text = f->document()->Text();
    QVERIFY(QDir(f->path(QString())).mkdir(u"folder"_s));
    QVERIFY(f->store(u"folder/inside.txt"_s, "inside"));
    QVERIFY(f->store(u"locked.txt"_s, "locked"));
    QVERIFY(QFile::setPermissions(f->path(u"locked.txt"_s), QFileDevice::ReadOwner));
    QCOMPARE(::mkfifo(QFile::encodeName(f->path(u"fifo"_s)).constData(), 0600), 0);
    const QStringList before = entries(f->path(QString()));
    // "All Files" adds no extension to a name that has none.
    f->dialogs.choose(QDir(f->path(QString())).filePath(target), 2);
    f->messages.answers = {MessageAnswer::Ok};

    f->trigger("mnuFileSaveAs");

    QCOMPARE(f->messages.texts(), messages);
    QCOMPARE(f->messages.shown.last().icon, MessageIcon::Exclamation);
    QCOMPARE(f->document()->Text(), text);
    QCOMPARE(f->caption(), u"*mine.txt - Siftwell"_s);
    QCOMPARE(f->contentOf(u"mine.txt"_s), mine);
    QCOMPARE(f->contentOf(u"locked.txt"_s), "locked"_ba);
    QCOMPARE(f->contentOf(u"folder/inside.txt"_s), "inside"_ba);
    QCOMPARE(entries(f->path(QString())), before);

    // The document still belongs to its own file, which the next Save writes.
    f->trigger("mnuFileSave");
    QCOMPARE(f->contentOf(u"mine.txt"_s), mine + "!");
    QCOMPARE(f->caption(), u"mine.txt - Siftwell"_s);
}

void TestHostileWindow::failedSaveKeepsEverything_data()
{
    QTest::addColumn<Obstacle>("obstacle");
    QTest::addColumn<QString>("message");

    QTest::newRow("file made read-only after opening") << Obstacle::ReadOnlyFile << u"Permission denied 13"_s;
    QTest::newRow("full file system") << Obstacle::FullFileSystem << u"No space left on device 28"_s;
    QTest::newRow("read-only file system") << Obstacle::ReadOnlyFileSystem << u"Read-only file system 30"_s;
}

void TestHostileWindow::failedSaveKeepsEverything()
{
    QFETCH(Obstacle, obstacle);
    QFETCH(QString, message);

    QVERIFY(QDir(f->path(QString())).mkdir(u"small"_s));
    std::unique_ptr<ScratchMount> mount;
    if (obstacle != Obstacle::ReadOnlyFile) {
        mount = std::make_unique<ScratchMount>(f->path(u"small"_s), "64k");
        if (!mount->mounted())
            QSKIP(qPrintable(mount->error()));
    }
    const QString name = u"small/document.txt"_s;
    const QByteArray old = QByteArray(16 * 1024, 'o') + "\r\nend";
    openAndEdit(name, old, u"!"_s);
    if (obstacle == Obstacle::FullFileSystem) {
        f->document()->setText(QString(256 * 1024, u'n'));
        QCOMPARE(f->caption(), u"*document.txt - Siftwell"_s);
    }
    if (obstacle == Obstacle::ReadOnlyFileSystem && !mount->makeReadOnly())
        QSKIP(qPrintable(mount->error()));
    if (obstacle == Obstacle::ReadOnlyFile)
        QVERIFY(QFile::setPermissions(f->path(name), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const QString text = f->document()->Text();

    f->trigger("mnuFileSave");

    QCOMPARE(f->messages.texts(), QStringList{message});
    QCOMPARE(f->messages.shown.first().icon, MessageIcon::Exclamation);
    QVERIFY(f->document()->Text() == text);
    QCOMPARE(f->caption(), u"*document.txt - Siftwell"_s);
    QVERIFY(f->contentOf(name) == old);
    QCOMPARE(entries(f->path(u"small"_s)), QStringList{u"document.txt"_s});

    // Closing asks to save; the save fails again, so the window stays open with the text.
    f->messages.shown.clear();
    f->messages.answers = {MessageAnswer::Yes};
    QVERIFY(!f->window->close());
    QCOMPARE(f->messages.texts(), (QStringList{kSavePrompt.arg(f->path(name)), message}));
    QVERIFY(f->document()->Text() == text);
    QVERIFY(f->contentOf(name) == old);
}

void TestHostileWindow::failedOpenKeepsEverything_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("needsNonRoot");

    QTest::newRow("folder") << u"folder"_s << u"Is a directory 21"_s << false;
    // Opening succeeds and reading fails: the first page of the process is never mapped.
    QTest::newRow("file that fails while read") << u"/proc/self/mem"_s << u"Input/output error 5"_s << false;
    QTest::newRow("file nobody may read") << u"secret.txt"_s << u"Permission denied 13"_s << true;
    QTest::newRow("file deleted after it was chosen") << u"gone.txt"_s << u"No such file or directory 2"_s
                                                      << false;
    QTest::newRow("endless device") << u"/dev/zero"_s << u"File too large 27"_s << false;
}

void TestHostileWindow::failedOpenKeepsEverything()
{
    QFETCH(QString, target);
    QFETCH(QString, message);
    QFETCH(bool, needsNonRoot);

    if (needsNonRoot && ::geteuid() == 0)
        QSKIP("root reads a file whatever its permissions");
    openAndEdit(u"mine.txt"_s, "mine", u"!"_s);
    // An endless device is read no further than the Search Text could hold.
    f->document()->setCapacity(1 << 20);
    QVERIFY(QDir(f->path(QString())).mkdir(u"folder"_s));
    QVERIFY(f->store(u"secret.txt"_s, "secret"));
    QVERIFY(QFile::setPermissions(f->path(u"secret.txt"_s), {}));
    f->messages.answers = {MessageAnswer::No};
    f->dialogs.choose(QDir(f->path(QString())).filePath(target), 2);

    f->trigger("mnuFileOpen");

    QCOMPARE(f->messages.texts(), (QStringList{kSavePrompt.arg(f->path(u"mine.txt"_s)), message}));
    QCOMPARE(f->messages.shown.last().icon, MessageIcon::Exclamation);
    QCOMPARE(f->document()->Text(), u"mine!"_s);
    QCOMPARE(f->caption(), u"*mine.txt - Siftwell"_s);
    QCOMPARE(f->contentOf(u"mine.txt"_s), "mine"_ba);

    f->trigger("mnuFileSave");
    QCOMPARE(f->contentOf(u"mine.txt"_s), "mine!"_ba);
}

void TestHostileWindow::oddFileOpensAndSavesBack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qsizetype>("textLength");

    QTest::newRow("only NUL bytes") << QByteArray(4096, '\0') << qsizetype(4096);
    QTest::newRow("NUL bytes between lines") << QByteArray("\0a\r\n\0\0b\n\0", 9) << qsizetype(9);
    QTest::newRow("only a byte-order mark") << "\xEF\xBB\xBF"_ba << qsizetype(0);
    QTest::newRow("invalid UTF-8 cut inside a character") << "abc\r\n\xE2\x82"_ba << qsizetype(7);
    QTest::newRow("20 MB single line") << singleLine(20 << 20, false) << qsizetype(20 << 20);
    QTest::newRow("20 MB single line of invalid UTF-8") << singleLine(20 << 20, true) << qsizetype(20 << 20);
}

void TestHostileWindow::oddFileOpensAndSavesBack()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qsizetype, textLength);

    QVERIFY(f->store(u"odd.txt"_s, bytes));
    f->dialogs.choose(f->path(u"odd.txt"_s));
    f->trigger("mnuFileOpen");

    QCOMPARE(f->messages.texts(), QStringList());
    QCOMPARE(f->caption(), u"odd.txt - Siftwell"_s);
    QCOMPARE(f->document()->Text().size(), textLength);

    f->dialogs.choose(f->path(u"copy.txt"_s));
    f->trigger("mnuFileSaveAs");

    QCOMPARE(f->messages.texts(), QStringList());
    QCOMPARE(f->caption(), u"copy.txt - Siftwell"_s);
    QVERIFY(f->contentOf(u"copy.txt"_s) == bytes);
}

void TestHostileWindow::replaceAllPastTheLongestResult_data()
{
    QTest::addColumn<bool>("replacedBefore");

    QTest::newRow("first replacement") << false;
    QTest::newRow("after a replacement") << true;
}

void TestHostileWindow::replaceAllPastTheLongestResult()
{
    QFETCH(bool, replacedBefore);

    // Each "$_" inserts the whole text: 32,768 of them over 65,536 characters make one
    // code unit more than a result may hold.
    const QByteArray original = 'x' + QByteArray(65'535, 'a');
    QVERIFY(f->store(u"long.txt"_s, original));
    f->dialogs.choose(f->path(u"long.txt"_s));
    f->trigger("mnuFileOpen");
    QString before = QString::fromLatin1(original);
    QString caption = u"long.txt - Siftwell"_s;
    if (replacedBefore) {
        f->pattern()->setEditText(u"x"_s);
        f->replaceWith()->setText(u"y"_s);
        f->click("cmdReplaceAll");
        before[0] = u'y';
        caption.prepend(u'*');
    }
    QCOMPARE(f->document()->Text(), before);
    f->pattern()->setEditText(u"^"_s);
    f->replaceWith()->setText(u"$_"_s.repeated(32'768));

    f->click("cmdReplaceAll");

    QCOMPARE(f->messages.texts(), QStringList{kTooLong});
    QVERIFY(f->document()->Text() == before);
    QCOMPARE(f->caption(), caption);
    QCOMPARE(f->history().first(), u"^"_s);

    // Undo still answers for the replacement before, or does nothing when there was none.
    f->click("cmdUndo");
    QVERIFY(f->document()->Text() == QString::fromLatin1(original));
    QCOMPARE(f->caption(), caption);
    QCOMPARE(f->messages.texts(), QStringList{kTooLong});
}

void TestHostileWindow::textBeyondTheCapacityIsRefused_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("message");

    const QString cannotHold = kCannotHold.arg(10);
    QTest::newRow("longer file opened") << u"open"_s << 10 << u"File too large 27"_s;
    QTest::newRow("longer file dropped") << u"drop file"_s << 10 << u"File too large 27"_s;
    QTest::newRow("longer text dropped") << u"drop text"_s << 10 << cannotHold;
    QTest::newRow("pasted") << u"paste"_s << 10 << cannotHold;
    QTest::newRow("longer result of Replace All") << u"Replace All"_s << 10 << cannotHold;
    QTest::newRow("Undo of a shortening Replace All") << u"Undo"_s << 4 << kCannotHold.arg(4);
}

// The Search Text holds only so many bytes (2 GB in UTF-8, lowered here): whatever would
// make its text longer is refused with one message, and the document stays as it was.
void TestHostileWindow::textBeyondTheCapacityIsRefused()
{
    QFETCH(QString, how);
    QFETCH(int, capacity);
    QFETCH(QString, message);

    openAndEdit(u"mine.txt"_s, "mine", u"!"_s);
    QVERIFY(f->store(u"long.txt"_s, "eleven long"));
    f->pattern()->setEditText(u"!"_s);
    f->replaceWith()->setText(how == u"Undo" ? QString() : u"!!!!!!!"_s);
    QString text = u"mine!"_s;
    if (how == u"Undo") {
        f->click("cmdReplaceAll");
        text = u"mine"_s;
    }
    f->document()->setCapacity(capacity);
    QMimeData data;
    data.setText(u"eleven long"_s);
    if (how == u"drop file")
        data.setUrls({QUrl::fromLocalFile(f->path(u"long.txt"_s))});
    QApplication::clipboard()->setText(u"eleven long"_s);
    f->document()->setFocus();

    if (how == u"open") {
        f->dialogs.choose(f->path(u"long.txt"_s));
        f->messages.answers = {MessageAnswer::No};
        f->trigger("mnuFileOpen");
    } else if (how.startsWith(u"drop")) {
        f->messages.answers = {MessageAnswer::No};
        emit f->document()->OLEDragDrop(&data);
    } else if (how == u"paste") {
        f->trigger("mnuEditPaste");
    } else {
        f->click(how == u"Undo" ? "cmdUndo" : "cmdReplaceAll");
    }

    QStringList messages{message};
    if (how == u"open" || how.startsWith(u"drop"))
        messages.prepend(kSavePrompt.arg(f->path(u"mine.txt"_s)));
    QCOMPARE(f->messages.texts(), messages);
    QCOMPARE(f->messages.shown.last().icon, MessageIcon::Exclamation);
    QCOMPARE(f->document()->Text(), text);
    QCOMPARE(f->caption(), u"*mine.txt - Siftwell"_s);
}

void TestHostileWindow::cancelStopsAnOpenThatWaits()
{
    openAndEdit(u"mine.txt"_s, "mine", u"!"_s);
    const int writer = silentPipe(u"fifo"_s);
    QVERIFY(writer >= 0);
    onNextProgress([](QProgressDialog* dialog) { dialog->findChild<QPushButton*>()->click(); });
    f->messages.answers = {MessageAnswer::No};
    f->dialogs.choose(f->path(u"fifo"_s), 2);

    f->trigger("mnuFileOpen");
    ::close(writer);

    QCOMPARE(f->messages.texts(), QStringList{kSavePrompt.arg(f->path(u"mine.txt"_s))});
    QCOMPARE(f->document()->Text(), u"mine!"_s);
    QCOMPARE(f->caption(), u"*mine.txt - Siftwell"_s);
}

void TestHostileWindow::fileNameThatIsNotUtf8_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QByteArray>("other");
    QTest::addColumn<QString>("message");

    // The other name is the one Qt's own decoding turns the file's name into, or one that
    // reads the same.
    const QByteArray replaced = "caf\xEF\xBF\xBD.txt";
    QTest::newRow("named on the command line") << u"command line"_s << replaced << QString();
    QTest::newRow("dropped") << u"drop"_s << replaced << QString();
    QTest::newRow("chosen in the open dialog") << u"dialog"_s << QByteArray() << QString();
    QTest::newRow("chosen in the open dialog, another name reading the same")
        << u"dialog"_s << QByteArray("caf\xE8.txt")
        << u"Sifta cannot tell which file '%1' is: its name is not valid UTF-8, and another name in its folder "
           u"reads the same. Rename the file to open or save it."_s;
}

// File names are bytes: a name that is not UTF-8 reaches its own file, to open and to save.
void TestHostileWindow::fileNameThatIsNotUtf8()
{
    QFETCH(QString, how);
    QFETCH(QByteArray, other);
    QFETCH(QString, message);

    const QByteArray folder = QFile::encodeName(QFileInfo(f->path(u"x"_s)).absolutePath()) + '/';
    const QByteArray name = folder + "caf\xE9.txt";
    // The fixture's QTemporaryDir, which decodes names as Qt does, cannot remove these.
    const auto remove = qScopeGuard([&] {
        ::unlink(name.constData());
        ::unlink((folder + other).constData());
    });
    QVERIFY(FileContent::writeNamed(name, "caf\xE9"));
    if (!other.isEmpty())
        QVERIFY(FileContent::writeNamed(folder + other, "other"));

    if (how == u"command line") {
        const CommandLine request = parseCommandLine({u"sifta"_s, FilePath::decode(name)}, FilePath::currentFolder());
        f->window->LoadCommandLineDocument(request.file);
    } else if (how == u"drop") {
        QMimeData data;
        data.setUrls({QUrl::fromEncoded("file://" + name.toPercentEncoding("/"))});
        emit f->document()->OLEDragDrop(&data);
    } else {
        f->dialogs.choose(QFile::decodeName(name), 2);
        f->trigger("mnuFileOpen");
    }

    if (!message.isEmpty()) {
        QCOMPARE(f->messages.texts(), QStringList{message.arg(QFile::decodeName(name))});
        QCOMPARE(f->document()->Text(), QString());
        return;
    }
    QCOMPARE(f->messages.texts(), QStringList());
    QCOMPARE(f->document()->Text(), u"caf\u00e9"_s);
    QCOMPARE(f->caption(), u"caf"_s + QChar(0xDCE9) + u".txt - Siftwell"_s);
    f->document()->setSelStart(4);
    f->type(u"!"_s);
    f->trigger("mnuFileSave");
    QCOMPARE(f->messages.texts(), QStringList());
    QCOMPARE(FileContent::readNamed(name), "caf\xE9!"_ba);
    if (!other.isEmpty())
        QCOMPARE(FileContent::readNamed(folder + other), "other"_ba);
}

void TestHostileWindow::hugePatternIsSearchedAndRemembered_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("findMessages"); // none when Find selects a match
    QTest::addColumn<QString>("replaced");

    const QString a100k = u"a"_s.repeated(100'000);
    const QString tooLarge = u"Error: The regular expression is too large or too complex "
                             u"(regular expression is too large) 5041"_s;
    QTest::newRow("literal of 100,000 characters") << a100k << a100k << QStringList() << u"-"_s;
    QTest::newRow("literal of 100,000 characters over a shorter run")
        << a100k << u"b"_s + u"a"_s.repeated(40'000) << QStringList{kNoMatches} << u"b"_s + u"a"_s.repeated(40'000);
    QTest::newRow("alternation of 100,000 characters with an empty alternative")
        << u"a|"_s.repeated(50'000) << u"ab"_s << QStringList{tooLarge, kNoMatches} << u"ab"_s;
    QTest::newRow("class of 100,000 characters") << u'[' + u"0123456789"_s.repeated(9'999) + u"xyzzyxyz]"_s
                                                 << u"abc9y"_s << QStringList() << u"abc--"_s;
}

void TestHostileWindow::hugePatternIsSearchedAndRemembered()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(QStringList, findMessages);
    QFETCH(QString, replaced);

    f->document()->setText(text);
    pastePattern(pattern);
    QVERIFY(f->pattern()->currentText() == pattern);

    f->click("cmdFind");
    QCOMPARE(f->messages.texts(), findMessages);
    if (findMessages.isEmpty())
        QVERIFY(f->document()->SelLength() > 0);

    // Replace All reports a pattern error as Find does, and no "No matches found".
    QStringList replaceMessages = findMessages;
    replaceMessages.removeAll(kNoMatches);
    f->messages.shown.clear();
    f->replaceWith()->setText(u"-"_s);
    f->click("cmdReplaceAll");
    QCOMPARE(f->messages.texts(), replaceMessages);
    QVERIFY(f->document()->Text() == replaced);
    QCOMPARE(f->history().size(), 1);
    QVERIFY(f->history().first() == pattern);

    closeWindow();
    reopenSettings();
    QVERIFY(f->openWindow());
    QCOMPARE(f->history().size(), 1);
    QVERIFY(f->history().first() == pattern);
    QVERIFY(f->pattern()->currentText() == pattern);
}

void TestHostileWindow::deeplyNestedGroupsAreReported()
{
    const QString pattern = u"("_s.repeated(5'000) + u"a"_s + u")"_s.repeated(5'000);
    f->document()->setText(u"aaa"_s);
    pastePattern(pattern);

    f->click("cmdFind");
    f->click("cmdFindPrev");
    f->click("cmdReplaceAll");
    f->click("cmdReplace");

    QCOMPARE(f->messages.texts(), (QStringList{kTooComplex, kNoMatches, kTooComplex, kNoMatches, kTooComplex,
                                               kTooComplex, kNoMatches}));
    QCOMPARE(f->document()->Text(), u"aaa"_s);
    QVERIFY(f->history().first() == pattern);
}

// A Settings.ini that a full disk kept from being written at start-up used to hide its options.
void TestHostileWindow::settingsIniThatCannotBeWrittenIsReadAndToldOf()
{
    closeWindowAndSettings();
    reopenSettings();
    f->settings->SaveSettings({{u"Pattern"_s, u"kept"_s}, {u"Pattern0"_s, u"kept"_s}});
    f->settings.reset();
    {
        const FileSizeLimit limit(8);
        reopenSettings();
    }
    QVERIFY(!f->settings->SaveToINI());

    QVERIFY(f->openWindow());
    QCOMPARE(f->pattern()->currentText(), u"kept"_s);
    QCOMPARE(f->history(), QStringList{u"kept"_s});
    QVERIFY(f->item("mnuOptionsSaveToRegistry")->isChecked());
    QTRY_COMPARE(f->messages.shown.size(), 1);
    QVERIFY2(f->messages.texts().first().contains(u"Settings.ini cannot be written"_s),
             qPrintable(f->messages.texts().first()));
}

void TestHostileWindow::garbageSettingsIniGivesDefaults()
{
    closeWindowAndSettings();
    const QByteArray garbage = randomBytes(7, 8192);
    const QString ini = f->path(u"Settings.ini"_s);
    QVERIFY(FileContent::write(ini, garbage));
    reopenSettings();

    QVERIFY(f->openWindow());

    QCOMPARE(f->messages.texts(), QStringList());
    QVERIFY(shownOptions() == RememberedOptions{});
    QVERIFY(f->item("mnuOptionsSaveToINI")->isChecked());

    f->pattern()->setEditText(u"a+b"_s);
    f->click("cmdFind");
    closeWindow();
    reopenSettings();
    QVERIFY(f->openWindow());
    QCOMPARE(f->history(), QStringList{u"a+b"_s});
    QCOMPARE(f->pattern()->currentText(), u"a+b"_s);
    QVERIFY(FileContent::read(ini).startsWith(garbage.left(64)));
}

void TestHostileWindow::folderNamedSettingsIniIsLeftAlone()
{
    closeWindowAndSettings();
    const QString ini = f->path(u"Settings.ini"_s);
    QVERIFY(QFile::remove(ini));
    QVERIFY(QDir(f->path(QString())).mkdir(u"Settings.ini"_s));
    QVERIFY(f->store(u"Settings.ini/inside.txt"_s, "inside"));
    const auto expectAtMostOneMessageOnSettingsIni = [this] {
        QVERIFY2(f->messages.shown.size() <= 1, qPrintable(f->messages.texts().join(u" | "_s)));
        for (const QString& text : f->messages.texts())
            QVERIFY2(text.contains(u"Settings.ini"_s), qPrintable(text));
        f->messages.shown.clear();
    };
    reopenSettings();

    QVERIFY(f->openWindow());

    expectAtMostOneMessageOnSettingsIni();
    QVERIFY(shownOptions() == RememberedOptions{});

    // The options go to the per-user area instead and come back from there.
    f->pattern()->setEditText(u"a+b"_s);
    f->click("cmdFind");
    QCOMPARE(f->messages.texts(), QStringList{kNoMatches});
    f->messages.shown.clear();
    closeWindow();
    reopenSettings();
    QVERIFY(f->openWindow());
    expectAtMostOneMessageOnSettingsIni();
    QCOMPARE(f->history(), QStringList{u"a+b"_s});
    QVERIFY(QFileInfo(ini).isDir());
    QCOMPARE(entries(ini), QStringList{u"inside.txt"_s});
    QCOMPARE(f->contentOf(u"Settings.ini/inside.txt"_s), "inside"_ba);
}

// Opening a pipe for reading waits for a writer, so the window never appeared.
void TestHostileWindow::pipeNamedSettingsIniIsLeftAlone()
{
    closeWindowAndSettings();
    const QString ini = f->path(u"Settings.ini"_s);
    QVERIFY(QFile::remove(ini));
    QCOMPARE(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
    reopenSettings();

    QVERIFY(f->openWindow());

    QCOMPARE(f->messages.shown.size(), 1);
    QVERIFY2(f->messages.texts().first().contains(u"Settings.ini: Not a regular file"_s),
             qPrintable(f->messages.texts().first()));
    QVERIFY(f->item("mnuOptionsSaveToRegistry")->isChecked());
    QVERIFY(shownOptions() == RememberedOptions{});
    closeWindow();
    reopenSettings();
    QVERIFY(f->openWindow());
    QCOMPARE(f->messages.shown.size(), 1);
    QVERIFY(QFileInfo(ini).exists() && !QFileInfo(ini).isFile());
}

void TestHostileWindow::historyOfOddPatternsComesBack_data()
{
    QTest::addColumn<bool>("iniFile");

    QTest::newRow("INI file") << true;
    QTest::newRow("per-user area") << false;
}

// The INI file used to refuse a pattern with a line break, with a message box for each at
// exit, and the history read at the next start ended before it.
void TestHostileWindow::historyOfOddPatternsComesBack()
{
    QFETCH(bool, iniFile);
    closeWindow();
    f->settings->SaveToINI(iniFile);
    QVERIFY(f->openWindow());
    const QStringList patterns = {u"oldest"_s, u"line 1\r\nline 2"_s, u"\"quoted\""_s, u"a=b"_s,
                                  u"  leading blanks"_s, u"gr\u00fc\u00df \u4e2d\u6587"_s, u"\\r\\n\n"_s};
    for (const QString& pattern : patterns) {
        pastePattern(pattern);
        f->click("cmdFind");
    }
    f->messages.shown.clear();

    closeWindow();
    reopenSettings();
    QVERIFY(f->openWindow());

    QCOMPARE(f->messages.texts(), QStringList());
    QCOMPARE(f->history(), QStringList(patterns.crbegin(), patterns.crend()));
    QCOMPARE(f->pattern()->currentText(), patterns.last());
    QCOMPARE(f->item("mnuOptionsSaveToINI")->isChecked(), iniFile);
}

// "sifta FILE" reads the file before the event loop runs; File, Exit meanwhile closes the
// window, stops the read, and the program ends once the loop starts.
void TestHostileWindow::exitWhileOpeningEndsTheProgram()
{
    const int writer = silentPipe(u"fifo"_s);
    QVERIFY(writer >= 0);
    bool exited = false;
    onNextProgress([&] {
        f->trigger("mnuFileExit");
        exited = true;
    });

    f->window->LoadCommandLineDocument(f->path(u"fifo"_s));
    ::close(writer);

    QVERIFY(exited);
    QVERIFY(!f->window->isVisible());
    // A program that failed to end would run on with no window; the guard ends it instead.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(60'000);
    QCOMPARE(QApplication::exec(), 0);
}

QTEST_MAIN(TestHostileWindow)
#include "tst_hostilewindow.moc"
