// The folder tree: the mapped drives as roots ("c:\"), each folder's
// subfolders read when it is first opened and again whenever it is opened.
#pragma once

#include <QTreeWidget>

#include "platform/controls.h"
#include "platform/filesystem.h"
#include "platform/qt/placed_widget.h"

namespace q32 {

class QtFolderTree : public PlacedWidget<FolderTree> {
public:
    QtFolderTree(QWidget* parent, FileSystem& fs);

    std::string path() const override;
    bool setPath(const std::string& path) override;

    QTreeWidget* widget() const { return tree_; }
    // The item that shows a folder, or null when it is not in the tree yet.
    QTreeWidgetItem* findItem(const std::string& path) const;
    static std::string itemPath(const QTreeWidgetItem* item);

private:
    void addDrives();
    void readChildren(QTreeWidgetItem* item);
    QTreeWidgetItem* newFolderItem(const std::string& parentPath, const std::string& name) const;
    QTreeWidgetItem* childNamed(QTreeWidgetItem* parent, const std::string& name) const;

    FileSystem& fs_;
    QTreeWidget* tree_;
    // Set while the program itself moves the tree: no change is reported.
    bool programChange_ = false;
};

}  // namespace q32
