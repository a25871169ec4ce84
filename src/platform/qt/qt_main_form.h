// The main window: a Qt main window whose inner area holds every control at
// the place the program gives it (no layouts). It sees the keys of its
// controls before they do, reports a right click on its background, and
// takes files dropped from a file manager as virtual paths.
#pragma once

#include <QKeyEvent>
#include <QMainWindow>
#include <QUrl>
#include <memory>

#include "platform/controls.h"
#include "platform/host/drive_table.h"
#include "platform/qt/top_window.h"

class QMimeData;

namespace q32 {

class QtMainForm : public MainForm, public QtTopWindow {
public:
    explicit QtMainForm(host::DriveTable drives);
    ~QtMainForm() override;

    void repaint() override;
    void unload() override;
    bool isUnloaded() const override { return unloaded_; }

    QMainWindow* window() const override { return window_.get(); }
    // The inner area: the parent of the controls.
    QWidget* inner() const override { return inner_; }

    // Called by the window's own event handlers.
    bool closing() override;
    void dropped(const QMimeData& data);

    // The virtual paths of the local files among the URLs, in their order;
    // files outside every mapped drive are left out.
    std::vector<std::string> virtualPaths(const QList<QUrl>& urls) const;

protected:
    bool keyPressed(const QKeyEvent& event) override;

private:
    host::DriveTable drives_;
    std::unique_ptr<QMainWindow> window_;
    QWidget* inner_;
    bool unloaded_ = false;
};

}  // namespace q32
