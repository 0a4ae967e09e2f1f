#pragma once

#include "platform/FileDialog.h"

#include <QList>

#include <optional>

/// A file dialog for tests: records every request and answers from a script, where
/// an empty entry is the user's Cancel (as is an exhausted script).
class ScriptedFileDialog final : public IFileDialog {
public:
    QList<FileDialogRequest> requests;
    QList<std::optional<FileDialogChoice>> answers;

    /// Scripts the user confirming `path` with the `filterIndex`-th filter selected.
    void choose(const QString& path, int filterIndex = 1, bool readOnly = false)
    {
        answers.append(FileDialogChoice{path, filterIndex, readOnly});
    }

    void cancel() { answers.append(std::nullopt); }

    std::optional<FileDialogChoice> run(const FileDialogRequest& request) override
    {
        requests.append(request);
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
};
