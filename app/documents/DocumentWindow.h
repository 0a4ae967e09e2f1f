#pragma once

#include "platform/TextCodec.h"

#include <QString>

#include <atomic>
#include <functional>

/// The marker file name of a document that has no file yet.
inline const QString kUntitled = QStringLiteral("Untitled");

/// The window that holds the document, as the document commands see it: the text of
/// the Search Text box and the window's document state.
class IDocumentWindow {
public:
    virtual ~IDocumentWindow() = default;

    virtual QString documentText() const = 0;
    /// Replaces the whole text; like any change of the text, this marks the document changed.
    /// False when the document cannot hold sText: the window has said so, and the text is
    /// as it was.
    virtual bool setDocumentText(const QString& sText) = 0;
    /// The most bytes of text in UTF-8 that the document holds.
    virtual qint64 documentCapacity() const = 0;

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

    /// Runs work, a step that may take long, such as reading a large file, while the window
    /// shows that it is busy; the flag is raised when the user cancels. False at once when
    /// the user cancelled: work, which must own everything it uses, then runs on unseen.
    virtual bool runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work) = 0;
};
