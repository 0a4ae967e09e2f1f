#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Option flags of the file dialogs, with the values callers know them by.
inline constexpr quint32 OFN_READONLY = 0x1;
inline constexpr quint32 OFN_OVERWRITEPROMPT = 0x2;
inline constexpr quint32 OFN_PATHMUSTEXIST = 0x800;
inline constexpr quint32 OFN_FILEMUSTEXIST = 0x1000;
inline constexpr quint32 OFN_EXPLORER = 0x80000;
inline constexpr quint32 OFN_ENABLESIZING = 0x800000;

struct FileDialogRequest {
    bool save = false;
    /// Empty: the dialog shows its own title.
    QString title;
    /// A file or folder to start in; empty for the dialog's own choice.
    QString initialPath;
    /// Qt's form, one entry a pair: "Text Files (*.txt)", "All Files (*)".
    QStringList nameFilters;
    /// OFN_* flags.
    quint32 flags = 0;

    friend bool operator==(const FileDialogRequest&, const FileDialogRequest&) = default;
};

struct FileDialogChoice {
    /// The full path the user confirmed.
    QString path;
    /// The 1-based number of the filter selected when the user confirmed.
    int filterIndex = 1;
    /// The state of a read-only check box, for dialogs that have one.
    bool readOnly = false;
};

/// A modal file dialog. Commands reach it through this interface so that tests can
/// script the user's choice instead of blocking on a real dialog.
class IFileDialog {
public:
    virtual ~IFileDialog() = default;

    /// Shows the dialog; the user's choice, or nothing when the user cancelled.
    virtual std::optional<FileDialogChoice> run(const FileDialogRequest& request) = 0;
};
