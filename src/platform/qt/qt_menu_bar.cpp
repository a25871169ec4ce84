#include "platform/qt/qt_menu_bar.h"

#include <QCursor>
#include <QKeySequence>

namespace q32 {

QtMenuBar::QtMenuBar(QMenuBar* bar) : bar_(bar), receiver_(std::make_unique<QObject>()) {}

QtMenuBar::~QtMenuBar() = default;

void QtMenuBar::addMenu(const std::string& name, const std::string& caption) {
    if (!bar_ || menus_.count(name)) return;
    menus_[name] = bar_->addMenu(QString::fromStdString(caption));
}

void QtMenuBar::addEntry(const std::string& menuName, const std::string& name, const std::string& caption,
                         const std::string& shortcut) {
    QMenu* target = menu(menuName);
    if (!target) return;
    QAction* entry = target->addAction(QString::fromStdString(caption));
    if (!shortcut.empty())
        entry->setShortcut(QKeySequence::fromString(QString::fromStdString(shortcut), QKeySequence::PortableText));
    QObject::connect(entry, &QAction::triggered, receiver_.get(), [this, name] {
        if (onTriggered) onTriggered(name);
    });
    entries_[name] = entry;
}

void QtMenuBar::addSeparator(const std::string& menuName) {
    if (QMenu* target = menu(menuName)) target->addSeparator();
}

bool QtMenuBar::isEnabled(const std::string& entry) const {
    const QAction* found = action(entry);
    return found && found->isEnabled();
}

void QtMenuBar::setEnabled(const std::string& entry, bool enabled) {
    if (QAction* found = action(entry)) found->setEnabled(enabled);
}

void QtMenuBar::popup(const std::string& menuName) {
    if (QMenu* target = menu(menuName)) target->exec(QCursor::pos());
}

QMenu* QtMenuBar::menu(const std::string& name) const {
    auto found = menus_.find(name);
    return found == menus_.end() ? nullptr : found->second.data();
}

QAction* QtMenuBar::action(const std::string& entry) const {
    auto found = entries_.find(entry);
    return found == entries_.end() ? nullptr : found->second.data();
}

}  // namespace q32
