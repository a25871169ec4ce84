#include "support/headless_controls.h"

#include <stdexcept>

#include "common/text.h"

namespace q32::test {

// ---------------------------------------------------------------- toolbar
void HeadlessToolbar::addButton(const std::string& key, ButtonStyle style, const std::string& toolTip) {
    buttons_.push_back({key, style, toolTip, false, true});
}

const HeadlessToolbar::Button& HeadlessToolbar::button(int index) const {
    if (index < 1 || index > count()) throw std::out_of_range("toolbar button " + std::to_string(index));
    return buttons_[static_cast<std::size_t>(index - 1)];
}

void HeadlessToolbar::setDown(int index, bool down) {
    button(index);  // range check
    Button& target = buttons_[static_cast<std::size_t>(index - 1)];
    if (down && target.style == ButtonStyle::Group) {
        for (Button& other : buttons_) {
            if (other.style == ButtonStyle::Group) other.down = false;
        }
    }
    target.down = down;
}

void HeadlessToolbar::setEnabled(int index, bool enabled) {
    button(index);
    buttons_[static_cast<std::size_t>(index - 1)].enabled = enabled;
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

void HeadlessToolbar::pointerEnters() {
    if (onMouseEnter) onMouseEnter();
}

// ---------------------------------------------------------------- menus
void HeadlessMenuBar::addMenu(const std::string& name, const std::string& caption) {
    menus_.emplace_back(name, caption);
}

void HeadlessMenuBar::addEntry(const std::string& menu, const std::string& name, const std::string& caption,
                               const std::string& shortcut) {
    entries_.push_back({menu, name, caption, shortcut, true});
}

void HeadlessMenuBar::addSeparator(const std::string& menu) { entries_.push_back({menu, "", "", "", true}); }

const HeadlessMenuBar::Entry* HeadlessMenuBar::find(const std::string& entry) const {
    for (const Entry& e : entries_) {
        if (!e.name.empty() && e.name == entry) return &e;
    }
    return nullptr;
}

bool HeadlessMenuBar::isEnabled(const std::string& entry) const {
    const Entry* e = find(entry);
    if (!e) throw std::out_of_range("menu entry " + entry);
    return e->enabled;
}

void HeadlessMenuBar::setEnabled(const std::string& entry, bool enabled) {
    for (Entry& e : entries_) {
        if (!e.name.empty() && e.name == entry) {
            e.enabled = enabled;
            return;
        }
    }
    throw std::out_of_range("menu entry " + entry);
}

void HeadlessMenuBar::choose(const std::string& entry) {
    if (isEnabled(entry) && onTriggered) onTriggered(entry);
}

// ---------------------------------------------------------------- splitter
void HeadlessSplitter::addSecondPane(const std::string& controlName) { paneNames.push_back(controlName); }

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
    if (unreadable.count(lower(folder)) || !fs_.folderExists(folder)) return false;
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

void HeadlessFileList::rightClick() {
    if (onMouseDown) onMouseDown(MouseButton::Right);
    if (onMouseUp) onMouseUp(MouseButton::Right);
}

void HeadlessFileList::doubleClick(const std::string& name) {
    click(name);
    if (onDblClick) onDblClick();
}

// ---------------------------------------------------------------- main window
void HeadlessMainForm::setWindowState(WindowState state) {
    state_ = state;
    if (onResize) onResize();
}

void HeadlessMainForm::setGeometry(const Rect& rect) {
    const bool resized = rect.width != rect_.width || rect.height != rect_.height;
    rect_ = rect;
    if (resized && onResize) onResize();
}

void HeadlessMainForm::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (onUnload) onUnload();
    shown_ = false;
}

void HeadlessMainForm::resizeTo(double width, double height) {
    Rect rect = rect_;
    rect.width = width;
    rect.height = height;
    setGeometry(rect);
}

void HeadlessMainForm::keyDown(int keyCode, int shift) {
    if (onKeyDown) onKeyDown(keyCode, shift);
}

void HeadlessMainForm::keyPress(int charCode) {
    if (onKeyPress) onKeyPress(charCode);
}

void HeadlessMainForm::rightClickBackground() {
    if (onMouseDown) onMouseDown(MouseButton::Right);
}

void HeadlessMainForm::drop(const std::vector<std::string>& paths) {
    if (onDropFiles) onDropFiles(paths);
}

void HeadlessMainForm::clickCloseBox() {
    if (onQueryUnload && !onQueryUnload()) return;
    unload();
}

// ---------------------------------------------------------------- viewers
void HeadlessViewerWindow::load(const ViewerDesign& design) {
    design_ = design;
    loaded_ = true;
    shown_ = laidOut_ = false;
    ++loads;
    caption_ = design.caption;
    text_.clear();
    texts.clear();
    state_ = WindowState::Normal;
    rect_ = {0, 0, design.innerWidth + 2 * kBorder, design.innerHeight + kTitle + kBorder};
    textRect_ = design.textArea;
    buttonRect_ = design.button;
    textVisible_ = true;
}

void HeadlessViewerWindow::close() {
    loaded_ = shown_ = false;
    caption_.clear();
    text_.clear();
}

void HeadlessViewerWindow::show() {
    if (!loaded_) return;
    shown_ = true;
    if (laidOut_) return;
    laidOut_ = true;
    if (onResize) onResize();
}

void HeadlessViewerWindow::setWindowState(WindowState state) {
    if (!loaded_) return;
    state_ = state;
    if (onResize) onResize();
}

void HeadlessViewerWindow::setGeometry(const Rect& rect) {
    if (!loaded_) return;
    const bool resized = rect.width != rect_.width || rect.height != rect_.height;
    rect_ = rect;
    if (resized && onResize) onResize();
}

void HeadlessViewerWindow::setText(const std::string& bytes) {
    if (!loaded_) return;
    text_ = bytes;
    texts.push_back(bytes);
}

void HeadlessViewerWindow::doubleClickText() {
    if (loaded_ && onTextDblClick) onTextDblClick();
}

void HeadlessViewerWindow::keyDown(int keyCode) {
    if (loaded_ && onKeyDown) onKeyDown(keyCode);
}

void HeadlessViewerWindow::clickButton() {
    if (loaded_ && !design_.buttonCaption.empty() && onButtonClick) onButtonClick();
}

// ---------------------------------------------------------------- desktop
void HeadlessDesktop::doEvents() {
    ++eventPumps;
    if (onDoEvents) onDoEvents();
}

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
    ++opened;
    for (const std::string& path : walk) {
        selected_ = path;
        if (onSelectionChanged) onSelectionChanged(path);
    }
    return pressOk && okAllowed && !walk.empty();
}

