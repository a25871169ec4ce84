#include "platform/qt/qt_folder_tree.h"

#include <QHeaderView>
#include <algorithm>
#include <QStyle>

#include "common/text.h"

namespace q32 {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kReadRole = Qt::UserRole + 1;

QString text(const std::string& bytes) { return QString::fromStdString(bytes); }

// "c:\Games\New\" -> drive 'c' and the components "Games", "New".
std::vector<std::string> components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 2; i < path.size(); ++i) {
        if (path[i] == '\\' || path[i] == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += path[i];
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

// Keeps a flag up for the length of a scope.
class FlagUp {
public:
    explicit FlagUp(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~FlagUp() { flag_ = before_; }
    FlagUp(const FlagUp&) = delete;
    FlagUp& operator=(const FlagUp&) = delete;

private:
    bool& flag_;
    bool before_;
};

}  // namespace

QtFolderTree::QtFolderTree(QWidget* parent, FileSystem& fs)
    : PlacedWidget(new QTreeWidget(parent)), fs_(fs), tree_(static_cast<QTreeWidget*>(placedWidget())) {
    tree_->setColumnCount(1);
    tree_->header()->hide();
    tree_->setUniformRowHeights(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    QObject::connect(tree_, &QTreeWidget::itemExpanded, tree_, [this](QTreeWidgetItem* item) {
        if (!programChange_ || !item->data(0, kReadRole).toBool()) readChildren(item);
    });
    QObject::connect(tree_, &QTreeWidget::currentItemChanged, tree_, [this](QTreeWidgetItem* current) {
        if (!programChange_ && current && onDirChanged) onDirChanged();
    });
    addDrives();
}

void QtFolderTree::addDrives() {
    const QIcon driveIcon = tree_->style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (char letter : fs_.drives()) {
        const std::string root = std::string(1, letter) + ":\\";
        auto* item = new QTreeWidgetItem(tree_, QStringList(text(root)));
        item->setIcon(0, driveIcon);
        item->setData(0, kPathRole, text(root));
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    // The first drive is current from the start, so the tree never picks
    // one by itself (as it would when it first gets the focus).
    FlagUp quiet(programChange_);
    tree_->setCurrentItem(tree_->topLevelItem(0));
}

std::string QtFolderTree::itemPath(const QTreeWidgetItem* item) {
    return item ? item->data(0, kPathRole).toString().toStdString() : std::string();
}

std::string QtFolderTree::path() const { return itemPath(tree_->currentItem()); }

QTreeWidgetItem* QtFolderTree::newFolderItem(const std::string& parentPath, const std::string& name) const {
    auto* item = new QTreeWidgetItem(QStringList(text(name)));
    item->setIcon(0, tree_->style()->standardIcon(QStyle::SP_DirIcon));
    item->setData(0, kPathRole, text(joinPath(parentPath, name)));
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

// Brings the children of an item in line with the folder's subfolders now:
// vanished ones go, new ones come in listing order, the others (and what
// lies open under them) stay.
void QtFolderTree::readChildren(QTreeWidgetItem* item) {
    FlagUp quiet(programChange_);
    const std::string folder = itemPath(item);
    const std::vector<std::string> names = fs_.listFolders(folder).value_or(std::vector<std::string>{});

    for (int index = item->childCount() - 1; index >= 0; --index) {
        const std::string name = item->child(index)->text(0).toStdString();
        if (std::find(names.begin(), names.end(), name) == names.end()) delete item->takeChild(index);
    }
    int position = 0;
    for (const std::string& name : names) {
        if (position < item->childCount() && item->child(position)->text(0).toStdString() == name) {
            ++position;
            continue;
        }
        item->insertChild(position++, newFolderItem(folder, name));
    }
    item->setData(0, kReadRole, true);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QTreeWidgetItem* QtFolderTree::childNamed(QTreeWidgetItem* parent, const std::string& name) const {
    for (int index = 0; index < parent->childCount(); ++index) {
        QTreeWidgetItem* child = parent->child(index);
        if (equalsNoCase(child->text(0).toStdString(), name)) return child;
    }
    return nullptr;
}

QTreeWidgetItem* QtFolderTree::findItem(const std::string& path) const {
    if (path.size() < 2 || path[1] != ':') return nullptr;
    QTreeWidgetItem* item = nullptr;
    for (int index = 0; index < tree_->topLevelItemCount(); ++index) {
        QTreeWidgetItem* root = tree_->topLevelItem(index);
        if (equalsNoCase(itemPath(root).substr(0, 1), path.substr(0, 1))) item = root;
    }
    for (const std::string& name : components(path)) {
        if (!item) break;
        item = childNamed(item, name);
    }
    return item;
}

bool QtFolderTree::setPath(const std::string& path) {
    if (path.size() < 2 || path[1] != ':' || !fs_.folderExists(path)) return false;
    QTreeWidgetItem* item = findItem(path.substr(0, 2));
    if (!item) return false;

    FlagUp quiet(programChange_);
    for (const std::string& name : components(path)) {
        // Every folder on the way is read again, so that a folder made or
        // removed since (a scratch folder an install left) shows at once.
        readChildren(item);
        QTreeWidgetItem* child = childNamed(item, name);
        if (!child) {
            // A folder that exists but is left out of listings (a hidden one).
            child = newFolderItem(itemPath(item), name);
            item->addChild(child);
        }
        item->setExpanded(true);
        item = child;
    }
    tree_->setCurrentItem(item);
    tree_->scrollToItem(item);
    return true;
}

}  // namespace q32
