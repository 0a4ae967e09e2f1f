#pragma once

#include <QString>

/// Path utilities and file existence. Paths use "/" as their only separator.
namespace Tools {

/// True when `sFile` names an existing file (a symbolic link counts by its target);
/// false for a folder, a missing or empty path, or any path the system cannot look up.
bool FileExists(const QString& sFile);

/// The part of `sPath` after its last "/": all of it without one, empty text when the
/// path ends with "/".
QString GetFileName(const QString& sPath);

/// The extension of the file name part of `sPath`, without its dot: the text after the
/// last dot, unless that dot is the name's first character. Empty when there is none;
/// a name ending with a dot has an empty extension.
QString GetFileExtension(const QString& sPath);

/// `sText` up to its first null character, or all of it when it has none.
QString StripNull(const QString& sText);

} // namespace Tools
