#pragma once

#include <QString>

/// The main window's caption for a document: "*" while it has unsaved changes, the
/// file name part of `sFileName` (all of it when it has no "/"), then " - Siftwell".
QString documentCaption(const QString& sFileName, bool bDirty);
