#pragma once

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

/// UTF-16 and UTF-32 in either byte order, as files that start with a byte-order mark hold
/// them: the steps of the document codec for these forms.
namespace WideUnicode {

/// The form whose byte-order mark `bytes` start with, if any. UTF-32 LE is named where
/// its mark and the UTF-16 LE mark followed by U+0000 read the same.
std::optional<TextEncoding> markedEncoding(QByteArrayView bytes);

/// The first code unit of `text` that is half of no surrogate pair, if any: what no Unicode
/// form can store.
std::optional<qsizetype> firstLoneSurrogate(QStringView text);

/// Whether `encoding` is a UTF-16 or UTF-32 form.
bool isWide(TextEncoding encoding);

/// The byte-order mark of `encoding`, which is a UTF-16 or UTF-32 form.
QByteArrayView byteOrderMark(TextEncoding encoding);

/// The text of `bytes` (after the mark) in `encoding`; nothing when they are not
/// well-formed: a length that is no whole number of code units, a lone surrogate, a code
/// point above U+10FFFF.
std::optional<QString> decode(QByteArrayView bytes, TextEncoding encoding);

/// The bytes of `text`, which holds no lone surrogate, in `encoding`, the mark left out.
QByteArray encode(QStringView text, TextEncoding encoding);

} // namespace WideUnicode
