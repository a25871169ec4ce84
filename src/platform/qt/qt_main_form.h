// The main window: a Qt main window whose inner area holds every control at
// the place the program gives it (no layouts). It sees the keys of its
// controls before they do, reports a right click on its background, and
// takes files dropped from a file manager as virtual paths.
#pragma once

#include <QKeyEvent>
#include <QMainWindow>
#include <QPointer>
#include <QUrl>
#include <memory>

#include "platform/controls.h"
#include "platform/host/drive_table.h"
#include "platform/qt/top_window.h"

class QMimeData;

namespace q32 {

class QtMainForm : public MainForm {
public:
    explicit QtMainForm(host::DriveTable drives);
    ~QtMainForm() override;
    QtMainForm(const QtMainForm&) = delete;
    QtMainForm& operator=(const QtMainForm&) = delete;

    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    WindowState windowState() const override;
    void setWindowState(WindowState state) override;
    Rect geometry() const override;
    void setGeometry(const Rect& rect) override;
    double innerWidth() const override;
    double innerHeight() const override;
    void show() override;
    bool isShown() const override;
    void repaint() override;
    void setBusy(bool busy) override;
    void unload() override;
    bool isUnloaded() const override { return unloaded_; }

    QMainWindow* window() const { return window_.get(); }
    // The inner area: the parent of the controls.
    QWidget* inner() const { return inner_; }

    // Called by the window's own event handlers.
    // False when the window stays open.
    bool closing();
    void frameMayBeKnown();
    void dropped(const QMimeData& data);
    bool previewKey(QObject* target, QKeyEvent& event);

    // The virtual paths of the local files among the URLs, in their order;
    // files outside every mapped drive are left out.
    std::vector<std::string> virtualPaths(const QList<QUrl>& urls) const;

private:
    host::DriveTable drives_;
    std::unique_ptr<QMainWindow> window_;
    QWidget* inner_;
    std::unique_ptr<QObject> keyPreview_;
    bool unloaded_ = false;
    OuterGeometry outer_;
    // The key press last seen and where: a key a control does not take goes
    // on to its parents, and the window has seen it already.
    const QKeyEvent* lastKey_ = nullptr;
    QPointer<QWidget> lastKeyTarget_;
};

}  // namespace q32
