#pragma once

#include <QString>

#include <memory>

class QWidget;

/// The text-like control an Edit command acts on, whatever its kind.
class EditTarget {
public:
    virtual ~EditTarget() = default;

    /// "TextBox", "RichTextBox", "ComboBox" or "TextEx".
    virtual QString kind() const = 0;
    virtual int selLength() const = 0;
    virtual QString selText() const = 0;
    /// Replaces the selection, or inserts at the caret, as one undoable edit. False, and
    /// nothing changed, for a box the user cannot edit.
    virtual bool setSelText(const QString& text) = 0;
    /// Selects the whole text; an empty text leaves the caret at 0.
    virtual void selectAll() = 0;
};

/// The Edit target for the focused widget: the Search Text box, the pattern box's edit
/// field, a plain or rich text box. Nothing for a button, a check box or no focus at all.
std::unique_ptr<EditTarget> editTargetFor(QWidget* focus);
