#include "platform/qt/qt_main_form.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "platform/qt/mouse_buttons.h"
#include "platform/qt/key_codes.h"
#include "platform/qt/program_pictures.h"

namespace q32 {

namespace {

bool hasLocalFiles(const QMimeData* data) {
    if (!data || !data->hasUrls()) return false;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return true;
    }
    return false;
}

class FormWindow : public TopWindowWidget<QMainWindow> {
public:
    explicit FormWindow(QtMainForm* form) : TopWindowWidget(form), form_(form) { setAcceptDrops(true); }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (hasLocalFiles(event->mimeData())) event->acceptProposedAction();
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        if (hasLocalFiles(event->mimeData())) event->acceptProposedAction();
    }
    void dropEvent(QDropEvent* event) override {
        if (!hasLocalFiles(event->mimeData())) return;
        event->acceptProposedAction();
        form_->dropped(*event->mimeData());
    }

private:
    QtMainForm* form_;
};

// The inner area: its size is the window's inner size, and a click that
// lands on no control lands on the window's background.
class InnerArea : public QWidget {
public:
    InnerArea(QWidget* parent, QtMainForm* form) : QWidget(parent), form_(form) {}

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        form_->innerResized();
    }
    void mousePressEvent(QMouseEvent* event) override {
        QWidget::mousePressEvent(event);
        if (childAt(event->position().toPoint())) return;
        auto button = programButton(event->button());
        if (button && form_->onMouseDown) form_->onMouseDown(*button);
    }

private:
    QtMainForm* form_;
};

}  // namespace

QtMainForm::QtMainForm(host::DriveTable drives)
    : drives_(std::move(drives)), window_(std::make_unique<FormWindow>(this)) {
    inner_ = new InnerArea(window_.get(), this);
    window_->setCentralWidget(inner_);
    window_->setWindowIcon(quillIcon());
}

QtMainForm::~QtMainForm() { window_->blockSignals(true); }

void QtMainForm::repaint() { window_->repaint(); }

void QtMainForm::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (onUnload) onUnload();
    window_->close();
}

// The close box: the program may keep the window open for a while (a
// command still running); otherwise it takes its leave as on its own unload.
bool QtMainForm::closing() {
    if (unloaded_) return true;
    if (onQueryUnload && !onQueryUnload()) return false;
    unloaded_ = true;
    if (onUnload) onUnload();
    return true;
}

std::vector<std::string> QtMainForm::virtualPaths(const QList<QUrl>& urls) const {
    std::vector<std::string> paths;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) continue;
        if (auto path = drives_.toVirtual(url.toLocalFile().toStdString())) paths.push_back(*path);
    }
    return paths;
}

// The program handles a drop once the drag is over, so a long command it
// starts does not hold the file manager's drag.
void QtMainForm::dropped(const QMimeData& data) {
    std::vector<std::string> paths = virtualPaths(data.urls());
    if (paths.empty()) return;
    QMetaObject::invokeMethod(
        window_.get(),
        [this, paths = std::move(paths)] {
            if (onDropFiles) onDropFiles(paths);
        },
        Qt::QueuedConnection);
}

bool QtMainForm::keyPressed(const QKeyEvent& event) {
    if (const int code = keyCode(event); code != 0 && onKeyDown) onKeyDown(code, shiftMask(event.modifiers()));
    if (auto character = characterCode(event); character && onKeyPress) onKeyPress(*character);
    // Tab is one of the program's keys; it does not move the focus.
    return event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
}

}  // namespace q32
