#include "layouts/FrontEndTables.h"
#include "layouts/RetroArchConfig.h"

namespace vantrel {
namespace {

// RetroArch's keyboard binds as the sample retroarch.cfg lists them, with its
// defaults there: only the first player has keys of its own; L2, R2, L3, R3,
// turbo and the analog sticks have none. Its sticks' positive Y is down.
constexpr std::array<PlayerRow, 25> PlayerRows = {{
    {"input_player#_up", "P# Up", {"up"}},
    {"input_player#_down", "P# Down", {"down"}},
    {"input_player#_left", "P# Left", {"left"}},
    {"input_player#_right", "P# Right", {"right"}},
    {"input_player#_a", "P# A", {"x"}},
    {"input_player#_b", "P# B", {"z"}},
    {"input_player#_x", "P# X", {"s"}},
    {"input_player#_y", "P# Y", {"a"}},
    {"input_player#_l", "P# L", {"q"}},
    {"input_player#_r", "P# R", {"w"}},
    {"input_player#_l2", "P# L2", {}},
    {"input_player#_r2", "P# R2", {}},
    {"input_player#_l3", "P# L3", {}},
    {"input_player#_r3", "P# R3", {}},
    {"input_player#_start", "P# Start", {"enter"}},
    {"input_player#_select", "P# Select", {"rshift"}},
    {"input_player#_turbo", "P# Turbo", {}},
    {"input_player#_l_y_minus", "P# Left Stick Up", {}},
    {"input_player#_l_y_plus", "P# Left Stick Down", {}},
    {"input_player#_l_x_minus", "P# Left Stick Left", {}},
    {"input_player#_l_x_plus", "P# Left Stick Right", {}},
    {"input_player#_r_y_minus", "P# Right Stick Up", {}},
    {"input_player#_r_y_plus", "P# Right Stick Down", {}},
    {"input_player#_r_x_minus", "P# Right Stick Left", {}},
    {"input_player#_r_x_plus", "P# Right Stick Right", {}},
}};

// The hotkeys a cabinet has buttons for. While input_enable_hotkey has a
// key, RetroArch takes the others only with it held.
constexpr std::array<FunctionRow, 11> FunctionRows = {{
    {"input_enable_hotkey", "Hotkey", ""},
    {"input_menu_toggle", "Menu", "f1"},
    {"input_exit_emulator", "Exit", "escape"},
    {"input_pause_toggle", "Pause", "p"},
    {"input_reset", "Reset", "h"},
    {"input_save_state", "Save State", "f2"},
    {"input_load_state", "Load State", "f4"},
    {"input_state_slot_decrease", "Previous Slot", "f6"},
    {"input_state_slot_increase", "Next Slot", "f7"},
    {"input_toggle_fast_forward", "Fast Forward", "space"},
    {"input_rewind", "Rewind", "r"},
}};

} // namespace

const FrontEndTable& retroArchTable() {
    static const FrontEndTable table = {PlayerRows, FunctionRows, SpellingSource::RetroArch,
                                        FunctionRows.front().bind, retroArchBindValue};
    return table;
}

} // namespace vantrel
