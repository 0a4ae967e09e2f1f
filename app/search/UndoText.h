#pragma once

#include <QByteArray>

#include <optional>
#include <utility>

/// The one-step undo of replacements: the whole text as it was before the last replacement.
/// Undo swaps it with the current text, so a second Undo brings the replacement back. It is
/// kept in UTF-8, as the Search Text holds it, which takes half the room of UTF-16 for
/// most texts. An empty saved text cannot be told from none: Undo then does nothing.
class UndoText {
public:
    /// Keeps utf8, the UTF-8 of a text, as the text before a replacement.
    void remember(QByteArray utf8) { mUtf8 = std::move(utf8); }

    /// Takes the kept text out, in UTF-8, leaving none; nothing when no text is kept.
    std::optional<QByteArray> take()
    {
        if (mUtf8.isEmpty())
            return std::nullopt;
        return std::exchange(mUtf8, QByteArray());
    }

    bool isEmpty() const { return mUtf8.isEmpty(); }

private:
    QByteArray mUtf8;
};
