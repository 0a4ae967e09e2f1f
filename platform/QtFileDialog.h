#pragma once

#include "platform/FileDialog.h"

class QFileDialog;
class QWidget;

/// The real file dialogs, on QFileDialog.
class QtFileDialog final : public IFileDialog {
public:
    explicit QtFileDialog(QWidget* parent = nullptr) : mParent(parent) {}

    std::optional<FileDialogChoice> run(const FileDialogRequest& request) override;

    /// Sets up `dialog` for `request`: accept mode, file mode, options, title, filters
    /// and start folder. Separate from `run` so that it can be checked without showing.
    static void configure(QFileDialog& dialog, const FileDialogRequest& request);

private:
    QWidget* mParent;
};
