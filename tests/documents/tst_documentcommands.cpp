#include "documents/DocumentCommands.h"
#include "FakeDocumentWindow.h"
#include "support/FileContent.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingMessageBox.h"
#include "support/ScriptedFileDialog.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString kPrompt = u"The text in the '%1' file has changed.\r\nDo you want to save the changes?"_s;
const QStringList kOpenFilters{u"Text Files (*.txt)"_s, u"All Files (*)"_s};
const QStringList kSaveFilters{u"Text (*.txt)"_s, u"All Files (*)"_s};

QMimeData* droppedFiles(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data->setUrls(urls);
    return data;
}

} // namespace

class TestDocumentCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> mDir;
    std::unique_ptr<FakeDocumentWindow> mWindow;
    std::unique_ptr<RecordingMessageBox> mMessages;
    std::unique_ptr<ScriptedFileDialog> mDialogs;
    std::unique_ptr<DocumentCommands> mCommands;

    QString path(const QString& name) const { return mDir->filePath(name); }
    /// A named document holding `text`, loaded from a file that holds it too.
    void openNamed(const QString& name, const QByteArray& bytes)
    {
        QVERIFY(FileContent::write(path(name), bytes));
        QVERIFY(mCommands->Load(path(name)));
    }

private slots:
    void init();

    void promptOnlyForChangedDocument_data();
    void promptOnlyForChangedDocument();
    void promptYesOnUnnamedThenCancelledSaveAsGoesOn();
    void promptYesWithFailingSaveKeepsTheChanges_data();
    void promptYesWithFailingSaveKeepsTheChanges();
    void newDocument_data();
    void newDocument();
    void openShowsTheOpenDialog();
    void openLoadsTheChosenFile();
    void openKeepsAnExistingNameWithoutExtension();
    void openOfMissingFileCreatesNothing();
    void openOffersWhatAnUnfinishedSaveKept_data();
    void openOffersWhatAnUnfinishedSaveKept();
    void openCancelledInPromptShowsNoDialog();
    void saveWritesTheNamedFile();
    void saveOfVanishedFileIsAnError();
    void failedSaveKeepsTheOldFile();
    void saveAsShowsTheSaveDialog();
    void saveAsAddsTheFilterExtension_data();
    void saveAsAddsTheFilterExtension();
    void saveAsOverwrite_data();
    void saveAsOverwrite();
    void saveAsOntoAFolderIsAnError();
    void onlyARegularFileTakesTheDocument_data();
    void onlyARegularFileTakesTheDocument();
    void saveAsOfUnchangedDocumentRenamesIt();
    void openAndSaveKeepEveryByte_data();
    void openAndSaveKeepEveryByte();
    void characterOutsideTheCodePageAsksFirst_data();
    void characterOutsideTheCodePageAsksFirst();
    void dropFiles_data();
    void dropFiles();
    void dropCancelledInPromptLooksAtNothing();
    void textTheDocumentCannotHoldChangesNothing_data();
    void textTheDocumentCannotHoldChangesNothing();
};

void TestDocumentCommands::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
    mWindow = std::make_unique<FakeDocumentWindow>();
    mMessages = std::make_unique<RecordingMessageBox>();
    mDialogs = std::make_unique<ScriptedFileDialog>();
    mCommands = std::make_unique<DocumentCommands>(*mWindow, *mWindow, *mMessages, *mDialogs);
}

void TestDocumentCommands::promptOnlyForChangedDocument_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("prompted");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("unchanged: no prompt") << false << MessageAnswer::Cancel << 1 << false << "old"_ba;
    QTest::newRow("changed, Cancel") << true << MessageAnswer::Cancel << 2 << true << "old"_ba;
    QTest::newRow("changed, No") << true << MessageAnswer::No << 1 << true << "old"_ba;
    QTest::newRow("changed, Yes saves") << true << MessageAnswer::Yes << 1 << true << "old new"_ba;
}

