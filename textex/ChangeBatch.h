#pragma once

class EditorOwner;

/// Collects the text changes made while it lives (one keystroke, one paste, one write of
/// Text) and raises TextEx::Change once when it ends, if the text changed. Batches nest;
/// each raises the changes made within it, so a write inside an event handler raises its
/// Change before the write returns.
class ChangeBatch {
public:
    explicit ChangeBatch(EditorOwner& owner);
    ~ChangeBatch();
    ChangeBatch(const ChangeBatch&) = delete;
    ChangeBatch& operator=(const ChangeBatch&) = delete;

    /// Raises Change at the end even when the text did not change.
    void force();

private:
    EditorOwner& mOwner;
    bool mOuterPending;
};
