#include "documents/DocumentCommands.h"

#include "busy/BusyResult.h"
#include "platform/CommonDialog.h"
#include "platform/FileDialog.h"
#include "platform/FilePath.h"
#include "platform/MessageBox.h"
#include "platform/Tools.h"

#include <QCoreApplication>
#include <QDir>
#include <QMimeData>
#include <QUrl>

namespace {

struct DocumentTexts {
    Q_DECLARE_TR_FUNCTIONS(DocumentTexts)
};

QString openFilter()
{
    return DocumentTexts::tr("Text Files (*.txt)|*.txt|All Files|*.*|");
}

QString saveFilter()
{
    return DocumentTexts::tr("Text (*.txt)|*.txt|All Files|*.*|");
}

QString firstLocalFile(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile())
            return FilePath::fromLocalUrl(url);
    }
    return {};
}

/// Asks whether a text that holds `character`, which `encoding` cannot store, may be saved as
/// UTF-8 instead.
QString encodingQuestion(const QString& sFile, TextEncoding encoding, const QString& character)
{
    return DocumentTexts::tr("The text holds %1, which %2 cannot store.\r\nSave '%3' as UTF-8 instead? "
                             "Cancel leaves the file as it is.")
        .arg(character, TextCodec::encodingName(encoding), sFile);
}

} // namespace

DocumentCommands::DocumentCommands(IDocumentWindow& window, ISearchText& document, IMessageBox& messages,
                                   IFileDialog& dialogs)
    : mWindow(window), mDocument(document), mMessages(messages), mDialogs(dialogs)
{
}

int DocumentCommands::QuerySaveChanges()
{
    if (!mWindow.Dirty())
        return GoOn;
    const QString question =
        DocumentTexts::tr("The text in the '%1' file has changed.\r\nDo you want to save the changes?")
            .arg(mWindow.fileName());
    switch (mMessages.show(question, MessageButtons::YesNoCancel, MessageIcon::Question)) {
    case MessageAnswer::Yes:
        return Save() == SaveOutcome::Failed ? Cancelled : GoOn;
    case MessageAnswer::No:
        return GoOn;
    default:
        return Cancelled;
    }
}

void DocumentCommands::New()
{
    if (QuerySaveChanges() == Cancelled)
        return;
    replaceWithUnnamed(QString());
}

void DocumentCommands::Open()
{
    if (QuerySaveChanges() == Cancelled)
        return;
    bool readOnly = false;
    const QString path = CommonDialog::ShowOpen(mDialogs, QString(), QString(), openFilter(),
                                                OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_ENABLESIZING, readOnly);
    if (path.isEmpty())
        return;
    if (const std::optional<QString> file = fileChosen(path))
        Load(*file);
}

bool DocumentCommands::Load(const QString& sFile, ErrorNaming naming)
{
    // The old text that a save cut short left beside the file is offered first; taking it
    // makes it an unsaved change of the file, so the file and the backup stay as they are.
    const std::optional<QString> backup = FileBytes::unfinishedRewriteBackup(sFile);
    const bool restore = backup && offerBackup(sFile, *backup);
    const QString& source = restore ? *backup : sFile;

    // Reading and decoding a large file takes a while; a cancel leaves everything as it was.
    // A file whose text the document cannot hold is refused before it is read whole.
    const qint64 capacity = mDocument.documentCapacity();
    const std::optional<Tools::TextFileRead> read = busyResult<Tools::TextFileRead>(
        mDocument, DocumentTexts::tr("Opening..."),
        [path = source, capacity](const std::atomic_bool& cancel) { return Tools::ReadTextFile(path, capacity, &cancel); });
    if (!read)
        return false;
    if (!read->ok()) {
        FileError error = read->error();
        if (naming == ErrorNaming::WithPath || restore)
            error.description =
                DocumentTexts::tr("Cannot open \"%1\": %2").arg(QDir::toNativeSeparators(source), error.description);
        showError(error);
        return false;
    }
    if (!mDocument.setDocumentText(read->value().text))
        return false;
    setFormat(read->value().format);
    mWindow.setFileName(sFile);
    mWindow.setDirty(restore);
    mWindow.RefreshCaption();
    return true;
}

bool DocumentCommands::Restore(const QString& sText, const QString& sFileName, TextFormat format, bool bDirty)
{
    if (!mDocument.setDocumentText(sText))
        return false;
    setFormat(format);
    mWindow.setFileName(sFileName);
    mWindow.setDirty(bDirty);
    mWindow.RefreshCaption();
    return true;
}