void TestDocumentCommands::promptOnlyForChangedDocument()
{
    QFETCH(bool, changed);
    QFETCH(MessageAnswer, answer);
    QFETCH(int, result);
    QFETCH(bool, prompted);
    QFETCH(QByteArray, file);

    openNamed(u"notes.txt"_s, "old");
    if (changed)
        mWindow->type(u" new"_s);
    mMessages->answers = {answer};

    QCOMPARE(mCommands->QuerySaveChanges(), result);
    QCOMPARE(mMessages->shown.size(), prompted ? 1 : 0);
    if (prompted) {
        const RecordingMessageBox::Shown& box = mMessages->shown.first();
        QCOMPARE(box.text, kPrompt.arg(path(u"notes.txt"_s)));
        QCOMPARE(box.buttons, MessageButtons::YesNoCancel);
        QCOMPARE(box.icon, MessageIcon::Question);
        QCOMPARE(box.title, u"Sifta"_s);
    }
    QCOMPARE(FileContent::read(path(u"notes.txt"_s)), file);
}

void TestDocumentCommands::promptYesOnUnnamedThenCancelledSaveAsGoesOn()
{
    mWindow->type(u"draft"_s);
    mMessages->answers = {MessageAnswer::Yes};
    mDialogs->cancel();

    QCOMPARE(mCommands->QuerySaveChanges(), 1);
    QCOMPARE(mMessages->texts(), QStringList{kPrompt.arg(u"Untitled"_s)});
    QCOMPARE(mDialogs->requests.size(), 1);
    QVERIFY(mDialogs->requests.first().save);
}

void TestDocumentCommands::promptYesWithFailingSaveKeepsTheChanges_data()
{
    QTest::addColumn<bool>("named");
    QTest::addColumn<QString>("error");

    QTest::newRow("named file vanished") << true << u"No such file or directory 2"_s;
    QTest::newRow("Save As onto a folder") << false << u"Is a directory 21"_s;
}

// Going on after a failed save would throw the only copy of the text away.
void TestDocumentCommands::promptYesWithFailingSaveKeepsTheChanges()
{
    QFETCH(bool, named);
    QFETCH(QString, error);

    if (named) {
        openNamed(u"notes.txt"_s, "old");
        QVERIFY(QFile::remove(path(u"notes.txt"_s)));
    } else {
        QVERIFY(QDir(mDir->path()).mkdir(u"folder.txt"_s));
        mDialogs->choose(path(u"folder.txt"_s));
    }
    mWindow->type(u"precious"_s);
    mMessages->answers = {MessageAnswer::Yes};

    mCommands->New();

    QCOMPARE(mMessages->texts().size(), 2);
    QCOMPARE(mMessages->texts().last(), error);
    QVERIFY(mWindow->text.endsWith(u"precious"_s));
    QCOMPARE(mWindow->dirty, true);
}

void TestDocumentCommands::newDocument_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QList<MessageAnswer>>("answers");
    QTest::addColumn<bool>("emptied");

    QTest::newRow("unchanged: no prompt") << false << QList<MessageAnswer>{} << true;
    QTest::newRow("changed, Cancel keeps the text") << true << QList<MessageAnswer>{MessageAnswer::Cancel} << false;
    QTest::newRow("changed, No drops the changes") << true << QList<MessageAnswer>{MessageAnswer::No} << true;
    QTest::newRow("changed, Yes then Save As cancelled drops the changes")
        << true << QList<MessageAnswer>{MessageAnswer::Yes} << true;
}

void TestDocumentCommands::newDocument()
{
    QFETCH(bool, changed);
    QFETCH(QList<MessageAnswer>, answers);
    QFETCH(bool, emptied);

    mWindow->text = u"some text"_s;
    if (changed)
        mWindow->type(u"!"_s);
    mMessages->answers = answers;

    mCommands->New();

    QCOMPARE(mMessages->shown.size(), answers.size());
    if (emptied) {
        QCOMPARE(mWindow->text, QString());
        QCOMPARE(mWindow->dirty, false);
        QCOMPARE(mWindow->caption, u"Untitled - Siftwell"_s);
    } else {
        QCOMPARE(mWindow->text, u"some text!"_s);
        QCOMPARE(mWindow->caption, u"*Untitled - Siftwell"_s);
    }
}

