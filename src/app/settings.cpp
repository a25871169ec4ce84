// The settings file "Quil32.ini" beside the program: eight lines, CR LF, read
// by position, not by key.
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/main_window.h"
#include "common/text.h"

namespace q32 {

namespace {

constexpr int kSettingsLines = 8;
const char* const kCrLf = "\r\n";

// Lines ended by CR LF, CR alone or LF alone; a last line without an end counts.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The text of a line from 1-based character `position` on.
std::string fromCharacter(const std::string& line, std::size_t position) {
    return line.size() >= position ? line.substr(position - 1) : std::string();
}

// A number read from its position; the character before it is the sign
// position, so a minus sign written there is honoured.
bool numberAt(const std::string& line, std::size_t position, double& value) {
    if (!parseNumber(fromCharacter(line, position), value)) return false;
    if (position >= 2 && line.size() >= position - 1 && line[position - 2] == '-') value = -value;
    return true;
}

// Window coordinates and sizes a desktop can hold: 32767 pixels at 15 twips
// a pixel. A value beyond them (or a size that is not positive) cannot be
// applied and is passed over like one that does not read as a number.
constexpr double kLargestTwips = 32767.0 * 15;

bool usablePosition(double twips) { return std::isfinite(twips) && std::abs(twips) <= kLargestTwips; }

bool usableSize(double twips) { return std::isfinite(twips) && twips > 0 && twips <= kLargestTwips; }

bool usablePaneWidth(double twips) { return std::isfinite(twips) && twips >= 0 && twips <= kLargestTwips; }

// How much of the window stays on the screen each way; room beside the
// toolbar for the window's right margin and frame; the least height that
// leaves the toolbar, the status line and some lines of the lists in view.
// (The frame's own size is not known before the window is first shown.)
constexpr double kKeptOnScreen = 1200;
constexpr double kBesideToolbar = 300;
constexpr double kLeastHeight = 3600;

// `position` moved so that at least kKeptOnScreen of `size` lies within 0..`screen`.
double onScreen(double position, double size, double screen) {
    return std::max(std::min(position, screen - kKeptOnScreen), kKeptOnScreen - size);
}

// The eight lines, each ended by CR LF.
std::string settingsText(const std::string& version, WindowState state, const Rect& window, double pane1Width,
                         const std::string& dirLine) {
    std::string text;
    text += "Version=" + version + kCrLf;
    text += "State=" + numText(static_cast<int>(state)) + kCrLf;
    text += "Top=" + numText(window.top) + kCrLf;
    text += "Left=" + numText(window.left) + kCrLf;
    text += "Height=" + numText(window.height) + kCrLf;
    text += "Width=" + numText(window.width) + kCrLf;
    text += "Panel1.width=" + numText(std::round(pane1Width)) + kCrLf;
    text += dirLine + kCrLf;
    return text;
}

std::string settingsPathIn(const std::string& programFolder) { return joinPath(programFolder, "Quil32.ini"); }

}  // namespace

void MainWindow::writeDefaultSettings() {
    Rect window = Me.geometry();
    window.top = (Screen.screenHeight() - window.height) / 2 + 1300;
    window.left = (Screen.screenWidth() - window.width) / 2;
    Me.setGeometry(window);
    rememberedFolder_ = "Dir=C:\\";
    Fs.writeFileAtomic(settingsPathIn(ProgramFolder), settingsText(versionText_, Me.windowState(), window,
                                                     GTSplitter1.pane1Width(), rememberedFolder_));
}

// Applies lines 2 to 8; a value that cannot be applied keeps the window's
// current one and reading goes on. False, with nothing applied, when the
// file is missing or has fewer than eight lines.
bool MainWindow::readSettings() {
    const std::vector<std::string> lines = splitLines(Fs.readFile(settingsPathIn(ProgramFolder)).value_or(""));
    if (lines.size() < kSettingsLines) return false;
    const std::string stateText = fromCharacter(lines[1], 8);
    const long state = leadingInteger(stateText);
    if (state >= 0 && state <= 2) Me.setWindowState(static_cast<WindowState>(state));
    if (stateText == "2") {
        Me.show();
    } else {
        constexpr std::size_t positions[] = {6, 7, 9, 8};  // top, left, height, width
        double Rect::*fields[] = {&Rect::top, &Rect::left, &Rect::height, &Rect::width};
        bool (*const usable[])(double) = {usablePosition, usablePosition, usableSize, usableSize};
        for (int i = 0; i < 4; ++i) {
            double value = 0;
            if (!numberAt(lines[2 + i], positions[i], value) || !usable[i](value)) continue;
            Rect window = Me.geometry();
            window.*fields[i] = value;
            Me.setGeometry(window);
        }
        keepWindowUsable();
    }
    double pane1 = 0;
    if (numberAt(lines[6], 15, pane1) && usablePaneWidth(pane1)) GTSplitter1.setPane1Width(std::round(pane1));
    rememberedFolder_ = lines[7];
    return true;
}

// Whatever the file said, the window is wide enough for its toolbar, tall
// enough for its lists, and a good part of it lies on the screen.
void MainWindow::keepWindowUsable() {
    const Rect read = Me.geometry();
    const Rect toolbar = GTToolbar1.geometry();
    Rect window = read;
    window.width = std::max(window.width, toolbar.left + toolbar.width + kBesideToolbar);
    window.height = std::max(window.height, kLeastHeight);
    window.left = onScreen(window.left, window.width, Screen.screenWidth());
    window.top = onScreen(window.top, window.height, Screen.screenHeight());
    if (window != read) Me.setGeometry(window);
}

void MainWindow::SaveSettings() {
    Fs.writeFileAtomic(settingsPathIn(ProgramFolder), settingsText(versionText_, Me.windowState(), Me.geometry(),
                                                     GTSplitter1.pane1Width(), "Dir=" + File1.path()));
}

}  // namespace q32
