#include "platform/qt/key_codes.h"

#include <unordered_map>

namespace q32 {

namespace {

const std::unordered_map<int, int>& namedKeys() {
    static const std::unordered_map<int, int> table = {
        {Qt::Key_Backspace, 8},  {Qt::Key_Tab, 9},        {Qt::Key_Backtab, 9},      {Qt::Key_Return, 13},
        {Qt::Key_Enter, 13},     {Qt::Key_Shift, 16},     {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},
        {Qt::Key_Pause, 19},     {Qt::Key_CapsLock, 20},  {Qt::Key_Escape, 27},      {Qt::Key_Space, 32},
        {Qt::Key_PageUp, 33},    {Qt::Key_PageDown, 34},  {Qt::Key_End, 35},         {Qt::Key_Home, 36},
        {Qt::Key_Left, 37},      {Qt::Key_Up, 38},        {Qt::Key_Right, 39},       {Qt::Key_Down, 40},
        {Qt::Key_Print, 44},     {Qt::Key_Insert, 45},    {Qt::Key_Delete, 46},      {Qt::Key_Meta, 91},
        {Qt::Key_Menu, 93},      {Qt::Key_NumLock, 144},  {Qt::Key_ScrollLock, 145},
        // Shifted digits and punctuation keep the code of their key (US layout).
        {Qt::Key_ParenRight, 48}, {Qt::Key_Exclam, 49},   {Qt::Key_At, 50},          {Qt::Key_NumberSign, 51},
        {Qt::Key_Dollar, 52},    {Qt::Key_Percent, 53},   {Qt::Key_AsciiCircum, 54}, {Qt::Key_Ampersand, 55},
        {Qt::Key_Asterisk, 56},  {Qt::Key_ParenLeft, 57}, {Qt::Key_Semicolon, 186},  {Qt::Key_Colon, 186},
        {Qt::Key_Equal, 187},    {Qt::Key_Plus, 187},     {Qt::Key_Comma, 188},      {Qt::Key_Less, 188},
        {Qt::Key_Minus, 189},    {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},   {Qt::Key_Greater, 190},
        {Qt::Key_Slash, 191},    {Qt::Key_Question, 191}, {Qt::Key_QuoteLeft, 192},  {Qt::Key_AsciiTilde, 192},
        {Qt::Key_BracketLeft, 219}, {Qt::Key_BraceLeft, 219}, {Qt::Key_Backslash, 220}, {Qt::Key_Bar, 220},
        {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222}, {Qt::Key_QuoteDbl, 222},
    };
    return table;
}

// The number pad has codes of its own.
std::optional<int> keypadCode(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return 96 + (key - Qt::Key_0);
    switch (key) {
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period: return 110;
        case Qt::Key_Slash: return 111;
        case Qt::Key_Enter: return 13;
        default: return std::nullopt;
    }
}

}  // namespace

int keyCode(const QKeyEvent& event) {
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (auto code = keypadCode(key)) return *code;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
    auto found = namedKeys().find(key);
    return found == namedKeys().end() ? 0 : found->second;
}

int shiftMask(Qt::KeyboardModifiers modifiers) {
    int mask = 0;
    if (modifiers & Qt::ShiftModifier) mask |= 1;
    if (modifiers & Qt::ControlModifier) mask |= 2;
    if (modifiers & Qt::AltModifier) mask |= 4;
    return mask;
}

std::optional<int> characterCode(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::ControlModifier) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) return 1 + (key - Qt::Key_A);
        return std::nullopt;
    }
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return 9;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Backspace: return 8;
        default: break;
    }
    if (modifiers & Qt::AltModifier) return std::nullopt;
    const QList<uint> characters = event.text().toUcs4();
    if (characters.isEmpty() || characters.front() < 32 || characters.front() == 127) return std::nullopt;
    return static_cast<int>(characters.front());
}

}  // namespace q32
