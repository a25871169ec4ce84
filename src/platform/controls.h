// The controls of the main window, as the program uses them. Each has a Qt
// implementation (platform/qt) and a headless one (tests/support). Events go
// from a control to the program through the std::function members; a control
// never calls them for changes the program makes itself.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/geometry.h"

namespace q32 {

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

// ---------------------------------------------------------------- toolbar
enum class ButtonStyle { Plain, Group, Separator };

// Buttons are numbered from 1 in the order they were added; separators count.
// Group buttons stay down when clicked and lift the other group buttons.
class Toolbar : public virtual Placed {
public:
    virtual void addButton(const std::string& key, ButtonStyle style, const std::string& toolTip) = 0;
    virtual int count() const = 0;
    virtual std::string key(int index) const = 0;
    virtual std::string toolTip(int index) const = 0;
    virtual bool isDown(int index) const = 0;
    // Putting a group button down lifts the other group buttons.
    virtual void setDown(int index, bool down) = 0;
    virtual bool isEnabled(int index) const = 0;
    virtual void setEnabled(int index, bool enabled) = 0;
    // Highlights the button under the pointer; switched on once, never off.
    virtual void setHotTracking(bool on) = 0;
    virtual bool hotTracking() const = 0;

    std::function<void(int index)> onButtonClick;
    std::function<void()> onMouseEnter;
    std::function<void()> onMouseExit;
};

// ---------------------------------------------------------------- menus
// Menus and entries are known by their short names ("popup", "install").
// Shortcuts are written "Ctrl+I"; "" for none.
class MenuBar {
public:
    virtual ~MenuBar() = default;
    virtual void addMenu(const std::string& name, const std::string& caption) = 0;
    virtual void addEntry(const std::string& menu, const std::string& name, const std::string& caption,
                          const std::string& shortcut) = 0;
    virtual void addSeparator(const std::string& menu) = 0;
    virtual bool isEnabled(const std::string& entry) const = 0;
    virtual void setEnabled(const std::string& entry, bool enabled) = 0;
    // Opens a menu as a pop-up at the mouse pointer; returns when it closes
    // (the chosen entry, if any, has then been handled through onTriggered).
    virtual void popup(const std::string& menu) = 0;

    std::function<void(const std::string& entry)> onTriggered;
};

// ---------------------------------------------------------------- status panels
enum class Alignment { Left, Center };
enum class TextColor { WindowText, HighlightText, Black };

// A panel with a caption; in progress mode it shows a fill bar from 0 to 100 %
// running left to right under the caption.
class StatusPanel : public virtual Placed {
public:
    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual Alignment alignment() const = 0;
    virtual void setAlignment(Alignment alignment) = 0;
    virtual bool progressMode() const = 0;
    virtual void setProgressMode(bool on) = 0;
    virtual int fillPercent() const = 0;
    virtual void setFillPercent(int percent) = 0;
    virtual TextColor textColor() const = 0;
    virtual void setTextColor(TextColor color) = 0;
    virtual void repaint() = 0;

    std::function<void(MouseButton)> onMouseDown;
    std::function<void()> onClick;
};

// ---------------------------------------------------------------- splitter
// Two panes side by side; pane rectangles are in the splitter's own frame.
class Splitter : public virtual Placed {
public:
    // Adds the second pane and places the named control in it.
    virtual void addSecondPane(const std::string& controlName) = 0;
    virtual int paneCount() const = 0;
    virtual Rect pane(int index) const = 0;  // 1 or 2
    virtual double pane1Width() const = 0;
    virtual void setPane1Width(double width) = 0;

    std::function<void()> onResize;
    // The user dragged the bar; the new rectangles of pane 1 and pane 2.
    std::function<void(const Rect&, const Rect&)> onSplitterResize;
};

// ---------------------------------------------------------------- folder tree
// Shows the folders of the mapped drives; the current folder is a virtual
// path, a drive root with its backslash ("c:\").
class FolderTree : public virtual Placed {
public:
    virtual std::string path() const = 0;
    // false (and nothing changes) when the folder cannot be shown.
    virtual bool setPath(const std::string& path) = 0;

    // The user chose another folder.
    std::function<void()> onDirChanged;
};

// ---------------------------------------------------------------- file list
// The files of one folder that match a ";"-separated filter, in
// case-insensitive name order, numbered from 0, each with a selected flag.
class FileList : public virtual Placed {
public:
    // The folder: a drive root keeps its backslash, any other folder has none.
    virtual std::string path() const = 0;
    // Reads the folder; false (and nothing changes) when it cannot be read.
    virtual bool setPath(const std::string& path) = 0;
    virtual std::string pattern() const = 0;
    virtual void setPattern(const std::string& pattern) = 0;  // reads the folder again
    virtual void refresh() = 0;                                // reads the folder again
    virtual int count() const = 0;
    virtual std::string item(int index) const = 0;
    virtual bool selected(int index) const = 0;
    virtual void setSelected(int index, bool selected) = 0;
    virtual std::string toolTip() const = 0;
    virtual void setToolTip(const std::string& text) = 0;

