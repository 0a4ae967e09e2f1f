#pragma once

#include "documents/DocumentWindow.h"
#include "searchtext/SearchText.h"
#include "platform/FileError.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"

#include <QString>

#include <optional>

class IFileDialog;
class IMessageBox;
class QMimeData;

/// The File commands on the document of a window: the save prompt, New, Open, Save,
/// Save As, loading a file and taking a drop. Files are read and written whole; the
/// document keeps the encoding its file was read in, and Save writes it back in that
/// encoding; a text that encoding cannot store is written as UTF-8 only when the user
/// agrees, and otherwise not at all. Every file error is shown as the system's description and number with the
/// exclamation icon, and stops the command before it changes the document's state.
class DocumentCommands {
public:
    /// What `QuerySaveChanges` returns.
    enum SaveAnswer : int { GoOn = 1, Cancelled = 2 };
    /// How a Save or Save As ended: written, given up by the user in a dialog or prompt,
    /// or stopped by a file error.
    enum class SaveOutcome { Saved, Declined, Failed };

    /// `window`, `document`, `messages` and `dialogs` must outlive the commands.
    DocumentCommands(IDocumentWindow& window, ISearchText& document, IMessageBox& messages, IFileDialog& dialogs);

    /// Offers to save a changed document. `Cancelled` when the user cancelled, or when
    /// the save the user asked for failed with a file error, so the caller gives up what
    /// it was about to do and the changes are not lost; `GoOn` otherwise, also when the
    /// user declined the Save As dialog or the overwrite prompt.
    int QuerySaveChanges();

    void New();
    void Open();
    /// Writes the document over its file, which must still exist; an unnamed document
    /// goes to Save As.
    SaveOutcome Save();
    SaveOutcome SaveAs();
    /// Takes files or text dropped on the document: the first local file of a file list
    /// is loaded when it names an existing file; plain text becomes a new unnamed,
    /// unchanged document.
    void Drop(const QMimeData& Data);

    /// How a read error names the file: as Open shows it, right after its dialog showed
    /// the file, or with the file's path first, for a file that no dialog showed.
    enum class ErrorNaming { Bare, WithPath };

    /// Loads `sFile` as the document, as Open does once its dialog has confirmed the path.
    /// When a save of the file was cut short, the user is first offered the text from
    /// before it, which then becomes the document as an unsaved change. False, after the
    /// error message, when the file could not be read.
    bool Load(const QString& sFile, ErrorNaming naming = ErrorNaming::Bare);

    /// Makes `sText` the document, named `sFileName` (or `kUntitled`), in `format` and with
    /// the changed flag `bDirty`, as a recovery journal kept them; no file is read or
    /// written. False when the document cannot hold the text: the window has said so.
    bool Restore(const QString& sText, const QString& sFileName, TextFormat format, bool bDirty);

    /// The encoding the next save writes in.
    TextFormat format() const { return mFormat; }

private:
    /// Asks whether to open the backup `sBackup` that a save of `sFile` cut short left,
    /// instead of the file; true for yes.
    bool offerBackup(const QString& sFile, const QString& sBackup);
    /// Writes the document to `sFile`; false, after the error message, when nothing was
    /// written.
    bool write(const QString& sFile, FileBytes::Target target);
    /// The file a path from the file dialog names (see `FilePath::fromQtPath`); nothing,
    /// after a message naming it, when its name cannot be told apart from another one.
    std::optional<QString> fileChosen(const QString& sPath);
    /// True when `sFile` can take the document written whole (see
    /// `FileBytes::checkRegularTarget`); false, after the error message, for a folder,
    /// a device, a pipe or a socket, which would swallow the text or block the window.
    bool canTakeDocument(const QString& sFile);
    void showError(const FileError& error);
    /// Keeps the encoding the next save writes in, and shows it in the window.
    void setFormat(TextFormat format);
    /// Makes the document a new unnamed one holding `sText`.
    void replaceWithUnnamed(const QString& sText);

    IDocumentWindow& mWindow;
    ISearchText& mDocument;
    IMessageBox& mMessages;
    IFileDialog& mDialogs;
    TextFormat mFormat;
};