void TestDocumentCommands::openShowsTheOpenDialog()
{
    mCommands->Open();
    QCOMPARE(mDialogs->requests.size(), 1);
    QCOMPARE(mDialogs->requests.first(),
             (FileDialogRequest{false, QString(), QString(), kOpenFilters, 0x881000}));
    QCOMPARE(mWindow->captions, QStringList());
}

void TestDocumentCommands::openLoadsTheChosenFile()
{
    QVERIFY(FileContent::write(path(u"notes.txt"_s), "first line\r\nsecond"));
    mWindow->type(u"typed"_s);
    mMessages->answers = {MessageAnswer::No};
    mDialogs->choose(path(u"notes.txt"_s));

    mCommands->Open();

    QCOMPARE(mWindow->text, u"first line\r\nsecond"_s);
    QCOMPARE(mWindow->name, path(u"notes.txt"_s));
    QCOMPARE(mWindow->dirty, false);
    QCOMPARE(mWindow->caption, u"notes.txt - Siftwell"_s);
    mWindow->type(u"x"_s);
    QCOMPARE(mWindow->caption, u"*notes.txt - Siftwell"_s);
}

void TestDocumentCommands::openOffersWhatAnUnfinishedSaveKept_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("dirty");

    QTest::newRow("Yes opens the old text as an unsaved change") << MessageAnswer::Yes << u"old text"_s << true;
    QTest::newRow("No opens the file as it is") << MessageAnswer::No << u"new tt"_s << false;
}

void TestDocumentCommands::openOffersWhatAnUnfinishedSaveKept()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(QString, text);
    QFETCH(bool, dirty);

    QVERIFY(FileContent::write(path(u"notes.txt"_s), "new tt"));
    QVERIFY(FileContent::write(path(u"notes.txt.sifta-backup~"_s), "old text"));
    mMessages->answers = {answer};
    mDialogs->choose(path(u"notes.txt"_s));

    mCommands->Open();

    QCOMPARE(mMessages->shown.size(), 1);
    QVERIFY(mMessages->shown[0].text.contains(QDir::toNativeSeparators(path(u"notes.txt.sifta-backup~"_s))));
    QCOMPARE(mMessages->shown[0].buttons, MessageButtons::YesNo);
    QCOMPARE(mWindow->text, text);
    QCOMPARE(mWindow->name, path(u"notes.txt"_s));
    QCOMPARE(mWindow->dirty, dirty);
    QCOMPARE(FileContent::read(path(u"notes.txt"_s)), "new tt"_ba);
    QCOMPARE(FileContent::read(path(u"notes.txt.sifta-backup~"_s)), "old text"_ba);
}

void TestDocumentCommands::openKeepsAnExistingNameWithoutExtension()
{
    QVERIFY(FileContent::write(path(u"README"_s), "read me"));
    mDialogs->choose(path(u"README"_s), 1);

    mCommands->Open();

    QCOMPARE(mMessages->shown.size(), 0);
    QCOMPARE(mWindow->name, path(u"README"_s));
    QCOMPARE(mWindow->text, u"read me"_s);
}

void TestDocumentCommands::openOfMissingFileCreatesNothing()
{
    mWindow->type(u"kept"_s);
    mMessages->answers = {MessageAnswer::No};
    mDialogs->choose(path(u"gone.txt"_s));

    mCommands->Open();

    QCOMPARE(mMessages->shown.size(), 2);
    const RecordingMessageBox::Shown& error = mMessages->shown.last();
    QCOMPARE(error.text, u"No such file or directory 2"_s);
    QCOMPARE(error.buttons, MessageButtons::Ok);
    QCOMPARE(error.icon, MessageIcon::Exclamation);
    QCOMPARE(error.title, u"Sifta"_s);
    QVERIFY(!QFile::exists(path(u"gone.txt"_s)));
    QCOMPARE(mWindow->text, u"kept"_s);
    QCOMPARE(mWindow->name, u"Untitled"_s);
    QCOMPARE(mWindow->dirty, true);
}