    std::function<void(MouseButton)> onMouseDown;
    std::function<void(MouseButton)> onMouseUp;
    std::function<void()> onDblClick;
};

// ---------------------------------------------------------------- main window
enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// Key codes of key-down events and character codes of key presses.
namespace keys {
inline constexpr int Escape = 27;
inline constexpr int F1 = 112;
inline constexpr int CtrlS = 19;
inline constexpr int CtrlT = 20;
inline constexpr int Tab = 9;
}  // namespace keys

// What the program's top-level windows share: the main window and the two
// text viewers.
class TopLevelWindow {
public:
    virtual ~TopLevelWindow() = default;
    virtual std::string caption() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual WindowState windowState() const = 0;
    virtual void setWindowState(WindowState state) = 0;
    // Outer geometry on the screen, twips.
    virtual Rect geometry() const = 0;
    virtual void setGeometry(const Rect& rect) = 0;
    // Size of the inner (client) area, twips.
    virtual double innerWidth() const = 0;
    virtual double innerHeight() const = 0;
    virtual void show() = 0;
    virtual bool isShown() const = 0;
    virtual void setBusy(bool busy) = 0;

    // The inner area changed size or the window its state, whoever changed it.
    std::function<void()> onResize;
};

class MainForm : public virtual TopLevelWindow {
public:
    virtual void repaint() = 0;
    // Closes the window; onUnload runs once, before it goes.
    virtual void unload() = 0;
    virtual bool isUnloaded() const = 0;

    std::function<void()> onUnload;
    // The user's close box; false keeps the window open (unload() itself
    // does not ask).
    std::function<bool()> onQueryUnload;
    std::function<void(MouseButton)> onMouseDown;
    std::function<void(int keyCode, int shift)> onKeyDown;
    std::function<void(int charCode)> onKeyPress;
    // Files dropped from a file manager, as virtual paths, in delivery order.
    std::function<void(const std::vector<std::string>&)> onDropFiles;
};

// ---------------------------------------------------------------- splash
// The splash and about window Form4: its picture, the animated icon
// AniIcon1, the version label Label3, the empty labels Label1 and Label2,
// and the timer Timer1. It decides nothing itself: the program's handlers
// get its clicks and the timer.
class SplashWindow {
public:
    virtual ~SplashWindow() = default;
    // The window's outline follows the opaque part of its picture.
    virtual void shapeToPicture() = 0;
    // Shows it on top of the other windows, again when already shown.
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isShown() const = 0;
    // Paints it at once, before the caller goes on with long work.
    virtual void repaint() = 0;
    virtual void setIconVisible(bool visible) = 0;
    virtual void setIconAnimated(bool on) = 0;
    // Timer1 fires once, that long after the start; a stop forgets it.
    virtual void startTimer(int milliseconds) = 0;
    virtual void stopTimer() = 0;
    virtual std::string versionText() const = 0;

    std::function<void()> onClick;  // the window's background
    std::function<void()> onLabel1Click;
    std::function<void()> onLabel2Click;
    std::function<void()> onIconClick;
    std::function<void()> onTimer;
};

// ---------------------------------------------------------------- desktop
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class Desktop {
public:
    virtual ~Desktop() = default;
    // Screen size in twips.
    virtual double screenWidth() const = 0;
    virtual double screenHeight() const = 0;
    // Lets pending window events be handled.
    virtual void doEvents() = 0;
    // A modal message box brought to the foreground; returns the answer.
    virtual MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons) = 0;
    // The user's thousands separator (",", ".", a space...).
    virtual std::string digitGroupSeparator() const = 0;
    // The modal box "Password" for an encrypted member of an archive, its
    // entry masked; `wrongBefore` says the last password given was wrong.
    // Nothing when the user cancelled (Cancel, Escape, the close box).
    virtual std::optional<std::string> passwordBox(const std::string& archive, const std::string& member,
                                                   bool wrongBefore) = 0;
};

// ---------------------------------------------------------------- single instance
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // Whether another copy of the program was already running when this one started.
    virtual bool otherCopyRunning() const = 0;
    // Asks the running copy to restore its window and come to the front.
    virtual void restoreOtherCopy() = 0;
};

}  // namespace q32
