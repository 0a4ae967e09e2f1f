#pragma once

#include "platform/FileDialog.h"

#include <QString>
#include <QStringList>

/// The open and save dialogs behind calls that take a "|"-separated filter and return
/// the chosen path, or empty text when the user cancelled.
namespace CommonDialog {

/// Shows the open dialog. `bReadOnly` receives the read-only state when the user
/// confirms and is left alone on cancel.
QString ShowOpen(IFileDialog& dialog, const QString& sTitle, const QString& sInitPath,
                 const QString& sFilter, quint32 lFlags, bool& bReadOnly);

/// Shows the save dialog.
QString ShowSave(IFileDialog& dialog, const QString& sTitle, const QString& sInitPath,
                 const QString& sFilter, quint32 lFlags);

/// The body of both. `sFilter` is pairs of a description and a pattern, each ended by
/// "|" ("Text Files (*.txt)|*.txt|All Files|*.*|"). A chosen name without an extension
/// gets the selected filter's extension unless that filter matches all files; for the
/// open dialog only when the name does not name an existing file.
QString ShowFileDialog(IFileDialog& dialog, const QString& sTitle, const QString& sInitPath,
                       const QString& sFilter, quint32 lFlags, bool& bReadOnly, bool bSave);

/// `sFilter` with its closing "|" completed and every "|" turned into a null character:
/// null-ended pieces closed by an empty one.
QString CompleteFilter(const QString& sFilter);

/// The extension of the pattern of the `nIndex`-th (1-based) pair of a null-separated
/// filter: "txt" for "*.txt", "*" for "*.*"; empty when there is no such pair.
QString GetFilterExtension(const QString& sFilter, int nIndex);

/// The pairs of a null-separated filter in Qt's form, up to the first empty description.
/// Patterns are separated by blanks there, and "*.*" becomes "*", which matches names
/// without a dot too.
QStringList ToQtNameFilters(const QString& sFilter);

} // namespace CommonDialog
