// The services behind the headless controls: the desktop that records message
// boxes and answers them from a script the test sets up, the instance guard,
// the drive picker, and recorders of command lines, sounds and help files.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/controls.h"
#include "platform/drive_picker.h"
#include "platform/help.h"
#include "platform/processes.h"
#include "platform/sound.h"

namespace q32::test {

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

// Records every command line; the waited-for ones run for real through
// `real`, the started ones do not run.
class RecordingProcesses : public Processes {
public:
    explicit RecordingProcesses(Processes& real) : real_(real) {}
    int runAndWait(const CommandLine& command) override {
        waited.push_back(command.text());
        return real_.runAndWait(command);
    }
    int start(const CommandLine& command, ShowState show) override {
        started.emplace_back(command.text(), show);
        if (onStart) onStart();
        return realStarts ? real_.start(command, show) : startCode;
    }
    std::function<void()> onStart;
    bool realStarts = false;  // programs started for real, not only recorded
    // What the test says, else what the real runner says.
    StartCheck checkStart(const CommandLine& command) const override {
        return startCheck.value_or(real_.checkStart(command));
    }
    std::optional<StartCheck> startCheck;
    int startCode = kStarted;
    std::vector<std::string> waited;
    std::vector<std::pair<std::string, ShowState>> started;

private:
    Processes& real_;
};

// Plays nothing: records each sound asked for, with whether the program
// waited for it.
class HeadlessSound : public Sound {
public:
    void play(const std::string& path, bool synchronous) override { played.emplace_back(path, synchronous); }
    std::vector<std::pair<std::string, bool>> played;
};

// Records the help files asked for and closed.
class RecordingHelp : public HelpSystem {
public:
    void showContents(const std::string& helpFile) override { shown.push_back(helpFile); }
    void close(const std::string& helpFile) override { closed.push_back(helpFile); }
    std::vector<std::string> shown;
    std::vector<std::string> closed;
};

}  // namespace q32::test
