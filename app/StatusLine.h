#pragma once

#include <QLocale>
#include <QString>

/// The caret status line: "Line: l    Col: c    Len: n", each number grouped with the
/// locale's thousands separator. line and column are shown as given (1-based).
QString statusLineText(qint64 line, qint64 column, qint64 length, const QLocale& locale = QLocale());

/// The status line's text before the document reports anything.
inline const QString kInitialStatusLine = QStringLiteral("Line: 0    Col: 0    Len: 0");
