#include "ui/file_chooser.h"

#include <QDir>
#include <QFileDialog>

namespace velmaro {
namespace {

std::optional<QString> Run(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(request.Owner, request.Title, QDir::currentPath(), request.Filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.InitialName.isEmpty())
        dialog.selectFile(request.InitialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace

std::optional<QString> QtFileChooser::ChooseOpenFile(const FileDialogRequest& request) {
    return Run(request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFileChooser::ChooseSaveFile(const FileDialogRequest& request) {
    return Run(request, QFileDialog::AcceptSave);
}

}  // namespace velmaro
