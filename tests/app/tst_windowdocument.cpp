#include "DocumentWindowFixture.h"
#include "support/EncodedSamples.h"
#include "textex/TextExEditor.h"

#include <QDir>
#include <QFile>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(EncodedSamples::Sample)

namespace {

const QString kPrompt = u"The text in the '%1' file has changed.\r\nDo you want to save the changes?"_s;

/// Drags `data` onto the middle of the Search Text and lets go.
void drop(const DocumentWindowFixture& f, const QMimeData& data)
{
    QWidget* target = editorOf(*f.document())->viewport();
    const QPoint point = target->rect().center();
    QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent event(QPointF(point), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

/// The File commands and drops through the real window, with scripted dialogs.
class TestWindowDocument : public QObject {
    Q_OBJECT

    std::unique_ptr<DocumentWindowFixture> f;

    void openFile(const QString& name, const QByteArray& bytes)
    {
        QVERIFY(f->store(name, bytes));
        f->dialogs.choose(f->path(name));
        f->trigger("mnuFileOpen");
        QCOMPARE(f->window->windowTitle(), name + u" - Siftwell"_s);
    }

private slots:
    void init();
    void cleanup();

    void captionAfterOpenAndFirstKeystroke();
    void saveOnUnnamedDocument();
    void yesThenCancelledSaveAsLosesTheChanges_data();
    void yesThenCancelledSaveAsLosesTheChanges();
    void overwriteCancelKeepsEverything();
    void saveOfVanishedFile();
    void newOnUnchangedDocument();
    void openAndSaveKeepEveryByte_data();
    void openAndSaveKeepEveryByte();
    void encodedFilesSearchAndSaveAlike_data();
    void encodedFilesSearchAndSaveAlike();
    void droppedFiles_data();
    void droppedFiles();
    void droppedText();
    void commandLineFile_data();
    void commandLineFile();
};

void TestWindowDocument::init()
{
    f = std::make_unique<DocumentWindowFixture>();
    QVERIFY(f->openWindow());
}

void TestWindowDocument::cleanup()
{
    f.reset();
}

void TestWindowDocument::captionAfterOpenAndFirstKeystroke()
{
    openFile(u"notes.txt"_s, "some notes");
    QCOMPARE(f->document()->Text(), u"some notes"_s);
    f->type(u"x"_s);
    QCOMPARE(f->caption(), u"*notes.txt - Siftwell"_s);
    QCOMPARE(f->messages.shown.size(), 0);
}

void TestWindowDocument::saveOnUnnamedDocument()
{
    f->type(u"draft"_s);
    f->dialogs.cancel();

    f->trigger("mnuFileSave");

    QCOMPARE(f->dialogs.requests.size(), 1);
    QVERIFY(f->dialogs.requests.first().save);
    QCOMPARE(f->caption(), u"*Untitled - Siftwell"_s);

    f->dialogs.choose(f->path(u"draft"_s), 1);
    f->trigger("mnuFileSave");
    QCOMPARE(f->contentOf(u"draft.txt"_s), "draft"_ba);
    QCOMPARE(f->caption(), u"draft.txt - Siftwell"_s);
}

void TestWindowDocument::yesThenCancelledSaveAsLosesTheChanges_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");

    QTest::newRow("New") << u"mnuFileNew"_s << u""_s << u"Untitled - Siftwell"_s;
    QTest::newRow("Open") << u"mnuFileOpen"_s << u"other"_s << u"other.txt - Siftwell"_s;
    QTest::newRow("drop") << u"drop"_s << u"dropped"_s << u"Untitled - Siftwell"_s;
}

void TestWindowDocument::yesThenCancelledSaveAsLosesTheChanges()
{
    QFETCH(QString, command);
    QFETCH(QString, text);
    QFETCH(QString, caption);

    QVERIFY(f->store(u"other.txt"_s, "other"));
    f->type(u"unsaved"_s);
    f->messages.answers = {MessageAnswer::Yes};
    f->dialogs.cancel();
    f->dialogs.choose(f->path(u"other.txt"_s));

    if (command == u"drop"_s) {
        QMimeData data;
        data.setText(u"dropped"_s);
        drop(*f, data);
    } else {
        f->item(command.toLatin1().constData())->trigger();
    }

    QCOMPARE(f->messages.texts(), QStringList{kPrompt.arg(u"Untitled"_s)});
    QVERIFY(f->dialogs.requests.first().save);
    QCOMPARE(f->document()->Text(), text);
    QCOMPARE(f->caption(), caption);
}

void TestWindowDocument::overwriteCancelKeepsEverything()
{
    QVERIFY(f->store(u"taken.txt"_s, "taken"));
    openFile(u"mine.txt"_s, "mine");
    f->type(u"!"_s);
    f->dialogs.choose(f->path(u"taken.txt"_s));
    f->messages.answers = {MessageAnswer::Cancel};

    f->trigger("mnuFileSaveAs");

    QCOMPARE(f->messages.texts(), QStringList{u"Overwrite existing file?"_s});
    QCOMPARE(f->contentOf(u"taken.txt"_s), "taken"_ba);
    QCOMPARE(f->contentOf(u"mine.txt"_s), "mine"_ba);
    QCOMPARE(f->caption(), u"*mine.txt - Siftwell"_s);
}

void TestWindowDocument::saveOfVanishedFile()
{
    openFile(u"notes.txt"_s, "notes");
    f->type(u"!"_s);
    QVERIFY(QFile::remove(f->path(u"notes.txt"_s)));

    f->trigger("mnuFileSave");

    QCOMPARE(f->messages.texts(), QStringList{u"No such file or directory 2"_s});
    QCOMPARE(f->messages.shown.first().icon, MessageIcon::Exclamation);
    QVERIFY(!QFile::exists(f->path(u"notes.txt"_s)));
    QCOMPARE(f->caption(), u"*notes.txt - Siftwell"_s);
}

void TestWindowDocument::newOnUnchangedDocument()
{
    openFile(u"notes.txt"_s, "notes");

    f->trigger("mnuFileNew");

    QCOMPARE(f->messages.shown.size(), 0);
    QCOMPARE(f->document()->Text(), QString());
    QCOMPARE(f->caption(), u"Untitled - Siftwell"_s);
}

void TestWindowDocument::openAndSaveKeepEveryByte_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("CR LF") << "one\r\ntwo\r\n"_ba;
    QTest::newRow("lone LF") << "one\ntwo\n"_ba;
    QTest::newRow("lone CR") << "one\rtwo\r"_ba;
    QTest::newRow("mixed line ends") << "a\r\nb\nc\rd"_ba;
    QTest::newRow("NUL bytes") << QByteArray("a\0b\0\0c", 6);
    QTest::newRow("invalid UTF-8") << "caf\xe9 \xff\xfe\x80"_ba;
    QTest::newRow("byte-order mark") << "\xef\xbb\xbfna\xc3\xafve"_ba;
    QTest::newRow("empty file") << QByteArray();
}

void TestWindowDocument::openAndSaveKeepEveryByte()
{
    QFETCH(QByteArray, bytes);

    openFile(u"file.bin"_s, bytes);
    f->trigger("mnuFileSave");

    QCOMPARE(f->messages.texts(), QStringList());
    QCOMPARE(f->contentOf(u"file.bin"_s), bytes);
}

void TestWindowDocument::encodedFilesSearchAndSaveAlike_data()
{
    QTest::addColumn<EncodedSamples::Sample>("sample");
    QTest::addColumn<QString>("encoding");

    const QStringList encodings{QString(),        u"UTF-8 with BOM"_s, u"UTF-8, 1 stray byte"_s,
                                u"UTF-8, 1,000 stray bytes"_s, u"UTF-16 LE"_s, u"UTF-16 BE"_s,
                                u"UTF-32 LE"_s,   u"Windows-1252"_s};
    const QList<EncodedSamples::Sample> samples = EncodedSamples::samples();
    QCOMPARE(samples.size(), encodings.size());
    for (qsizetype i = 0; i < samples.size(); ++i)
        QTest::newRow(qPrintable(samples[i].fileName)) << samples[i] << encodings[i];
}

// Whatever the file's encoding, Find finds what it finds in UTF-8, the window names the
// encoding, and Replace All then Save changes the replaced bytes and nothing else.
void TestWindowDocument::encodedFilesSearchAndSaveAlike()
{
    QFETCH(EncodedSamples::Sample, sample);
    QFETCH(QString, encoding);

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    openFile(sample.fileName, sample.bytes);
    QCOMPARE(f->label("lblEncoding")->text(), encoding);

    f->pattern()->setEditText(EncodedSamples::kSamplePattern);
    f->click("cmdFind");
    QCOMPARE(f->label("lblMatchNo")->text(), u"Match 1 of %1"_s.arg(EncodedSamples::kSampleMatches));

    f->pattern()->setEditText(u"hello"_s);
    f->replaceWith()->setText(u"HELLO"_s);
    f->click("cmdReplaceAll");
    f->trigger("mnuFileSave");

    QCOMPARE(f->messages.texts(), QStringList());
    QCOMPARE(f->contentOf(sample.fileName), QByteArray(sample.bytes).replace(sample.ascii("hello"), sample.ascii("HELLO")));
}

void TestWindowDocument::droppedFiles_data()
{
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");

    QTest::newRow("several files load the first")
        << QStringList{u"a.txt"_s, u"b.txt"_s} << u"file a"_s << u"a.txt - Siftwell"_s;
    QTest::newRow("a folder loads nothing") << QStringList{u"folder"_s} << u"typed"_s << u"*Untitled - Siftwell"_s;
}

void TestWindowDocument::droppedFiles()
{
    QFETCH(QStringList, dropped);
    QFETCH(QString, text);
    QFETCH(QString, caption);

    QVERIFY(f->store(u"a.txt"_s, "file a"));
    QVERIFY(f->store(u"b.txt"_s, "file b"));
    QVERIFY(QDir(f->path(QString())).mkdir(u"folder"_s));
    f->type(u"typed"_s);
    f->messages.answers = {MessageAnswer::No};
    QList<QUrl> urls;
    for (const QString& name : dropped)
        urls.append(QUrl::fromLocalFile(f->path(name)));
    QMimeData data;
    data.setUrls(urls);

    drop(*f, data);

    QCOMPARE(f->messages.texts(), QStringList{kPrompt.arg(u"Untitled"_s)});
    QCOMPARE(f->document()->Text(), text);
    QCOMPARE(f->caption(), caption);
}

void TestWindowDocument::droppedText()
{
    openFile(u"notes.txt"_s, "notes");
    QMimeData data;
    data.setText(u"dropped text"_s);

    drop(*f, data);

    QCOMPARE(f->messages.shown.size(), 0);
    QCOMPARE(f->document()->Text(), u"dropped text"_s);
    QCOMPARE(f->caption(), u"Untitled - Siftwell"_s);
}

void TestWindowDocument::commandLineFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("named"); // through the command line's own loading, which names the file
    QTest::addColumn<QStringList>("messages"); // <path> stands for the file's full path
    QTest::addColumn<QString>("caption");

