#pragma once

#include "platform/TextCodec.h"

#include <QString>


/// The marker file name of a document that has no file yet.
inline const QString kUntitled = QStringLiteral("Untitled");

/// The window that holds the document, as the document commands see it: the document's
/// file name, changed flag, caption and encoding.
class IDocumentWindow {
public:
    virtual ~IDocumentWindow() = default;

    /// Full path of the document's file, or `kUntitled`.
    virtual QString fileName() const = 0;
    virtual void setFileName(const QString& sFileName) = 0;

    /// The changed flag; setting the other value refreshes the caption.
    virtual bool Dirty() const = 0;
    virtual void setDirty(bool bValue) = 0;
    virtual void RefreshCaption() = 0;
    /// Shows how the document's file is encoded: after a file is read or written, and for a
    /// new document.
    virtual void showFormat(const TextFormat& format) = 0;
};
