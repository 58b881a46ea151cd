#include "layouts/FrontEndTables.h"
#include "layouts/MameSequence.h"

namespace vantrel {
namespace {

// MAME's default keys as its documentation lists them ("Default Keys", on a
// US keyboard): four players' joysticks and buttons, their start buttons and
// coin slots, and the first player's two sticks of dual-stick games.
constexpr std::array<PlayerRow, 30> PlayerRows = {{
    {"P#_JOYSTICK_UP", "P# Up", {"KEYCODE_UP", "KEYCODE_R", "KEYCODE_I", "KEYCODE_8PAD"}},
    {"P#_JOYSTICK_DOWN", "P# Down", {"KEYCODE_DOWN", "KEYCODE_F", "KEYCODE_K", "KEYCODE_2PAD"}},
    {"P#_JOYSTICK_LEFT", "P# Left", {"KEYCODE_LEFT", "KEYCODE_D", "KEYCODE_J", "KEYCODE_4PAD"}},
    {"P#_JOYSTICK_RIGHT", "P# Right", {"KEYCODE_RIGHT", "KEYCODE_G", "KEYCODE_L", "KEYCODE_6PAD"}},
    {"P#_BUTTON1",
     "P# Button 1",
     {"KEYCODE_LCONTROL", "KEYCODE_A", "KEYCODE_RCONTROL", "KEYCODE_0PAD"}},
    {"P#_BUTTON2",
     "P# Button 2",
     {"KEYCODE_LALT", "KEYCODE_S", "KEYCODE_RSHIFT", "KEYCODE_DEL_PAD"}},
    {"P#_BUTTON3",
     "P# Button 3",
     {"KEYCODE_SPACE", "KEYCODE_Q", "KEYCODE_ENTER", "KEYCODE_ENTER_PAD"}},
    {"P#_BUTTON4", "P# Button 4", {"KEYCODE_LSHIFT", "KEYCODE_W"}},
    {"P#_BUTTON5", "P# Button 5", {"KEYCODE_Z", "KEYCODE_E"}},
    {"P#_BUTTON6", "P# Button 6", {"KEYCODE_X"}},
    {"P#_BUTTON7", "P# Button 7", {"KEYCODE_C"}},
    {"P#_BUTTON8", "P# Button 8", {"KEYCODE_V"}},
    {"P#_BUTTON9", "P# Button 9", {"KEYCODE_B"}},
    {"P#_BUTTON10", "P# Button 10", {"KEYCODE_N"}},
    {"P#_BUTTON11", "P# Button 11", {"KEYCODE_M"}},
    {"P#_BUTTON12", "P# Button 12", {"KEYCODE_COMMA"}},
    {"P#_BUTTON13", "P# Button 13", {"KEYCODE_STOP"}},
    {"P#_BUTTON14", "P# Button 14", {"KEYCODE_SLASH"}},
    {"P#_BUTTON15", "P# Button 15", {"KEYCODE_RSHIFT"}},
    {"P#_BUTTON16", "P# Button 16", {}},
    {"START#", "P# Start", {"KEYCODE_1", "KEYCODE_2", "KEYCODE_3", "KEYCODE_4"}},
    {"COIN#", "P# Coin", {"KEYCODE_5", "KEYCODE_6", "KEYCODE_7", "KEYCODE_8"}},
    {"P#_JOYSTICKLEFT_UP", "P# Left Stick Up", {"KEYCODE_E"}},
    {"P#_JOYSTICKLEFT_DOWN", "P# Left Stick Down", {"KEYCODE_D"}},
    {"P#_JOYSTICKLEFT_LEFT", "P# Left Stick Left", {"KEYCODE_S"}},
    {"P#_JOYSTICKLEFT_RIGHT", "P# Left Stick Right", {"KEYCODE_F"}},
    {"P#_JOYSTICKRIGHT_UP", "P# Right Stick Up", {"KEYCODE_I"}},
    {"P#_JOYSTICKRIGHT_DOWN", "P# Right Stick Down", {"KEYCODE_K"}},
    {"P#_JOYSTICKRIGHT_LEFT", "P# Right Stick Left", {"KEYCODE_J"}},
    {"P#_JOYSTICKRIGHT_RIGHT", "P# Right Stick Right", {"KEYCODE_L"}},
}};

// The functions of MAME's user interface a cabinet has buttons for; fast
// forward is Page Down in the SDL build that Linux distributions ship.
constexpr std::array<FunctionRow, 8> FunctionRows = {{
    {"UI_CONFIGURE", "Menu", "KEYCODE_TAB"},
    {"UI_CANCEL", "Exit", "KEYCODE_ESC"},
    {"UI_PAUSE", "Pause", "KEYCODE_P"},
    {"UI_SOFT_RESET", "Reset", "KEYCODE_F3"},
    {"UI_SAVE_STATE", "Save State", "KEYCODE_LSHIFT KEYCODE_F7"},
    {"UI_LOAD_STATE", "Load State", "KEYCODE_F7"},
    {"UI_FAST_FORWARD", "Fast Forward", "KEYCODE_PGDN"},
    {"SERVICE1", "Service", "KEYCODE_9"},
}};

} // namespace

const FrontEndTable& mameTable() {
    static const FrontEndTable table = {
        PlayerRows, FunctionRows, SpellingSource::Mame, {}, mameSequence};
    return table;
}

} // namespace vantrel
