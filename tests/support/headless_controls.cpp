#include "support/headless_controls.h"

#include <algorithm>
#include <stdexcept>

#include "common/text.h"

namespace q32::test {

// ---------------------------------------------------------------- toolbar
HeadlessToolbar::Button& HeadlessToolbar::button(int index) {
    if (index < 1 || index > count()) throw std::out_of_range("toolbar button " + std::to_string(index));
    return buttons_[static_cast<std::size_t>(index - 1)];
}

void HeadlessToolbar::setDown(int index, bool down) {
    Button& target = button(index);
    if (down && target.style == ButtonStyle::Group) {
        for (Button& other : buttons_) {
            if (other.style == ButtonStyle::Group) other.down = false;
        }
    }
    target.down = down;
}

Rect HeadlessToolbar::geometry() const {
    Rect rect = HeadlessPlaced::geometry();
    rect.width = 0;
    for (const Button& b : buttons_) rect.width += b.style == ButtonStyle::Separator ? 120 : 450;
    return rect;
}

void HeadlessToolbar::click(int index) {
    const Button& target = button(index);
    if (!target.enabled || target.style == ButtonStyle::Separator) return;
    if (target.style == ButtonStyle::Group) setDown(index, true);
    if (onButtonClick) onButtonClick(index);
}

// ---------------------------------------------------------------- splitter
Rect HeadlessSplitter::pane(int index) const {
    const Rect outer = geometry();
    if (index == 1) return {0, 0, pane1Width_, outer.height};
    return {pane1Width_ + kBar, 0, outer.width - pane1Width_ - kBar, outer.height};
}

void HeadlessSplitter::setGeometry(const Rect& rect) {
    const bool resized = rect.width != geometry().width || rect.height != geometry().height;
    HeadlessPlaced::setGeometry(rect);
    if (resized && onResize) onResize();
}

void HeadlessSplitter::drag(double pane1Width) {
    pane1Width_ = pane1Width;
    if (onSplitterResize) onSplitterResize(pane(1), pane(2));
}

// ---------------------------------------------------------------- folder tree
bool HeadlessFolderTree::setPath(const std::string& path) {
    const std::string folder = normalFolderPath(path);
    if (!fs_.folderExists(folder)) return false;
    path_ = folder;
    return true;
}

void HeadlessFolderTree::userSelects(const std::string& path) {
    path_ = normalFolderPath(path);
    if (onDirChanged) onDirChanged();
}

// ---------------------------------------------------------------- file list
bool HeadlessFileList::setPath(const std::string& path) {
    if (unreadable.count(lower(normalFolderPath(path)))) return false;
    return model_.setPath(path);
}

std::vector<std::string> HeadlessFileList::items() const {
    std::vector<std::string> out;
    for (int i = 0; i < count(); ++i) out.push_back(item(i));
    return out;
}

std::vector<std::string> HeadlessFileList::selectedItems() const {
    std::vector<std::string> out;
    for (int i = 0; i < count(); ++i) {
        if (selected(i)) out.push_back(item(i));
    }
    return out;
}

void HeadlessFileList::click(const std::string& name, bool addToSelection, MouseButton button) {
    if (onMouseDown) onMouseDown(button);
    if (button != MouseButton::Right) {
        for (int i = 0; i < count(); ++i) {
            if (item(i) == name) setSelected(i, addToSelection ? !selected(i) : true);
            else if (!addToSelection) setSelected(i, false);
        }
    }
    if (onMouseUp) onMouseUp(button);
}

void HeadlessFileList::doubleClick(const std::string& name) {
    click(name);
    if (onDblClick) onDblClick();
}

// ---------------------------------------------------------------- top-level windows
void HeadlessTopWindow::setWindowState(WindowState state) {
    if (!exists()) return;
    state_ = state;
    callIfSet(onResize);
}

void HeadlessTopWindow::setGeometry(const Rect& rect) {
    if (!exists()) return;
    const bool resized = rect.width != rect_.width || rect.height != rect_.height;
    rect_ = rect;
    if (resized) callIfSet(onResize);
}

void HeadlessTopWindow::created(const std::string& caption, const Rect& rect) {
    caption_ = caption;
    state_ = WindowState::Normal;
    rect_ = rect;
    shown_ = false;
}

// ---------------------------------------------------------------- main window
void HeadlessMainForm::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    callIfSet(onUnload);
    hide();
}

void HeadlessMainForm::clickCloseBox() {
    if (onQueryUnload && !onQueryUnload()) return;
    unload();
}

// ---------------------------------------------------------------- viewers
void HeadlessViewerWindow::load(const ViewerDesign& design) {
    design_ = design;
    loaded_ = true;
    laidOut_ = false;
    texts.clear();
    // The text area grows to hold the designed cells of the VGA font, as on the screen.
    const TextCells cells = designedCells(design.textArea);
    const double wider = std::max(0.0, cells.columns * kCellWidth - design.textArea.width);
    const double taller = std::max(0.0, cells.lines * kCellHeight - design.textArea.height);
    created(design.caption,
            {0, 0, design.innerWidth + wider + 2 * kBorder, design.innerHeight + taller + kTitle + kBorder});
    textRect_ = {design.textArea.left, design.textArea.top, design.textArea.width + wider,
                 design.textArea.height + taller};
    buttonRect_ = {design.button.left + wider, design.button.top, design.button.width, design.button.height};
    textVisible_ = true;
}

void HeadlessViewerWindow::close() {
    loaded_ = false;
    hide();
    texts.clear();
}

void HeadlessViewerWindow::show() {
    HeadlessTopWindow::show();
    if (!loaded_ || laidOut_) return;
    laidOut_ = true;
    callIfSet(onResize);
}

// ---------------------------------------------------------------- desktop
MsgAnswer HeadlessDesktop::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                      MsgButtons buttons) {
    boxes.push_back({text, title, icon, buttons});
    if (!answers.empty()) {
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes : MsgAnswer::Ok;
}

// ---------------------------------------------------------------- drive picker
bool HeadlessDrivePicker::browse() {
    for (const std::string& path : walk) {
        selected_ = path;
        if (onSelectionChanged) onSelectionChanged(path);
    }
    return okAllowed && !walk.empty();
}

}  // namespace q32::test
