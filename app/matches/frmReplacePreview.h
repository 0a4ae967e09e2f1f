#pragma once

#include "search/ReplacePreview.h"

#include <QDialog>

class ReplacePreviewModel;

/// Shows what Replace All is about to do: how many replacements, and a row per replacement
/// with the matched text and the text that replaces it, each worked out as it scrolls into
/// view. Replace All accepts the dialog, Cancel rejects it; the dialog itself changes nothing.
class frmReplacePreview : public QDialog {
    Q_OBJECT
public:
    frmReplacePreview(const ReplacePreview& preview, QWidget* parent = nullptr);

    const ReplacePreviewModel& table() const { return *mModel; }

private:
    ReplacePreviewModel* mModel = nullptr;
};