void TestDocumentCommands::openCancelledInPromptShowsNoDialog()
{
    mWindow->type(u"kept"_s);
    mMessages->answers = {MessageAnswer::Cancel};
    mCommands->Open();
    QCOMPARE(mDialogs->requests.size(), 0);
    QCOMPARE(mWindow->text, u"kept"_s);
}

void TestDocumentCommands::saveWritesTheNamedFile()
{
    openNamed(u"notes.txt"_s, "a much longer old text");
    mWindow->text = u"short"_s;
    mWindow->setDirty(true);

    mCommands->Save();

    QCOMPARE(FileContent::read(path(u"notes.txt"_s)), "short"_ba);
    QCOMPARE(mWindow->dirty, false);
    QCOMPARE(mWindow->caption, u"notes.txt - Siftwell"_s);
    QCOMPARE(mDialogs->requests.size(), 0);
    QCOMPARE(mMessages->shown.size(), 0);
}

void TestDocumentCommands::saveOfVanishedFileIsAnError()
{
    openNamed(u"notes.txt"_s, "old");
    mWindow->type(u" new"_s);
    QVERIFY(QFile::remove(path(u"notes.txt"_s)));

    mCommands->Save();

    QCOMPARE(mMessages->texts(), QStringList{u"No such file or directory 2"_s});
    QCOMPARE(mMessages->shown.first().icon, MessageIcon::Exclamation);
    QVERIFY(!QFile::exists(path(u"notes.txt"_s)));
    QCOMPARE(mWindow->dirty, true);

    mDialogs->choose(path(u"notes.txt"_s));
    mCommands->SaveAs();
    QCOMPARE(FileContent::read(path(u"notes.txt"_s)), "old new"_ba);
    QCOMPARE(mWindow->dirty, false);
}

void TestDocumentCommands::failedSaveKeepsTheOldFile()
{
    openNamed(u"notes.txt"_s, "the old content");
    mWindow->type(u" and a great deal more than the disk can hold"_s);

    {
        FileSizeLimit limit(8);
        mCommands->Save();
    }

    QCOMPARE(mMessages->texts(), QStringList{u"File too large 27"_s});
    QCOMPARE(FileContent::read(path(u"notes.txt"_s)), "the old content"_ba);
    QCOMPARE(QDir(mDir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"notes.txt"_s});
    QCOMPARE(mWindow->dirty, true);
}

void TestDocumentCommands::saveAsShowsTheSaveDialog()
{
    mCommands->SaveAs();
    QCOMPARE(mDialogs->requests.size(), 1);
    QCOMPARE(mDialogs->requests.first(), (FileDialogRequest{true, QString(), QString(), kSaveFilters, 0x80800}));
}

void TestDocumentCommands::saveAsAddsTheFilterExtension_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("saved");

    QTest::newRow("text filter adds .txt") << u"notes"_s << 1 << u"notes.txt"_s;
    QTest::newRow("all files adds nothing") << u"notes"_s << 2 << u"notes"_s;
    QTest::newRow("own extension kept") << u"notes.log"_s << 1 << u"notes.log"_s;
}

void TestDocumentCommands::saveAsAddsTheFilterExtension()
{
    QFETCH(QString, typed);
    QFETCH(int, filter);
    QFETCH(QString, saved);

    mWindow->type(u"text"_s);
    mDialogs->choose(path(typed), filter);
    mCommands->SaveAs();

    QCOMPARE(mWindow->name, path(saved));
    QCOMPARE(FileContent::read(path(saved)), "text"_ba);
    QCOMPARE(mWindow->caption, saved + u" - Siftwell"_s);
}

