#include "platform/qt/qt_drive_picker.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace q32 {

QtDrivePicker::QtDrivePicker(QWidget* owner, FileSystem& fs) : dialog_(std::make_unique<QDialog>(owner)) {
    dialog_->setObjectName(QStringLiteral("BrowseDialog1"));
    dialog_->setWindowTitle(QStringLiteral("Temporary drive"));
    prompt_ = new QLabel(dialog_.get());
    tree_ = std::make_unique<QtFolderTree>(dialog_.get(), fs);
    status_ = new QLabel(dialog_.get());
    status_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog_.get());
    auto* layout = new QVBoxLayout(dialog_.get());
    layout->addWidget(prompt_);
    layout->addWidget(tree_->widget(), 1);
    layout->addWidget(status_);
    layout->addWidget(buttons_);
    dialog_->resize(360, 420);
    QObject::connect(buttons_, &QDialogButtonBox::accepted, dialog_.get(), &QDialog::accept);
    QObject::connect(buttons_, &QDialogButtonBox::rejected, dialog_.get(), &QDialog::reject);
    tree_->onDirChanged = [this] { selectionChanged(); };
}

void QtDrivePicker::setPrompt(const std::string& prompt) { prompt_->setText(QString::fromStdString(prompt)); }

void QtDrivePicker::selectionChanged() {
    selected_ = tree_->path();
    if (onSelectionChanged) onSelectionChanged(selected_);
}

bool QtDrivePicker::browse() {
    selectionChanged();
    return dialog_->exec() == QDialog::Accepted;
}

void QtDrivePicker::setStatusText(const std::string& text) { status_->setText(QString::fromStdString(text)); }

void QtDrivePicker::setOkAllowed(bool allowed) { buttons_->button(QDialogButtonBox::Ok)->setEnabled(allowed); }

}  // namespace q32
