#include "cli/CommandTable.h"

#include "cli/CheckCommand.h"
#include "cli/CommandHelp.h"
#include "cli/DeviceCommands.h"
#include "cli/FileCommands.h"
#include "cli/LearnCommand.h"
#include "cli/MonitorCommand.h"
#include "cli/NamesCommand.h"
#include "cli/NewCommand.h"

#include <algorithm>
#include <array>

namespace vantrel::cli {
namespace {

int runImport(const Invocation& invocation, const Console& console,
              const DeviceBackendFactory& /*devices*/) {
    return importCommand(invocation, console);
}

int runNames(const Invocation& invocation, const Console& console,
             const DeviceBackendFactory& /*devices*/) {
    return namesCommand(invocation, console);
}

constexpr std::array<CommandShape, 14> Commands = {{
    {"show", "show FILE", 1, 0, OperandKind::Files, Need::No, DeviceUse::Source, 0, showCommand,
     "every input and setting as the main window shows them"},
    {"export", "export FILE [-o OUT] [--labels-from LAYOUT]", 1, 0, OperandKind::Files,
     Need::Optional, DeviceUse::Source, optionsOf(OptionId::LabelsFrom), exportCommand,
     "the readable JSON form, to standard output unless -o names a file"},
    {"import", "import FILE -o OUT [--strict]", 1, 0, OperandKind::Files, Need::Required,
     DeviceUse::None, optionsOf(OptionId::Strict), runImport,
     "the configuration file, written only when FILE is valid"},
    {"diff", "diff A B [--json]", 2, 0, OperandKind::Files, Need::No, DeviceUse::Source,
     optionsOf(OptionId::Json), diffCommand,
     "what differs between two configurations (status 0 equal, 1 different)"},
    {"check", "check FILE [--json] [--strict]", 1, 0, OperandKind::Files, Need::No,
     DeviceUse::Source, optionsOf(OptionId::Json, OptionId::Strict), checkCommand,
     "mistakes a cabinet would suffer from (status 0 none, 1 some), and notes"},
    {"card", "card FILE [-o OUT.html]", 1, 0, OperandKind::Files, Need::Optional, DeviceUse::Source,
     0, cardCommand, "a printable control card as an HTML page"},
    {"read", "read -o OUT", 0, 0, OperandKind::Files, Need::Required, DeviceUse::One, 0,
     readCommand, "save the device's configuration as a configuration file"},
    {"write", "write FILE [--no-verify] [--backup OUT] [--strict]", 1, 0, OperandKind::Files,
     Need::No, DeviceUse::Several,
     optionsOf(OptionId::Verify, OptionId::NoVerify, OptionId::Backup, OptionId::Strict),
     writeCommand, "write a configuration into the device and read it back to compare"},
    {"devices", "devices [--json]", 0, 0, OperandKind::Files, Need::No, DeviceUse::Several,
     optionsOf(OptionId::Json), devicesCommand,
     "list the attached devices, numbered for --device usb:N"},
    {"new", "new [--layout NAME | --from FRONTEND FILE [--players N]] -o OUT", 0, 1,
     OperandKind::Files, Need::Required, DeviceUse::None,
     optionsOf(OptionId::Layout, OptionId::From, OptionId::Players), newCommand,
     "a layout to start from: blank, an example, or a front end's own"},
    {"names", "names [keys|mouse|joystick|settings]", 0, 1, OperandKind::NameGroups, Need::No,
     DeviceUse::None, 0, runNames,
     "every name the JSON form accepts, and the values of each setting"},
    {"monitor", "monitor [--events FILE]... [--config FILE]... [--json] [--no-grab]", 0, 0,
     OperandKind::Files, Need::No, DeviceUse::Several,
     optionsOf(OptionId::Events, OptionId::Config, OptionId::Json, OptionId::NoGrab),
     monitorCommand, "show which input each press on the panel comes from, until Ctrl+C"},
    {"learn", "learn LAYOUT [-o WIRED] [--no-write] [--order] [--events FILE]...", 1, 0,
     OperandKind::Files, Need::Optional, DeviceUse::Several,
     optionsOf(OptionId::NoWrite, OptionId::Order, OptionId::Events), learnCommand,
     "learn which input each control of a layout is wired to, and write it"},
    {"help", "help [COMMAND|format]", 0, 1, OperandKind::Commands, Need::No, DeviceUse::None, 0,
     helpCommand, "this text, one command's usage, or the JSON form"},
}};

constexpr std::array<OptionShape, 19> Options = {{
    {OptionId::Device, "--device", "", OptionValue::Device, "DEVICE",
     "usb:N, the device numbered N by devices; also\n"
     "usb:/dev/hidrawN, usb:PORT (1-4.2), usb:SERIAL;\n"
     "emulated:PATH, the device emulator, its memory\n"
     "kept in PATH. Without it, read, write, learn,\n"
     "devices and monitor reach the first device on\n"
     "USB; show, export, diff, check and card read a\n"
     "device only when given one; write, learn, devices\n"
     "and monitor take several"},
    {OptionId::Output, "--output", "-o", OptionValue::File, "OUT",
     "the file to write; - for standard output\n(export, card, import)"},
    {OptionId::Verify, "--verify", "", OptionValue::None, "",
     "read the device back and compare after writing\n(the default)"},
    {OptionId::NoVerify, "--no-verify", "", OptionValue::None, "", "write without reading back"},
    {OptionId::Backup, "--backup", "", OptionValue::File, "OUT",
     "save the device's configuration to OUT first"},
    {OptionId::Strict, "--strict", "", OptionValue::None, "",
     "import, write: refuse what check finds (without\n"
     "it: warnings); check: fail on its notes too"},
    {OptionId::LabelsFrom, "--labels-from", "", OptionValue::File, "LAYOUT",
     "export: the labels and intended shares of a JSON\nlayout, put into what is exported"},
    {OptionId::Layout, "--layout", "", OptionValue::Layout, "NAME",
     "new: blank (the default), two-player,\nretroarch or pinball"},
    {OptionId::From, "--from", "", OptionValue::FrontEnd, "FRONTEND",
     "new: the layout FILE gives, a retroarch.cfg\n"
     "(retroarch) or a MAME controller file or\n"
     "default.cfg (mame), over the front end's defaults"},
    {OptionId::Players, "--players", "", OptionValue::Number, "N",
     "new --from: players 1 to N only (1 to 4; all four\nunless given)"},
    {OptionId::Events, "--events", "", OptionValue::File, "FILE",
     "replay an evemu-record recording instead of the\n"
     "device; once per recorded interface (several\n"
     "devices: one each, in the order of --device)"},
    {OptionId::Config, "--config", "", OptionValue::File, "FILE",
     "the configuration to match against (without it:\n"
     "the device's own, read once at the start); once\n"
     "per device, in the order of --device"},
    {OptionId::Json, "--json", "", OptionValue::None, "",
     "one JSON object a line (monitor, check, diff,\ndevices)"},
    {OptionId::NoWrite, "--no-write", "", OptionValue::None, "",
     "learn: write WIRED only; the device gets its\nconfiguration back"},
    {OptionId::Order, "--order", "", OptionValue::None, "",
     "learn: press the controls in any order and type\neach one's label"},
    {OptionId::NoGrab, "--no-grab", "", OptionValue::None, "",
     "let the desktop see the presses too"},
    {OptionId::Quiet, "--quiet", "-q", OptionValue::None, "", "no progress and no success lines"},
    {OptionId::Help, "--help", "-h", OptionValue::None, "",
     "this text; after a command, its usage"},
    {OptionId::Version, "--version", "-V", OptionValue::None, "", "the program's version"},
}};

constexpr std::string_view MonitorDetails =
    "\nEach press names the input or rotary-switch direction that sends it; Ctrl+C\n"
    "ends it and prints which used inputs and rotary directions were never seen.\n"
    "Several --device: each line begins with the device it came from.\n"
    "\n"
    "--events takes what evemu-record (package evemu-tools) writes for one of the\n"
    "encoder's input devices: \"sudo evemu-record /dev/input/eventN > keys.evemu\",\n"
    "press the controls, Ctrl+C. Its lines \"E: SECONDS.MICROSECONDS TYPE CODE VALUE\"\n"
    "are the events, TYPE and CODE in hexadecimal and VALUE in decimal\n"
    "(\"E: 5.000100 0001 001e 1\" presses A); any number of digits may follow the\n"
    "point. Header lines (N:, I:, P:, B:, A:, L:, S:) and # comments are read or\n"
    "skipped; anything else is refused with its line number.\n";

constexpr std::string_view NewDetails =
    "\nWith --from, every control the front end has a key for becomes an input,\n"
    "player by player, then the front end's own functions (menu, exit, pause, reset,\n"
    "save and load state, ...), labelled as \"P1 Button 1\", its key named as the\n"
    "file names it and held down for as long as the control is. A bind the file\n"
    "leaves out takes the front end's default key; nul (retroarch) or NONE (mame)\n"
    "leaves it without one. Of MAME's alternatives (OR) the first that is all keys\n"
    "is taken. A note on standard error tells each bind that does not come over as\n"
    "the file has it: a joystick's or mouse's input, a key the encoder does not\n"
    "have, a bind the layout has no control for, a setting for one game only.\n";

constexpr std::string_view LearnDetails =
    "\nLearns which input each control of the layout (a JSON layout with labels, as\n"
    "new --from makes) is wired to. It first saves what each device holds in a new\n"
    "file of ~/.local/state/vantrel/backups ($XDG_STATE_HOME/vantrel/backups) and\n"
    "prints its name, then writes the wiring probe: inputs 1 to 64 press joystick\n"
    "buttons 1 to 64, inputs 65 to 108 and the rotary switches press F13 to F24\n"
    "alone, with Shift, with Ctrl and with Alt: keys that type nothing, never Enter,\n"
    "Esc, a letter or a digit. The encoder's input devices are taken from the\n"
    "desktop while it asks for each control by its label (\"Press P1 Button 1\").\n"
    "A press binds the control to the input it came from; an input bound already\n"
    "asks again. On the computer's keyboard Enter skips a control and Backspace\n"
    "goes back one; with --order press any control, then type its label.\n"
    "\n"
    "At the end it shows what was learned, writes WIRED (LAYOUT-wired.json without\n"
    "-o; WIRED-1.json, WIRED-2.json, ... for several devices) with each control on\n"
    "the input found and every other input Not Used, and writes that into the\n"
    "device and verifies it, unless --no-write. Stopped before the end (Ctrl+C, a\n"
    "failed transfer, the device or the recordings gone), it writes the backup\n"
    "back and says so. read, write --backup and learn recognise a device left\n"
    "holding the probe and name the backup that restores it.\n"
    "\n"
    "--events replays recordings in place of the panel, one after the other,\n"
    "recording N as device N's; Enter and Backspace in them stand for the\n"
    "computer's keyboard.\n";

bool namesWithValue(const OptionShape& option, std::string_view arg) {
    return option.value != OptionValue::None && arg.size() > option.name.size() &&
           arg.starts_with(option.name) && arg[option.name.size()] == '=';
}

} // namespace

std::span<const CommandShape> commandTable() {
    return Commands;
}

std::span<const OptionShape> optionTable() {
    return Options;
}

const CommandShape* findCommand(std::string_view name) {
    const auto* found =
        std::find_if(Commands.begin(), Commands.end(),
                     [name](const CommandShape& shape) { return shape.name == name; });
    return found == Commands.end() ? nullptr : found;
}

std::string_view commandDetails(std::string_view command) {
    if (command == "new") {
        return NewDetails;
    }
    if (command == "learn") {
        return LearnDetails;
    }
    return command == "monitor" ? MonitorDetails : std::string_view{};
}

const OptionShape* findOption(std::string_view arg) {
    const auto* found =
        std::find_if(Options.begin(), Options.end(), [arg](const OptionShape& option) {
            return arg == option.name || (!option.shortName.empty() && arg == option.shortName) ||
                   namesWithValue(option, arg);
        });
    return found == Options.end() ? nullptr : found;
}

bool optionAppliesTo(const OptionShape& option, const CommandShape& command) {
    switch (option.id) {
    case OptionId::Device:
        return command.devices != DeviceUse::None;
    case OptionId::Output:
        return command.output != Need::No;
    case OptionId::Quiet:
    case OptionId::Help:
        return true;
    case OptionId::Version:
        return false;
    default:
        return command.takes(option.id);
    }
}

bool readsDeviceAsSource(const CommandShape& command) {
    return command.devices == DeviceUse::Source;
}

bool isGlobalOption(const OptionShape& option) {
    return option.id == OptionId::Help || option.id == OptionId::Version ||
           option.id == OptionId::Quiet || option.id == OptionId::Device;
}

} // namespace vantrel::cli