void TestDocumentCommands::saveAsOverwrite_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("Cancel writes nothing") << MessageAnswer::Cancel << "existing"_ba;
    QTest::newRow("OK replaces the file") << MessageAnswer::Ok << "mine"_ba;
}

void TestDocumentCommands::saveAsOverwrite()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(QByteArray, file);

    QVERIFY(FileContent::write(path(u"other.txt"_s), "existing"));
    mWindow->type(u"mine"_s);
    mDialogs->choose(path(u"other.txt"_s));
    mMessages->answers = {answer};

    mCommands->SaveAs();

    QCOMPARE(mMessages->shown.size(), 1);
    const RecordingMessageBox::Shown& box = mMessages->shown.first();
    QCOMPARE(box.text, u"Overwrite existing file?"_s);
    QCOMPARE(box.buttons, MessageButtons::OkCancel);
    QCOMPARE(box.icon, MessageIcon::Question);
    QCOMPARE(FileContent::read(path(u"other.txt"_s)), file);
    const bool saved = answer == MessageAnswer::Ok;
    QCOMPARE(mWindow->name, saved ? path(u"other.txt"_s) : u"Untitled"_s);
    QCOMPARE(mWindow->dirty, !saved);
}

void TestDocumentCommands::saveAsOntoAFolderIsAnError()
{
    QVERIFY(QDir(mDir->path()).mkdir(u"folder.txt"_s));
    mWindow->type(u"text"_s);
    mDialogs->choose(path(u"folder.txt"_s));

    mCommands->SaveAs();

    QCOMPARE(mMessages->texts(), QStringList{u"Is a directory 21"_s});
    QCOMPARE(mMessages->shown.first().icon, MessageIcon::Exclamation);
    QCOMPARE(mWindow->name, u"Untitled"_s);
    QCOMPARE(mWindow->dirty, true);
}

void TestDocumentCommands::onlyARegularFileTakesTheDocument_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("saveAs");

    // A pipe would block the window until someone reads it; a device swallows the text.
    QTest::newRow("Save As onto a pipe") << u"fifo"_s << true;
    QTest::newRow("Save As onto a device") << u"/dev/null"_s << true;
    QTest::newRow("Save As onto a link to a device") << u"device"_s << true;
    QTest::newRow("Save of a document read from a pipe") << u"fifo"_s << false;
}

void TestDocumentCommands::onlyARegularFileTakesTheDocument()
{
    QFETCH(QString, target);
    QFETCH(bool, saveAs);

    QCOMPARE(::mkfifo(QFile::encodeName(path(u"fifo"_s)).constData(), 0600), 0);
    QVERIFY(QFile::link(u"/dev/null"_s, path(u"device"_s)));
    const QString file = QDir(mDir->path()).filePath(target);
    mWindow->name = saveAs ? kUntitled : file;
    mWindow->type(u"text"_s);
    mDialogs->choose(file, 2);

    if (saveAs)
        QCOMPARE(mCommands->SaveAs(), DocumentCommands::SaveOutcome::Failed);
    else
        QCOMPARE(mCommands->Save(), DocumentCommands::SaveOutcome::Failed);

    QCOMPARE(mMessages->texts(), QStringList{u"Not a regular file 22"_s});
    QCOMPARE(mMessages->shown.first().icon, MessageIcon::Exclamation);
    QCOMPARE(mWindow->name, saveAs ? kUntitled : file);
    QCOMPARE(mWindow->dirty, true);
}

void TestDocumentCommands::saveAsOfUnchangedDocumentRenamesIt()
{
    openNamed(u"notes.txt"_s, "text");
    mDialogs->choose(path(u"copy.txt"_s));

    mCommands->SaveAs();

    QCOMPARE(mWindow->caption, u"copy.txt - Siftwell"_s);
    QCOMPARE(FileContent::read(path(u"copy.txt"_s)), "text"_ba);
    QCOMPARE(FileContent::read(path(u"notes.txt"_s)), "text"_ba);
}

