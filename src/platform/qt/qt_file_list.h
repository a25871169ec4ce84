// The file list: the files of one folder that match the filter, several of
// which the user can select (click, Ctrl+click, Shift+click). The model holds
// the names and selected flags; the widget shows them and reports the user's
// selection back.
#pragma once

#include <QListWidget>

#include "platform/controls.h"
#include "platform/file_list_model.h"
#include "platform/qt/placed_widget.h"

namespace q32 {

class QtFileList : public PlacedWidget<FileList> {
public:
    QtFileList(QWidget* parent, FileSystem& fs);

    std::string path() const override { return model_.path(); }
    bool setPath(const std::string& path) override;
    std::string pattern() const override { return model_.pattern(); }
    void setPattern(const std::string& pattern) override;
    void refresh() override;
    int count() const override { return model_.count(); }
    std::string item(int index) const override { return model_.item(index); }
    bool selected(int index) const override { return model_.selected(index); }
    void setSelected(int index, bool selected) override;
    std::string toolTip() const override;
    void setToolTip(const std::string& text) override;

    QListWidget* widget() const { return list_; }

private:
    void showEntries();
    void takeUserSelection();

    FileListModel model_;
    QListWidget* list_;
    // Set while the list mirrors the model, so the widget's own selection
    // signals do not write back into it.
    bool mirroring_ = false;
};

}  // namespace q32
