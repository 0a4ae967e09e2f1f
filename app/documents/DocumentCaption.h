#pragma once

#include <QString>

/// The main window's caption for a document: "*" while it has unsaved changes, the
/// file name part of `sFileName` (all of it when it has no "/"), or "Untitled" in the
/// user's language for `kUntitled`, then " - Siftwell".
QString documentCaption(const QString& sFileName, bool bDirty);
