// Headless controls: the program's controls without a screen, so tests can
// drive every command as a user would and see what a user would see. They
// record what the program did (message boxes, pop-ups, event pumps) and
// answer message boxes from a script the test sets up. The recorders of the
// outside services, and the whole set for one main window: program_test.h.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_list_model.h"
#include "platform/platform.h"

namespace q32::test {

// Calls a control's event handler when the program has set one.
template <typename Handler, typename... Args>
void callIfSet(const Handler& handler, Args&&... args) {
    if (handler) handler(std::forward<Args>(args)...);
}

class HeadlessPlaced : public virtual Placed {
public:
    Rect geometry() const override { return rect_; }
    void setGeometry(const Rect& rect) override { rect_ = rect; }
    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }

private:
    Rect rect_;
    bool visible_ = true;
};

class HeadlessToolbar : public Toolbar, public HeadlessPlaced {
public:
    void addButton(const std::string& key, ButtonStyle style, const std::string& toolTip) override {
        buttons_.push_back({key, style, toolTip});
    }
    int count() const override { return static_cast<int>(buttons_.size()); }
    std::string key(int index) const override { return button(index).key; }
    std::string toolTip(int index) const override { return button(index).toolTip; }
    bool isDown(int index) const override { return button(index).down; }
    void setDown(int index, bool down) override;
    bool isEnabled(int index) const override { return button(index).enabled; }
    void setEnabled(int index, bool enabled) override { button(index).enabled = enabled; }
    void setHotTracking(bool on) override { hotTracking_ = on; }
    bool hotTracking() const override { return hotTracking_; }
    // Geometry width is the natural width: 30 pixels a button, 8 a separator.
    Rect geometry() const override;

    // A user's click: a disabled button does nothing; a group button goes down.
    void click(int index);
    void pointerEnters() { callIfSet(onMouseEnter); }

private:
    struct Button {
        std::string key;
        ButtonStyle style = ButtonStyle::Plain;
        std::string toolTip;
        bool down = false;
        bool enabled = true;
    };
    Button& button(int index);  // throws for an index out of range
    const Button& button(int index) const { return const_cast<HeadlessToolbar*>(this)->button(index); }
    std::vector<Button> buttons_;
    bool hotTracking_ = false;
};

// Keeps only whether each entry is enabled; an entry never added throws.
class HeadlessMenuBar : public MenuBar {
public:
    void addMenu(const std::string&, const std::string&) override {}
    void addEntry(const std::string&, const std::string& name, const std::string&, const std::string&) override {
        enabled_.emplace(name, true);
    }
    void addSeparator(const std::string&) override {}
    bool isEnabled(const std::string& entry) const override { return enabled_.at(entry); }
    void setEnabled(const std::string& entry, bool enabled) override { enabled_.at(entry) = enabled; }
    void popup(const std::string& menu) override { popups.push_back(menu); }

    // A user's choice of an entry (its shortcut or a click): disabled entries do nothing.
    void choose(const std::string& entry) {
        if (isEnabled(entry) && onTriggered) onTriggered(entry);
    }

    std::vector<std::string> popups;  // menus opened as pop-ups, in order

private:
    std::map<std::string, bool> enabled_;
};

class HeadlessStatusPanel : public StatusPanel, public HeadlessPlaced {
public:
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& caption) override { caption_ = caption; }
    Alignment alignment() const override { return alignment_; }
    void setAlignment(Alignment alignment) override { alignment_ = alignment; }
    bool progressMode() const override { return progress_; }
    void setProgressMode(bool on) override { progress_ = on; }
    int fillPercent() const override { return fill_; }
    void setFillPercent(int percent) override { fill_ = percent; }
    TextColor textColor() const override { return color_; }
    void setTextColor(TextColor color) override { color_ = color; }
    void repaint() override {}

    void rightClick() { callIfSet(onMouseDown, MouseButton::Right); }
    void click() { callIfSet(onClick); }

private:
    std::string caption_;
    Alignment alignment_ = Alignment::Left;
    bool progress_ = false;
    int fill_ = 0;
    TextColor color_ = TextColor::WindowText;
};

class HeadlessSplitter : public Splitter, public HeadlessPlaced {
public:
    void addSecondPane(const std::string& controlName) override { paneNames.push_back(controlName); }
    int paneCount() const override { return static_cast<int>(paneNames.size()) + 1; }
    Rect pane(int index) const override;
    double pane1Width() const override { return pane1Width_; }
    void setPane1Width(double width) override { pane1Width_ = width; }
    // A new size lays the panes out again, as on the screen.
    void setGeometry(const Rect& rect) override;
    // The user drags the bar to a new pane 1 width.
    void drag(double pane1Width);

    std::vector<std::string> paneNames;  // controls placed in the panes after the first

private:
    double pane1Width_ = 0;
    static constexpr double kBar = 60;
};

