#pragma once

#include "platform/TextCodec.h"

#include <QLocale>
#include <QString>

/// The caret status line: "Line: l    Col: c    Len: n", each number grouped with the
/// locale's thousands separator. line and column are shown as given (1-based).
QString statusLineText(qint64 line, qint64 column, qint64 length, const QLocale& locale = QLocale());

/// A number of matches, grouped as the status line groups its numbers, in the singular for
/// one: "1 match", "0 matches", "12,345 matches".
QString matchCountText(qint64 count, const QLocale& locale = QLocale());

/// What stands in place of a number of matches while it is being counted.
QString countingText();

/// The brief notice of a search that went around an end of the text: forward it went on
/// from the start, backward from the end.
QString wrapNoticeText(bool backward);
/// The notice of a text whose longest line, length characters, is slow in the Search Text.
QString longLineNoticeText(qint64 length, const QLocale& locale = QLocale());

/// The encoding of the document's file as the status line names it: nothing for plain UTF-8,
/// otherwise its name, with its byte-order mark or stray bytes ("UTF-8, 3 stray bytes").
QString encodingText(const TextFormat& format, const QLocale& locale = QLocale());
/// What encodingText() means, in a sentence, for its tooltip.
QString encodingToolTip(const TextFormat& format, const QLocale& locale = QLocale());