bool DocumentCommands::offerBackup(const QString& sFile, const QString& sBackup)
{
    const QString question = DocumentTexts::tr("A save of '%1' did not finish, so the file may hold only part of the "
                                               "saved text. Its text from before that save is in '%2'.\r\n"
                                               "Do you want to open the text from before that save instead? It opens "
                                               "as an unsaved change; the file and the backup stay as they are until "
                                               "you save.")
                                 .arg(QDir::toNativeSeparators(sFile), QDir::toNativeSeparators(sBackup));
    return mMessages.show(question, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes;
}

DocumentCommands::SaveOutcome DocumentCommands::Save()
{
    if (mWindow.fileName() == kUntitled)
        return SaveAs();
    // The file must still be there: a file deleted or moved away since it was opened is
    // an error, not a new file.
    if (!canTakeDocument(mWindow.fileName()) || !write(mWindow.fileName(), FileBytes::Target::ExistingOnly))
        return SaveOutcome::Failed;
    mWindow.setDirty(false);
    return SaveOutcome::Saved;
}

DocumentCommands::SaveOutcome DocumentCommands::SaveAs()
{
    const QString chosen = CommonDialog::ShowSave(mDialogs, QString(), QString(), saveFilter(),
                                                  OFN_PATHMUSTEXIST | OFN_EXPLORER);
    if (chosen.isEmpty())
        return SaveOutcome::Declined;
    const std::optional<QString> file = fileChosen(chosen);
    if (!file || !canTakeDocument(*file))
        return SaveOutcome::Failed;
    const QString& path = *file;
    if (Tools::FileExists(path)
        && mMessages.show(DocumentTexts::tr("Overwrite existing file?"), MessageButtons::OkCancel,
                          MessageIcon::Question)
            != MessageAnswer::Ok)
        return SaveOutcome::Declined;
    if (!write(path, FileBytes::Target::NewOrExisting))
        return SaveOutcome::Failed;
    mWindow.setFileName(path);
    mWindow.setDirty(false);
    mWindow.RefreshCaption();
    return SaveOutcome::Saved;
}

void DocumentCommands::Drop(const QMimeData& Data)
{
    if (QuerySaveChanges() == Cancelled)
        return;
    const QString file = firstLocalFile(Data);
    if (!file.isEmpty()) {
        if (Tools::FileExists(file))
            Load(file);
        return;
    }
    if (Data.hasText())
        replaceWithUnnamed(Data.text());
}

bool DocumentCommands::write(const QString& sFile, FileBytes::Target target)
{
    const QString text = mDocument.documentText();
    TextFormat format = mFormat;
    // Only the code page can fail to store a character the editor holds; nothing is written,
    // and the document keeps its encoding, unless the user agrees to UTF-8.
    const std::optional<qsizetype> at =
        format.encoding == TextEncoding::Windows1252 ? TextCodec::firstUnencodable(text, format) : std::nullopt;
    if (at) {
        const QString question = encodingQuestion(sFile, format.encoding, TextCodec::codePointName(text, *at));
        if (mMessages.show(question, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok)
            return false;
        format = TextFormat{};
    }
    const Tools::TextFileWrite written = Tools::WriteTextFile(sFile, text, format, target);
    if (!written.ok()) {
        showError(written.error());
        return false;
    }
    setFormat(written->format);
    return true;
}

void DocumentCommands::setFormat(TextFormat format)
{
    mFormat = format;
    mWindow.showFormat(format);
}

std::optional<QString> DocumentCommands::fileChosen(const QString& sPath)
{
    const std::optional<QString> file = FilePath::fromQtPath(sPath);
    if (!file)
        mMessages.show(DocumentTexts::tr("Sifta cannot tell which file '%1' is: its name is not valid UTF-8, and another "
                                         "name in its folder reads the same. Rename the file to open or save it.")
                           .arg(sPath),
                       MessageButtons::Ok, MessageIcon::Exclamation);
    return file;
}

bool DocumentCommands::canTakeDocument(const QString& sFile)
{
    const std::optional<FileError> refused = FileBytes::checkRegularTarget(sFile);
    if (refused)
        showError(*refused);
    return !refused;
}

void DocumentCommands::showError(const FileError& error)
{
    mMessages.show(error.message(), MessageButtons::Ok, MessageIcon::Exclamation);
}

void DocumentCommands::replaceWithUnnamed(const QString& sText)
{
    if (!mDocument.setDocumentText(sText))
        return;
    mWindow.setFileName(kUntitled);
    setFormat(TextFormat{});
    mWindow.setDirty(false);
    mWindow.RefreshCaption();
}
