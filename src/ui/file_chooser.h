// The open and save file dialogs behind one seam: the program shows the
// desktop's file dialog, tests answer with a fake and never open a modal
// dialog. Profile and macro import/export both go through it.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace velmaro {

// What a file dialog is asked for.
struct FileDialogRequest {
    QWidget* Owner = nullptr;  // the window the dialog is modal to
    QString Title;
    // What the file-name field starts with (a proposed name, or ".mkf").
    QString InitialName;
    // Added when the user types a name without a suffix ("mkf", "ini").
    QString DefaultSuffix;
    // Qt's filter form, e.g. "mkf file (*.mkf)".
    QString Filter;
};

class FileChooser {
  public:
    virtual ~FileChooser() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> ChooseOpenFile(const FileDialogRequest& request) = 0;
    // The save dialog asks before replacing an existing file.
    virtual std::optional<QString> ChooseSaveFile(const FileDialogRequest& request) = 0;
};

// The desktop's file dialog (QFileDialog), opening in the current directory.
class QtFileChooser final : public FileChooser {
  public:
    std::optional<QString> ChooseOpenFile(const FileDialogRequest& request) override;
    std::optional<QString> ChooseSaveFile(const FileDialogRequest& request) override;
};

}  // namespace velmaro
