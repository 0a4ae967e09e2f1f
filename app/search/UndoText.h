#pragma once

#include <QString>

#include <optional>

/// The one-step undo of replacements: the whole text as it was before the last replacement.
/// Undo swaps it with the current text, so a second Undo brings the replacement back.
/// An empty saved text cannot be told from none: Undo then does nothing.
class UndoText {
public:
    /// Keeps text as the text before a replacement.
    void remember(const QString& text) { mText = text; }

    /// The text to show for an Undo of current, which is kept for the next Undo; nothing
    /// when no text is saved.
    std::optional<QString> swap(const QString& current)
    {
        if (mText.isEmpty())
            return std::nullopt;
        QString previous = mText;
        mText = current;
        return previous;
    }

    const QString& text() const { return mText; }

private:
    QString mText;
};
