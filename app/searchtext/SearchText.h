#pragma once

#include "searchtext/TextRange.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

/// The Search Text as the window's command layers see it: its text, written whole or in
/// place of the selection, the selection, the most it holds, the range marked for Search in
/// Selection, and a way to run long work on it off the window's thread. Positions and
/// lengths are UTF-16 code units of the text.
class ISearchText {
public:
    virtual ~ISearchText() = default;

    virtual QString documentText() const = 0;
    /// Replaces the whole text; like any change of the text, this marks the document changed.
    /// False when the Search Text cannot hold sText: the user has been told, and the text is
    /// as it was.
    virtual bool setDocumentText(const QString& sText) = 0;
    /// setDocumentText for the text that utf8 holds in UTF-8, which the Search Text takes
    /// without a UTF-16 copy; returns the text it replaced, in UTF-8, taken after the Search
    /// Text has let go of that text in UTF-16. Nothing when the Search Text cannot hold utf8.
    virtual std::optional<QByteArray> swapDocumentUtf8(const QByteArray& utf8) = 0;
    /// The most bytes of text in UTF-8 that the Search Text holds.
    virtual qint64 documentCapacity() const = 0;
    /// The line break Enter types: "\r\n", "\n" or "\r".
    virtual QString newLineSequence() const = 0;

    virtual qsizetype selStart() const = 0;
    virtual qsizetype selLength() const = 0;
    /// Selects length code units from start, scrolled into view.
    virtual void setSelection(qsizetype start, qsizetype length) = 0;
    /// Replaces the selection with sText as one undoable edit. False when the Search Text
    /// could not then hold its text: the user has been told, and the text is as it was.
    virtual bool replaceSelection(const QString& sText) = 0;
    /// Gives the Search Text the focus.
    virtual void focusDocument() = 0;

    /// The range marked for Search in Selection, where it lies now: edits move it with the text
    /// it holds, and one that removes all of that text removes it. Nothing when none is marked.
    virtual std::optional<TextRange> searchRange() const = 0;
    /// Marks range for Search in Selection in place of the one marked before; nothing removes
    /// the mark.
    virtual void setSearchRange(const std::optional<TextRange>& range) = 0;

    /// Runs work, a step that may take long, such as reading a large file or searching the
    /// whole text, while the window shows that it is busy; the flag is raised when the user
    /// cancels. False at once when the user cancelled: work, which must own everything it
    /// uses, then runs on unseen.
    virtual bool runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work) = 0;
};
