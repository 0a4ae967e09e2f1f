#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

/// File names as the system keeps them, bytes, and as text. A name that is valid UTF-8
/// reads as that text; each byte of a name that is not part of valid UTF-8 reads as a
/// lone surrogate U+DC80 to U+DCFF, so that the text gives back the very same bytes.
/// (QFile::decodeName puts U+FFFD in such places, and then names another file.)
namespace FilePath {

/// The text of the file name bytes `name`.
QString decode(QByteArrayView name);

/// The file name bytes of `name`: what `decode` read it from, or UTF-8 for any other text.
QByteArray encode(QStringView name);

} // namespace FilePath