class HeadlessFolderTree : public FolderTree, public HeadlessPlaced {
public:
    explicit HeadlessFolderTree(FileSystem& fs) : fs_(fs) {}
    std::string path() const override { return path_; }
    bool setPath(const std::string& path) override;
    // The user picks a folder (the tree shows it even if it has gone since).
    void userSelects(const std::string& path);

private:
    FileSystem& fs_;
    std::string path_;
};

class HeadlessFileList : public FileList, public HeadlessPlaced {
public:
    explicit HeadlessFileList(FileSystem& fs) : model_(fs) {}
    std::string path() const override { return model_.path(); }
    bool setPath(const std::string& path) override;
    std::string pattern() const override { return model_.pattern(); }
    void setPattern(const std::string& pattern) override { model_.setPattern(pattern); }
    void refresh() override { model_.refresh(); }
    int count() const override { return model_.count(); }
    std::string item(int index) const override { return model_.item(index); }
    bool selected(int index) const override { return model_.selected(index); }
    void setSelected(int index, bool selected) override { model_.setSelected(index, selected); }
    std::string toolTip() const override { return toolTip_; }
    void setToolTip(const std::string& text) override { toolTip_ = text; }

    std::vector<std::string> items() const;
    std::vector<std::string> selectedItems() const;
    // A user's click on an entry (by name): selects it, alone or added to the
    // selection, then the button goes down and up.
    void click(const std::string& name, bool addToSelection = false, MouseButton button = MouseButton::Left);
    void rightClick() { click("", false, MouseButton::Right); }
    void doubleClick(const std::string& name);
    // setPath refuses these folders, as with a folder that cannot be read.
    std::set<std::string> unreadable;

private:
    FileListModel model_;
    std::string toolTip_;
};

// What the main window and the viewers share: the outer rectangle, whose
// change of size lays the window out (onResize) as on the screen, with the
// inner area inside a border and the height above it. While the window does
// not exist, changes do nothing and it reports no caption and no show.
class HeadlessTopWindow : public virtual TopLevelWindow {
public:
    explicit HeadlessTopWindow(double heightAbove) : heightAbove_(heightAbove) {}
    std::string caption() const override { return exists() ? caption_ : ""; }
    void setCaption(const std::string& caption) override {
        if (exists()) caption_ = caption;
    }
    WindowState windowState() const override { return state_; }
    void setWindowState(WindowState state) override;
    Rect geometry() const override { return rect_; }
    void setGeometry(const Rect& rect) override;
    double innerWidth() const override { return rect_.width - 2 * kBorder; }
    double innerHeight() const override { return rect_.height - heightAbove_ - kBorder; }
    void show() override { shown_ = exists(); }
    bool isShown() const override { return exists() && shown_; }
    void setBusy(bool busy) override { busy_ = busy; }
    bool busy() const { return busy_; }

    // The user drags the window's edge.
    void resizeTo(double width, double height) { setGeometry({rect_.left, rect_.top, width, height}); }

    static constexpr double kBorder = 60;

protected:
    virtual bool exists() const { return true; }
    // A new window, hidden, at its first place.
    void created(const std::string& caption, const Rect& rect);
    void hide() { shown_ = false; }

private:
    double heightAbove_;
    std::string caption_;
    WindowState state_ = WindowState::Normal;
    Rect rect_;
    bool shown_ = false;
    bool busy_ = false;
};

class HeadlessMainForm : public MainForm, public HeadlessTopWindow {
public:
    HeadlessMainForm() : HeadlessTopWindow(kTitleAndMenu) { created("Quillet32", {}); }
    void repaint() override {}
    void unload() override;
    bool isUnloaded() const override { return unloaded_; }

    // What a user does to the window.
    void keyDown(int keyCode, int shift = 0) { callIfSet(onKeyDown, keyCode, shift); }
    void keyPress(int charCode) { callIfSet(onKeyPress, charCode); }
    void rightClickBackground() { callIfSet(onMouseDown, MouseButton::Right); }
    void drop(const std::vector<std::string>& paths) { callIfSet(onDropFiles, paths); }
    void clickCloseBox();

    static constexpr double kTitleAndMenu = 690;

private:
    bool unloaded_ = false;
};

// The splash window: the test sees whether it is shown, shaped and
// animated, and clicks it or lets its timer fire.
class HeadlessSplash : public SplashWindow {
public:
    void shapeToPicture() override { shaped = true; }
    void show() override {
        shown_ = true;
        ++shows;
    }
    void hide() override { shown_ = false; }
    bool isShown() const override { return shown_; }
    void repaint() override {}
    void setIconVisible(bool visible) override { iconVisible = visible; }
    void setIconAnimated(bool on) override { iconAnimated = on; }
    void startTimer(int milliseconds) override { timerInterval = milliseconds; }
    void stopTimer() override { timerInterval = 0; }
    std::string versionText() const override { return "v2.82"; }

