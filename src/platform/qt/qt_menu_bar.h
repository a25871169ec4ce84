// The menus of the main window, over its menu bar. Menus and entries are
// known by the program's short names; an entry's shortcut works while the
// entry is enabled.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <map>
#include <memory>

#include "platform/controls.h"

namespace q32 {

class QtMenuBar : public MenuBar {
public:
    explicit QtMenuBar(QMenuBar* bar);
    ~QtMenuBar() override;
    QtMenuBar(const QtMenuBar&) = delete;
    QtMenuBar& operator=(const QtMenuBar&) = delete;

    void addMenu(const std::string& name, const std::string& caption) override;
    void addEntry(const std::string& menu, const std::string& name, const std::string& caption,
                  const std::string& shortcut) override;
    void addSeparator(const std::string& menu) override;
    bool isEnabled(const std::string& entry) const override;
    void setEnabled(const std::string& entry, bool enabled) override;
    void popup(const std::string& menu) override;

    QMenu* menu(const std::string& name) const;
    QAction* action(const std::string& entry) const;

private:
    QPointer<QMenuBar> bar_;
    // Receiver of every connection to the actions: going with the menu bar
    // object, it cuts them all at once.
    std::unique_ptr<QObject> receiver_;
    std::map<std::string, QPointer<QMenu>> menus_;
    std::map<std::string, QPointer<QAction>> entries_;
};

}  // namespace q32
