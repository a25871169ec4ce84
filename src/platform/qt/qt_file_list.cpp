#include "platform/qt/qt_file_list.h"

#include <QMouseEvent>

#include "platform/qt/mouse_buttons.h"

namespace q32 {

namespace {

// The list widget; it reports the mouse once Qt has handled it, so the
// selection is up to date when the program looks at it. The right button
// leaves the selection alone (it opens the pop-up menu).
class FileListView : public QListWidget {
public:
    FileListView(QWidget* parent, QtFileList* list) : QListWidget(parent), list_(list) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::RightButton) QListWidget::mousePressEvent(event);
        auto button = programButton(event->button());
        if (button && list_->onMouseDown) list_->onMouseDown(*button);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() != Qt::RightButton) QListWidget::mouseReleaseEvent(event);
        auto button = programButton(event->button());
        if (button && list_->onMouseUp) list_->onMouseUp(*button);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QListWidget::mouseDoubleClickEvent(event);
        if (event->button() == Qt::LeftButton && list_->onDblClick) list_->onDblClick();
    }

private:
    QtFileList* list_;
};

}  // namespace

QtFileList::QtFileList(QWidget* parent, FileSystem& fs)
    : PlacedWidget(new FileListView(parent, this)), model_(fs), list_(static_cast<QListWidget*>(placedWidget())) {
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setUniformItemSizes(true);
    list_->setContextMenuPolicy(Qt::NoContextMenu);
    QObject::connect(list_, &QListWidget::itemSelectionChanged, list_, [this] { takeUserSelection(); });
}

bool QtFileList::setPath(const std::string& path) {
    if (!model_.setPath(path)) return false;
    showEntries();
    return true;
}

void QtFileList::setPattern(const std::string& pattern) {
    model_.setPattern(pattern);
    showEntries();
}

void QtFileList::refresh() {
    model_.refresh();
    showEntries();
}

void QtFileList::setSelected(int index, bool selected) {
    if (index < 0 || index >= model_.count()) return;
    model_.setSelected(index, selected);
    mirroring_ = true;
    list_->item(index)->setSelected(selected);
    mirroring_ = false;
}

std::string QtFileList::toolTip() const { return list_->toolTip().toStdString(); }

void QtFileList::setToolTip(const std::string& text) { list_->setToolTip(QString::fromStdString(text)); }

void QtFileList::showEntries() {
    mirroring_ = true;
    list_->clear();
    for (int index = 0; index < model_.count(); ++index) {
        auto* entry = new QListWidgetItem(QString::fromStdString(model_.item(index)), list_);
        entry->setSelected(model_.selected(index));
    }
    mirroring_ = false;
}

void QtFileList::takeUserSelection() {
    if (mirroring_) return;
    for (int index = 0; index < model_.count() && index < list_->count(); ++index)
        model_.setSelected(index, list_->item(index)->isSelected());
}

}  // namespace q32
