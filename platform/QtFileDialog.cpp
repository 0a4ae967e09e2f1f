#include "platform/QtFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

void QtFileDialog::configure(QFileDialog& dialog, const FileDialogRequest& request)
{
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    const bool mustExist = !request.save && (request.flags & OFN_FILEMUSTEXIST);
    dialog.setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite,
                     !(request.flags & OFN_OVERWRITEPROMPT));
    dialog.setSizeGripEnabled(request.flags & OFN_ENABLESIZING);
    dialog.setNameFilters(request.nameFilters);

    if (!request.initialPath.isEmpty()) {
        if (QFileInfo(request.initialPath).isDir())
            dialog.setDirectory(request.initialPath);
        else
            dialog.selectFile(request.initialPath);
    }
}

std::optional<FileDialogChoice> QtFileDialog::run(const FileDialogRequest& request)
{
    QFileDialog dialog(mParent);
    configure(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;

    const auto selected = request.nameFilters.indexOf(dialog.selectedNameFilter());
    // Qt's dialog has no read-only check box, so the state is always clear.
    return FileDialogChoice{dialog.selectedFiles().constFirst(),
                            selected < 0 ? 1 : int(selected) + 1, false};
}