    int shows = 0;
    bool shaped = false;
    bool iconVisible = false;
    bool iconAnimated = false;
    int timerInterval = 0;  // 0 while stopped

private:
    bool shown_ = false;
};

// A text viewer window: the test sees its texts in order and acts as the
// user on it. Like a real window, it lays itself out (onResize) when it is
// first shown after its creation.
class HeadlessViewerWindow : public ViewerWindow, public HeadlessTopWindow {
public:
    HeadlessViewerWindow() : HeadlessTopWindow(kTitle) {}
    void load(const ViewerDesign& design) override;
    bool isLoaded() const override { return loaded_; }
    void close() override;
    void show() override;
    void focus() override { focusRequests += loaded_ ? 1 : 0; }
    std::string text() const override { return texts.empty() ? std::string() : texts.back(); }
    void setText(const std::string& bytes) override {
        if (loaded_) texts.push_back(bytes);
    }
    Rect textGeometry() const override { return textRect_; }
    void setTextGeometry(const Rect& rect) override { textRect_ = rect; }
    bool textVisible() const override { return textVisible_; }
    void setTextVisible(bool visible) override { textVisible_ = visible; }
    void clearSelection() override { ++selectionClears; }
    Rect buttonGeometry() const override { return buttonRect_; }
    void setButtonGeometry(const Rect& rect) override { buttonRect_ = rect; }

    // What a user does to the window.
    void doubleClickText() {
        if (loaded_ && onTextDblClick) onTextDblClick();
    }
    void keyDown(int keyCode) {
        if (loaded_ && onKeyDown) onKeyDown(keyCode);
    }
    void clickButton() {
        if (loaded_ && !design_.buttonCaption.empty() && onButtonClick) onButtonClick();
    }

    std::vector<std::string> texts;  // every text set since the window was last loaded; the last one shows
    int focusRequests = 0;
    int selectionClears = 0;
    static constexpr double kTitle = 360;
    // The VGA font's cells: 8 by 16 pixels.
    static constexpr double kCellWidth = 120;
    static constexpr double kCellHeight = 240;

protected:
    bool exists() const override { return loaded_; }

private:
    ViewerDesign design_;
    bool loaded_ = false;
    bool laidOut_ = false;
    Rect textRect_, buttonRect_;
    bool textVisible_ = true;
};

struct MessageBoxRecord {
    std::string text, title;
    MsgIcon icon;
    MsgButtons buttons;
    bool operator==(const MessageBoxRecord&) const = default;
};

class HeadlessDesktop : public Desktop {
public:
    // 1280 x 1024 pixels at 15 twips a pixel.
    double screenWidth() const override { return 19200; }
    double screenHeight() const override { return 15360; }
    void doEvents() override {
        ++eventPumps;
        if (onDoEvents) onDoEvents();
    }
    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override;
    std::string digitGroupSeparator() const override { return ","; }
    // The password boxes are answered in order from `passwords` (nothing is
    // Cancel; none left is Cancel too) and recorded, but for the password.
    std::optional<std::string> passwordBox(const std::string& archive, const std::string& member,
                                           bool wrongBefore) override {
        passwordBoxes.push_back({archive, member, wrongBefore});
        if (passwords.empty()) return std::nullopt;
        std::optional<std::string> answer = passwords.front();
        passwords.pop_front();
        return answer;
    }
    struct PasswordBoxRecord {
        std::string archive, member;
        bool wrongBefore;
        bool operator==(const PasswordBoxRecord&) const = default;
    };
    std::deque<std::optional<std::string>> passwords;
    std::vector<PasswordBoxRecord> passwordBoxes;

    // Answers for the next message boxes, in order; when none is left, a box
    // is answered with its first button (Ok, Yes).
    std::deque<MsgAnswer> answers;
    std::vector<MessageBoxRecord> boxes;
    int eventPumps = 0;
    std::function<void()> onDoEvents;  // runs inside doEvents, for tests that act "meanwhile"
};

class HeadlessInstanceGuard : public InstanceGuard {
public:
    bool otherCopyRunning() const override { return otherCopy; }
    void restoreOtherCopy() override { ++restoreRequests; }
    bool otherCopy = false;
    int restoreRequests = 0;
};

// The drive picker: the test sets the folders the user walks through; OK is
// pressed at the end, and taken only while it is allowed.
class HeadlessDrivePicker : public DrivePicker {
public:
    void setPrompt(const std::string& text) override { prompt = text; }
    bool browse() override;
    std::string selectedPath() const override { return selected_; }
    void setStatusText(const std::string& text) override { statusText = text; }
    void setOkAllowed(bool allowed) override { okAllowed = allowed; }

    std::vector<std::string> walk;  // folders the user selects in turn
    std::string prompt, statusText;
    bool okAllowed = true;

private:
    std::string selected_;
};

}  // namespace q32::test