// ---------------------------------------------------------------- processes
int RecordingProcesses::runAndWait(const std::string& commandLine) {
    waited.push_back(commandLine);
    return real ? real->runAndWait(commandLine) : exitCode;
}

void RecordingProcesses::start(const std::string& commandLine, ShowState show) {
    started.emplace_back(commandLine, show);
}

// ---------------------------------------------------------------- the set
namespace {

host::ProgramSearch searchFor(const host::HostFileSystem& fs, const std::string& programFolder) {
    return {Q32_BIN_DIR, fs.driveTable().toHost(programFolder).value_or(""), &fs.driveTable()};
}

}  // namespace

HeadlessUi::HeadlessUi(host::HostFileSystem& fileSystem, std::string folder)
    : fs(fileSystem),
      programFolder(std::move(folder)),
      tree(fileSystem),
      list(fileSystem),
      realProcesses(searchFor(fileSystem, programFolder)),
      zip(fileSystem.driveTable()) {
    processes.real = &realProcesses;
}

Platform HeadlessUi::platform() {
    return Platform{form,    toolbar,  menus,     frame, panel1, panel2, panel3, splitter, tree,
                    list,    sizeGrip, splash,    desktop, instance, fs,   processes, picker, zip,
                    programFolder, descriptionViewer, nfoViewer, sound, help};
}

}  // namespace q32::test