void TestDocumentCommands::openAndSaveKeepEveryByte_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QByteArray>("addedBytes");

    QTest::newRow("CR LF") << "one\r\ntwo\r\n"_ba << u"x"_s << "x"_ba;
    QTest::newRow("lone LF") << "one\ntwo\n"_ba << u"\n"_s << "\n"_ba;
    QTest::newRow("lone CR") << "one\rtwo"_ba << u"\r"_s << "\r"_ba;
    QTest::newRow("NUL bytes") << QByteArray("a\0b\0", 4) << QString(QChar(0)) << QByteArray(1, '\0');
    QTest::newRow("invalid UTF-8 stays 8-bit") << "caf\xe9 \xff\xfe"_ba << u"\u00e9"_s << "\xe9"_ba;
    QTest::newRow("UTF-8 with byte-order mark") << "\xef\xbb\xbfna\xc3\xafve"_ba << u"\u2713"_s << "\xe2\x9c\x93"_ba;
    QTest::newRow("UTF-8 without mark") << "na\xc3\xafve"_ba << u"\u00e9"_s << "\xc3\xa9"_ba;
    QTest::newRow("empty file") << QByteArray() << u"x"_s << "x"_ba;
    QTest::newRow("every byte value") << [] {
        QByteArray all;
        for (int value = 0; value < 256; ++value)
            all.append(char(value));
        return all;
    }() << u"\u20ac"_s << "\x80"_ba;
}

void TestDocumentCommands::openAndSaveKeepEveryByte()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, added);
    QFETCH(QByteArray, addedBytes);

    openNamed(u"file.bin"_s, bytes);
    mWindow->setDirty(true);
    mCommands->Save();
    QCOMPARE(FileContent::read(path(u"file.bin"_s)), bytes);

    mWindow->type(added);
    mCommands->Save();
    QCOMPARE(FileContent::read(path(u"file.bin"_s)), bytes + addedBytes);
    QCOMPARE(mMessages->shown.size(), 0);
}

void TestDocumentCommands::characterOutsideTheCodePageAsksFirst_data()
{
    QTest::addColumn<bool>("fromPrompt");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<TextEncoding>("encoding");

    const QByteArray converted = "caf\xc3\xa9 \xe2\x9c\x93";
    QTest::newRow("Save, Ok saves as UTF-8") << false << MessageAnswer::Ok << converted << TextEncoding::Utf8;
    QTest::newRow("Save, Cancel writes nothing") << false << MessageAnswer::Cancel << "caf\xe9"_ba
                                                 << TextEncoding::Windows1252;
    QTest::newRow("save prompt, Ok saves as UTF-8") << true << MessageAnswer::Ok << converted << TextEncoding::Utf8;
    QTest::newRow("save prompt, Cancel keeps the changes") << true << MessageAnswer::Cancel << "caf\xe9"_ba
                                                           << TextEncoding::Windows1252;
}

void TestDocumentCommands::characterOutsideTheCodePageAsksFirst()
{
    QFETCH(bool, fromPrompt);
    QFETCH(MessageAnswer, answer);
    QFETCH(QByteArray, file);
    QFETCH(TextEncoding, encoding);

    openNamed(u"latin.txt"_s, "caf\xe9");
    mWindow->type(u" \u2713"_s);
    const bool saved = answer == MessageAnswer::Ok;

    if (fromPrompt) {
        mMessages->answers = {MessageAnswer::Yes, answer};
        QCOMPARE(mCommands->QuerySaveChanges(), saved ? 1 : 2);
    } else {
        mMessages->answers = {answer};
        QCOMPARE(mCommands->Save(), saved ? DocumentCommands::SaveOutcome::Saved : DocumentCommands::SaveOutcome::Failed);
    }

    QCOMPARE(FileContent::read(path(u"latin.txt"_s)), file);
    const RecordingMessageBox::Shown& question = mMessages->shown.last();
    QVERIFY2(question.text.contains(u"U+2713"_s) && question.text.contains(u"Windows-1252"_s), qPrintable(question.text));
    QCOMPARE(question.buttons, MessageButtons::OkCancel);
    QCOMPARE(mCommands->format().encoding, encoding);
    QCOMPARE(mWindow->format.encoding, encoding);
    QCOMPARE(mWindow->dirty, !saved);
}

