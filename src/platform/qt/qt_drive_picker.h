// The drive picker: a modal dialog with the program's prompt, the folders
// of the mapped drives, a status line and an OK button the program may forbid.
#pragma once

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <memory>

#include "platform/drive_picker.h"
#include "platform/filesystem.h"
#include "platform/qt/qt_folder_tree.h"

namespace q32 {

class QtDrivePicker : public DrivePicker {
public:
    QtDrivePicker(QWidget* owner, FileSystem& fs);

    void setPrompt(const std::string& prompt) override;
    bool browse() override;
    std::string selectedPath() const override { return selected_; }
    void setStatusText(const std::string& text) override;
    void setOkAllowed(bool allowed) override;

    QDialog* dialog() const { return dialog_.get(); }
    QtFolderTree& tree() { return *tree_; }
    QLabel* statusLabel() const { return status_; }
    QDialogButtonBox* buttons() const { return buttons_; }

private:
    void selectionChanged();

    std::unique_ptr<QDialog> dialog_;
    QLabel* prompt_;
    std::unique_ptr<QtFolderTree> tree_;
    QLabel* status_;
    QDialogButtonBox* buttons_;
    std::string selected_;
};

}  // namespace q32