    QTest::newRow("existing file loaded") << true << false << QStringList{} << u"notes.txt - Siftwell"_s;
    QTest::newRow("missing file reported")
        << false << false << QStringList{u"No such file or directory 2"_s} << u"Siftwell"_s;
    QTest::newRow("existing file loaded, named") << true << true << QStringList{} << u"notes.txt - Siftwell"_s;
    QTest::newRow("missing file reported with its path")
        << false << true << QStringList{u"Cannot open \"<path>\": No such file or directory 2"_s} << u"Siftwell"_s;
}

void TestWindowDocument::commandLineFile()
{
    QFETCH(bool, exists);
    QFETCH(bool, named);
    QFETCH(QStringList, messages);
    QFETCH(QString, caption);

    if (exists)
        QVERIFY(f->store(u"notes.txt"_s, "notes"));

    const QString path = f->path(u"notes.txt"_s);
    if (named)
        f->window->LoadCommandLineDocument(path);
    else
        f->window->LoadDocument(path);

    messages.replaceInStrings(u"<path>"_s, QDir::toNativeSeparators(path));
    QCOMPARE(f->messages.texts(), messages);
    QCOMPARE(f->caption(), caption);
    QCOMPARE(f->document()->Text(), exists ? u"notes"_s : QString());
    QCOMPARE(QFile::exists(f->path(u"notes.txt"_s)), exists);
}

QTEST_MAIN(TestWindowDocument)
#include "tst_windowdocument.moc"