void TestDocumentCommands::dropFiles_data()
{
    QTest::addColumn<QStringList>("dropped");
    QTest::addColumn<QString>("loaded");

    QTest::newRow("several files load the first") << QStringList{u"a.txt"_s, u"b.txt"_s} << u"a.txt"_s;
    QTest::newRow("a folder loads nothing") << QStringList{u"folder"_s} << QString();
    QTest::newRow("a folder first loads nothing") << QStringList{u"folder"_s, u"a.txt"_s} << QString();
    QTest::newRow("a missing file loads nothing") << QStringList{u"gone.txt"_s} << QString();
}

void TestDocumentCommands::dropFiles()
{
    QFETCH(QStringList, dropped);
    QFETCH(QString, loaded);

    QVERIFY(FileContent::write(path(u"a.txt"_s), "file a"));
    QVERIFY(FileContent::write(path(u"b.txt"_s), "file b"));
    QVERIFY(QDir(mDir->path()).mkdir(u"folder"_s));
    mWindow->type(u"typed"_s);
    mMessages->answers = {MessageAnswer::No};
    QStringList paths;
    for (const QString& name : dropped)
        paths.append(path(name));
    const std::unique_ptr<QMimeData> data(droppedFiles(paths));
    data->setText(u"the paths as text"_s);

    mCommands->Drop(*data);

    QCOMPARE(mMessages->texts(), QStringList{kPrompt.arg(u"Untitled"_s)});
    if (loaded.isEmpty()) {
        QCOMPARE(mWindow->text, u"typed"_s);
        QCOMPARE(mWindow->name, u"Untitled"_s);
        QCOMPARE(mWindow->dirty, true);
    } else {
        QCOMPARE(mWindow->text, u"file a"_s);
        QCOMPARE(mWindow->name, path(loaded));
        QCOMPARE(mWindow->caption, loaded + u" - Siftwell"_s);
    }
}

void TestDocumentCommands::dropCancelledInPromptLooksAtNothing()
{
    QVERIFY(FileContent::write(path(u"a.txt"_s), "file a"));
    mWindow->type(u"typed"_s);
    mMessages->answers = {MessageAnswer::Cancel};
    const std::unique_ptr<QMimeData> data(droppedFiles({path(u"a.txt"_s)}));

    mCommands->Drop(*data);

    QCOMPARE(mWindow->text, u"typed"_s);
    QCOMPARE(mWindow->dirty, true);
}

void TestDocumentCommands::textTheDocumentCannotHoldChangesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("messages");

    // The window itself says when it refuses a dropped text.
    QTest::newRow("Open") << u"open"_s << QStringList{u"File too large 27"_s};
    QTest::newRow("file dropped") << u"drop file"_s << QStringList{u"File too large 27"_s};
    QTest::newRow("text dropped") << u"drop text"_s << QStringList();
}

void TestDocumentCommands::textTheDocumentCannotHoldChangesNothing()
{
    QFETCH(QString, how);
    QFETCH(QStringList, messages);

    openNamed(u"notes.txt"_s, "notes");
    QVERIFY(FileContent::write(path(u"long.txt"_s), "eleven long"));
    mWindow->capacity = 10;
    const std::unique_ptr<QMimeData> data(how == u"drop file" ? droppedFiles({path(u"long.txt"_s)}) : new QMimeData);
    data->setText(u"eleven long"_s);

    if (how == u"open") {
        mDialogs->choose(path(u"long.txt"_s));
        mCommands->Open();
    } else {
        mCommands->Drop(*data);
    }

    QCOMPARE(mMessages->texts(), messages);
    QCOMPARE(mWindow->text, u"notes"_s);
    QCOMPARE(mWindow->name, path(u"notes.txt"_s));
    QCOMPARE(mWindow->dirty, false);
}

QTEST_GUILESS_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
