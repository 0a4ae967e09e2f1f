#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

class QMimeData;

/// What the editor inside TextEx needs of the control that holds it: the settings that
/// shape the user's input, the room left for text, where the input is reported, and the
/// batching of the changes that one event makes.
class EditorOwner {
public:
    /// Whether Enter and pasted line breaks go into the text.
    virtual bool takesLineBreaks() const = 0;
    /// The sequence Enter inserts.
    virtual QString lineBreak() const = 0;
    /// Whether dropped files or text are reported instead of refused.
    virtual bool takesDrops() const = 0;
    /// Whether the text still fits once sValue replaces the selection, with room for
    /// nExtraBytes more.
    virtual bool canReplaceSelection(QStringView sValue, qint64 nExtraBytes) const = 0;
    /// Replaces the selection as one undoable edit; false when the text would not fit.
    virtual bool replaceSelection(const QString& text) = 0;

    virtual void keyTyped(int& keyAscii) = 0;
    virtual void keyReleased(int keyCode, int shift) = 0;
    virtual void clicked() = 0;
    virtual void dropped(const QMimeData* data) = 0;
    /// Input was refused because the text would not fit.
    virtual void refusedAsTooLong() = 0;

    /// A batch of changes starts; returns whether the enclosing batch had changes pending.
    virtual bool beginChanges() = 0;
    /// The batch ends: raises the change if it made any, and restores the enclosing
    /// batch's pending state.
    virtual void endChanges(bool outerPending) = 0;
    /// The batch raises the change at its end even when the text did not change.
    virtual void forceChange() = 0;

protected:
    ~EditorOwner() = default;
};
