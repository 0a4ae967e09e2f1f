#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

class QUrl;

/// File names as the system keeps them, bytes, and as text. A name that is valid UTF-8
/// reads as that text; each byte of a name that is not part of valid UTF-8 reads as a
/// lone surrogate U+DC80 to U+DCFF, so that the text gives back the very same bytes.
/// (QFile::decodeName puts U+FFFD in such places, and then names another file.)
namespace FilePath {

/// The text of the file name bytes `name`.
QString decode(QByteArrayView name);

/// The file name bytes of `name`: what `decode` read it from, or UTF-8 for any other text.
QByteArray encode(QStringView name);

/// The current folder.
QString currentFolder();

/// The local file that the "file:" URL `url` names: the bytes its percent escapes stand
/// for, where QUrl::toLocalFile reads them as UTF-8 only.
QString fromLocalUrl(const QUrl& url);

/// The file that `path` names when Qt has decoded it itself, as its file dialogs do, with
/// U+FFFD where a name's bytes are not UTF-8: each name that holds U+FFFD is looked up in
/// its folder. Nothing when such a name reads the same as several entries there, which
/// then cannot be told apart; a name that matches no entry is kept as it is.
std::optional<QString> fromQtPath(const QString& path);

} // namespace FilePath
