#include "cli/CommandLine.h"
#include "cli/CommandTable.h"
#include "cli/Commands.h"
#include "device/EmulatedDevice.h"
#include "files/ConfigurationFile.h"
#include "tests/cli/ToolRun.h"
#include "tests/support/EmulatorSeam.h"
#include "tests/support/ModelBuilders.h"
#include "tests/support/TemporaryFolder.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace vantrel::cli {
namespace {

namespace fs = std::filesystem;
using namespace vantrel::testing;

/// An emulator owned by the test, so that faults can be set between runs;
/// `meddle` writes to it as someone else would between our write and our
/// read-back.
class BorrowedBackend : public DeviceBackend, public EmulatorSeam {
public:
    using EmulatorSeam::EmulatorSeam;
    HidAccess& link() override { return *this; }
    std::vector<AttachedDevice> attachedDevices() override { return {}; }
};

constexpr const char* SavedLine = "The configuration was successfully saved to the device\n";
constexpr const char* VerifiedLine =
    "Verified: the device holds the configuration that was written\n";
const std::string EmptyDocument = R"({"format": "vantrel-configuration", "version": 1})";

/// Every test has a folder of its own and runs the built tool in it, as a
/// user would; a test that must reach into the device between two sessions,
/// or needs a terminal, runs the commands in this process instead.
class Vantrelctl : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (folder / name).string(); }
    std::string read(const std::string& name) const { return contentsOf(folder / name); }
    void write(const std::string& name, const std::string& bytes) const {
        writeFile(folder / name, bytes);
    }
    std::set<std::string> files() const {
        std::set<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder.path)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    /// Saves the configuration as a configuration file and returns its bytes.
    std::string writeImage(const std::string& name, const Configuration& config) const {
        const DeviceImage image = imageOf(config);
        EXPECT_TRUE(writeConfigurationFile(path(name), image).ok());
        return {image.begin(), image.end()};
    }

    /// Runs the built tool in the folder (see runTools).
    ToolResult run(const std::vector<std::string>& args, const std::string& stdoutTo = {},
                   const std::string& stdinFrom = "/dev/null") const {
        return runTools(folder, {args}, stdoutTo, stdinFrom).front();
    }
    /// The same for a command line of words.
    ToolResult run(const std::string& line, const std::string& stdoutTo = {},
                   const std::string& stdinFrom = "/dev/null") const {
        return run(words(line), stdoutTo, stdinFrom);
    }

    /// Runs the commands in this process on the test's own emulator, with
    /// the console as `setUp` leaves it.
    static ToolResult runHere(const std::vector<std::string>& args, EmulatedDevice& device,
                              const std::function<void()>& meddle = {},
                              const std::function<void(Console&)>& setUp = {}) {
        return runInProcess(
            args, [&] { return std::make_unique<BorrowedBackend>(device, meddle); }, setUp);
    }

    TemporaryFolder folder;
};

TEST_F(Vantrelctl, MonitorTracesRecordingsByFileOrDeviceNamingEachWhenSeveralAreRead) {
    write("cabinet.json", R"({"format": "vantrel-configuration", "version": 1, "inputs": [
        {"input": 17, "label": "P1 Button 1",
         "single": {"type": "key", "code": "A", "modifiers": ["ctrl"]}},
        {"input": 18, "label": "P1 Button 2", "single": {"type": "key", "code": "B"}}]})");
    write("keys.evemu", "N: VANTREL\nE: 0.000001 0001 001d 0001\nE: 0.000002 0001 001e 0001\n"
                        "E: 0.000003 0001 001e 0000\nE: 0.000004 0001 001d 0000\n");
    write("left.json", R"({"format": "vantrel-configuration", "version": 1, "inputs": [
        {"input": 5, "single": {"type": "key", "code": "Left Ctrl"}}]})");
    write("right.json", R"({"format": "vantrel-configuration", "version": 1, "inputs": [
        {"input": 5, "single": {"type": "key", "code": "A"}}]})");
    // Written by hand: one digit after the point is as good as six.
    write("left.evemu", "E: 5.0 0001 001d 1\nE: 5.0 0000 0000 0\n");
    write("right.evemu", "E: 6.5 0001 001e 1\nE: 6.5 0000 0000 0\n");
    // The devices keep no labels.
    for (const std::string name : {"cabinet", "left", "right"}) {
        ASSERT_EQ(run(std::vector<std::string>{"--device", "emulated:" + name + ".bin", "write",
                                               name + ".json"})
                      .status,
                  0);
    }
    // Each command line and what monitor prints.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"monitor --events keys.evemu --config cabinet.json",
         "Input 17 (P1 Button 1): Ctrl+A\nInput 17 (P1 Button 1): Ctrl+A released\n"
         "Seen 1 of 2 used inputs; not seen: Input 18 (P1 Button 2)\n"},
        {"--device emulated:cabinet.bin monitor --events=keys.evemu --json",
         R"({"event":"press","time":0.000002,"device":"keys.evemu",)"
         R"("action":"Ctrl+A","controls":[{"input":17}]})"
         "\n"
         R"({"event":"release","time":0.000003,"device":"keys.evemu",)"
         R"("action":"Ctrl+A","controls":[{"input":17}]})"
         "\n"
         R"({"event":"summary","seen":1,"used":2,"notSeen":[{"input":18}],"notToldApart":[]})"
         "\n"},
        {"--device emulated:left.bin --device emulated:right.bin monitor --events left.evemu "
         "--events right.evemu",
         "emulated:left.bin: Input 5: Left Ctrl\nemulated:right.bin: Input 5: A\n"
         "emulated:left.bin: Seen 1 of 1 used inputs\nemulated:right.bin: Seen 1 of 1 used "
         "inputs\n"},
    };
    for (const auto& [line, out] : cases) {
        const ToolResult traced = run(line);
        EXPECT_EQ(traced.status, 0) << traced.err;
        EXPECT_EQ(traced.out, out);
    }
}

TEST_F(Vantrelctl, UsageErrorsEndWithStatusTwoBeforeTouchingAnything) {
    write("a.cfg", EmptyDocument);
    const auto usage = [](const char* line) {
        return "; usage: vantrelctl [--device DEVICE] " + std::string(line);
    };
    const std::string monitor = usage("monitor [--events FILE]... [--config FILE]... [--json] "
                                      "[--no-grab]");
    const std::string writeUsage = usage("write FILE [--no-verify] [--backup OUT] [--strict]");
    const std::string exportUsage = usage("export FILE [-o OUT] [--labels-from LAYOUT]");
    const std::string show = usage("show FILE");
    // Each command line and what it says after "vantrelctl: ".
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "no command given"},
        {"frobnicate", "unknown command \"frobnicate\""},
        {"wirte a.cfg", "unknown command \"wirte\"; did you mean write?"},
        {"help shwo", "unknown command \"shwo\"; did you mean show?"},
        {"export a.cfg --strict", "--strict belongs to import, write and check" + exportUsage},
        {"import a.cfg", "usage: vantrelctl [--device DEVICE] import FILE -o OUT [--strict]"},
        {"read -o x -o y", "-o is given twice"},
        {"write a.cfg --backup=x --backup y", "--backup is given twice"},
        {"read -o", "-o needs a value"},
        {"show a.cfg -o x", "show takes no -o" + show},
        {"export a.cfg --verify",
         "--verify, --no-verify and --backup belong to write" + exportUsage},
        {"write a.cfg --verify --no-verify", "--verify and --no-verify contradict each other"},
        {"write a.cfg --backup=-", "--backup writes a file, not standard output" + writeUsage},
        {"--device emulated:a show a.cfg",
         "show reads --device in place of a FILE, not both" + show},
        {"--device emulated: devices",
         "unknown device \"emulated:\" (expected emulated:PATH or usb: with a number, node, port "
         "or serial number)"},
        {"--device=emulated:a --device=emulated:b write a.cfg --backup b.cfg",
         "--backup takes one device" + writeUsage},
        {"diff - -", "standard input (-) can be read only once"},
        {"help frobnicate", "unknown command \"frobnicate\""},
        {"frobnicate --help", "unknown command \"frobnicate\""},
        {"names colours",
         "unknown list \"colours\"" + usage("names [keys|mouse|joystick|settings]")},
        {"show a.cfg --force", "unknown option \"--force\""},
        {"show a.cfg --jsn", "unknown option \"--jsn\"; did you mean --json?"},
        {"--devcie=usb:1 devices", "unknown option \"--devcie=usb:1\"; did you mean --device?"},
        {"--device emulated:a --device emulated:a write a.cfg",
         "emulated:a is named twice" + writeUsage},
        {"show a.cfg --labels-from a.cfg", "--labels-from belongs to export" + show},
        {"show a.cfg --json", "--json belongs to monitor, check, diff and devices" + show},
        {"--device emulated:a --device emulated:b monitor --config a.cfg",
         "monitor takes one --config per --device, in the same order" + monitor},
        {"monitor --config a.cfg --config a.cfg --events x.evemu",
         "with several devices monitor replays one --events per device, in the same order" +
             monitor},
        {"show a.cfg --no-grab",
         "--events belongs to monitor and learn, --config and --no-grab to monitor" + show},
    };
    for (const auto& [line, message] : cases) {
        const ToolResult result = run(words(line));
        EXPECT_EQ(result.status, 2) << message;
        EXPECT_EQ(result.err.substr(0, result.err.find('\n')), "vantrelctl: " + message);
    }
    EXPECT_EQ(files(), std::set<std::string>{"a.cfg"});
    // A usage error points to the help of the command it is about.
    EXPECT_TRUE(run("show a.cfg -o x").err.ends_with("\nTry 'vantrelctl help show'.\n"));
    EXPECT_TRUE(run("frobnicate").err.ends_with("\nTry 'vantrelctl --help'.\n"));
    // A short option's value may follow it directly.
    EXPECT_EQ(run("export a.cfg -oout.json").status, 0);
    EXPECT_TRUE(fs::exists(folder / "out.json"));
}

// Every command takes as many devices as its row in the table says, no
// more: the parser reads the same row the tool runs the command by.
TEST(CommandTable, EachCommandTakesTheDevicesItsRowAllows) {
    for (const CommandShape& shape : commandTable()) {
        std::vector<std::string> args = {"--device", "emulated:a", "--device", "emulated:b",
                                         std::string(shape.name)};
        const std::size_t files = shape.operands - (readsDeviceAsSource(shape) ? 1 : 0);
        args.insert(args.end(), files, "a.cfg");
        if (shape.output == Need::Required) {
            args.insert(args.end(), {"-o", "out"});
        }
        const UsageFailure failure = parseCommandLine(args).failure();
        const std::string error = usageErrorLine(failure, failure.command);
        const std::string name(shape.name);
        switch (shape.devices) {
        case DeviceUse::None:
            EXPECT_TRUE(error.starts_with(name + " takes no --device")) << error;
            break;
        case DeviceUse::Source:
        case DeviceUse::One:
            EXPECT_TRUE(error.starts_with(name + " takes one device")) << error;
            break;
        case DeviceUse::Several:
            EXPECT_EQ(error, "") << name;
            break;
        }
    }
}

TEST_F(Vantrelctl, WritesIntoTheEmulatedDeviceAndReadsItBack) {
    const std::string empty = writeImage("empty.cfg", Configuration{});
    Configuration second;
    second.rotaryKey(2) = {KeyB, OperatorAlt};
    // A byte past the 214-byte table, in its last block: encoding the
    // configuration again would lose it, the device keeps it.
    std::string secondImage = writeImage("second.cfg", second);
    secondImage[215] = '\x5A';
    write("second.cfg", secondImage);
    const std::string device = "--device=emulated:" + path("memory.bin") + " ";

    // 27 data blocks of an empty configuration's 214 bytes: a line at the first
    // block of every new tenth, then the end.
    EXPECT_EQ(run(device + "write empty.cfg --no-verify"),
              (ToolResult{0, SavedLine,
                          "Writing: 0%\nWriting: 11%\nWriting: 22%\nWriting: 30%\nWriting: 41%\n"
                          "Writing: 52%\nWriting: 60%\nWriting: 71%\nWriting: 82%\nWriting: 90%\n"
                          "Writing: 100%\n"}));
    const ToolResult verified = run(device + "write second.cfg --backup backup.cfg");
    EXPECT_EQ(verified.out, std::string(SavedLine) + VerifiedLine) << verified.err;
    EXPECT_EQ(read("backup.cfg"), empty);
    // Standard input in place of a file; quiet, nothing is said.
    EXPECT_EQ(run("-q " + device + "write -", {}, path("second.cfg")), (ToolResult{0, "", ""}));
    const ToolResult fetched = run(device + "read -o read.cfg");
    EXPECT_EQ(fetched.out, "The configuration was successfully read from the device\n");
    EXPECT_EQ(read("read.cfg"), secondImage);

    // The device as the source of the commands that read a configuration,
    // through the same checked read; and its image on standard output.
    EXPECT_EQ(run(device + "read -o -", path("piped.cfg")).status, 0);
    EXPECT_EQ(read("piped.cfg"), secondImage);
    EXPECT_EQ(run(device + "show").out, run("show second.cfg").out);
    EXPECT_EQ(run(device + "export -q").out, run("export second.cfg").out);
    EXPECT_EQ(run(device + "check -q").status, 0);
    EXPECT_NE(run(device + "card -q").out.find("Control card: emulated:"), std::string::npos);
    EXPECT_EQ(run(device + "diff -q second.cfg").status, 0);
    EXPECT_EQ(run(device + "diff -q empty.cfg"),
              (ToolResult{1, run("diff second.cfg empty.cfg").out, ""}));
}

TEST_F(Vantrelctl, WritesEveryDeviceNamedAndGoesOnPastOneThatFails) {
    Configuration config;
    config.rotaryKey(1) = {KeyA, OperatorShift};
    const std::string image = writeImage("a.cfg", config);
    fs::create_directory(folder / "broken.bin");

    const ToolResult written = run("--device emulated:one.bin --device=emulated:broken.bin "
                                   "--device emulated:two.bin write a.cfg");
    EXPECT_EQ(written.status, 1);
    EXPECT_EQ(written.out,
              "emulated:one.bin: " + std::string(SavedLine) + "emulated:one.bin: " + VerifiedLine +
                  "emulated:two.bin: " + SavedLine + "emulated:two.bin: " + VerifiedLine);
    EXPECT_NE(
        written.err.find("\nvantrelctl: emulated:broken.bin: the emulated device's memory file "
                         "broken.bin is a folder\n"),
        std::string::npos)
        << written.err;
    for (const std::string device : {"emulated:one.bin", "emulated:two.bin"}) {
        EXPECT_EQ(run("--device " + device + " read -o back.cfg").status, 0);
        EXPECT_EQ(read("back.cfg"), image) << device;
    }
}

TEST_F(Vantrelctl, RefusesATerminalAsStandardInputOrAsAConfigurationFilesOutput) {
    write("a.json", EmptyDocument);
    EmulatedDevice unused;
    // Each command, whether standard input or output is the terminal, and what it says.
    const auto refuses = [&](const std::string& line, bool inputIsTerminal,
                             const std::string& said) {
        std::istringstream in(EmptyDocument);
        EXPECT_EQ(runHere(words(line), unused, {},
                          [&](Console& console) {
                              console.in = &in;
                              console.inIsTerminal = inputIsTerminal;
                              console.outIsTerminal = !inputIsTerminal;
                          }),
                  (ToolResult{1, "", "vantrelctl: " + said + "\n"}));
    };
    refuses("show -", true, "-: standard input is a terminal; pipe a configuration into it");
    refuses("import " + path("a.json") + " -o -", false,
            "-o -: standard output is a terminal; redirect it to a file or a pipe");
    refuses("monitor --config " + path("a.json") + " --events -", true,
            "-: standard input is a terminal; pipe a recording into it");
}

TEST_F(Vantrelctl, HelpTellsEachCommandsStoryWithinEightyColumnsAndListsTheNames) {
    std::map<std::string, std::string> texts = {{"--help", run("--help").out}};
    EXPECT_TRUE(texts["--help"].starts_with("usage: vantrelctl [-q] [--device DEVICE]... COMMAND"));
    EXPECT_EQ(run("-V"), run("--version"));
    for (const std::string command : {"show", "export", "import", "diff", "check", "card", "read",
                                      "write", "devices", "names", "monitor"}) {
        texts[command] = run(command + " --help").out;
        for (const std::string part :
             {"\noptions:\n", "\nExit status: ", "\nexample:\n  vantrelctl "}) {
            EXPECT_NE(texts[command].find(part), std::string::npos) << command << " lacks " << part;
        }
    }
    for (const auto& [command, text] : texts) {
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_LE(line.size(), 80U) << command << ": " << line;
        }
    }
    EXPECT_EQ(run("help write").out, texts["write"]);
    EXPECT_TRUE(texts["write"].starts_with(
        "usage: vantrelctl [--device DEVICE] write FILE [--no-verify] [--backup OUT]\n"
        "       [--strict]\n"));
    texts["names keys"] = run("names keys").out;
    texts["names"] = run("names").out;
    std::replace(texts["check"].begin(), texts["check"].end(), '\n', ' ');
    // What check looks for, what monitor replays and the names, in their own words.
    const std::vector<std::pair<std::string, std::string>> parts = {
        {"check", "a key a macro presses and never releases"},
        {"monitor", "evemu-record"},
        {"monitor", "\"E: SECONDS.MICROSECONDS TYPE CODE VALUE\""},
        // RetroArch's num5 is this key too, but is refused as ambiguous.
        {"names keys", "\n   34  5 %           KEY_5, KEYCODE_5, 5\n"},
        {"names keys",
         "\n  224  Left Ctrl     KEY_LEFTCTRL, KEYCODE_LCONTROL, Control_L, ctrl, LCtrl,\n"
         "                     LControl\n"},
        {"names", "\nmouse:\n      0  Left Click    BTN_LEFT\n"},
        {"names", "\n  divisor\n    1\n    2\n    4\n"},
    };
    for (const auto& [text, part] : parts) {
        EXPECT_NE(texts[text].find(part), std::string::npos) << text << " lacks " << part;
    }
}

TEST_F(Vantrelctl, ImportAndWriteWarnWhatCheckFindsAndStrictWritesNothing) {
    write("twice.json", R"({"format": "vantrel-configuration", "version": 1, "inputs": [
        {"input": 1, "single": {"type": "key", "code": "a"}},
        {"input": 2, "label": "Fire", "single": {"type": "key", "code": "A"}},
        {"input": 3, "single": {"type": "joystick", "code": 96}}]})");
    const std::string warnings =
        "vantrelctl: warning: twice.json: inputs[2] (input 3).single.code: 96 is a joystick code "
        "without a name: the main window shows it as \"Not Used\"\n"
        "vantrelctl: warning: twice.json: note: Input 1 and Input 2 (Fire) both send A: a game "
        "sees one control, and the monitor names them together\n";
    const std::string refused =
        "vantrelctl: twice.json: --strict: nothing written, as check found 1 problem\n";
    // Each command and what it says; only the first saves a file.
    const std::vector<std::pair<std::string, ToolResult>> cases = {
        {"import twice.json -o a.cfg -q", {0, "", warnings}},
        {"import twice.json -o b.cfg --strict", {1, "", warnings + refused}},
        {"--device emulated:memory.bin write twice.json --strict", {1, "", warnings + refused}},
    };
    for (const auto& [line, said] : cases) {
        EXPECT_EQ(run(line), said) << line;
        EXPECT_EQ(files(), (std::set<std::string>{"a.cfg", "twice.json"})) << line;
    }
}

TEST_F(Vantrelctl, ExportCarriesTheLabelsOfALayoutAndDiffComparesLabels) {
    const std::string example = std::string(VANTREL_EXAMPLES) + "/two-player-cabinet";
    ASSERT_EQ(run("export " + example + ".cfg -o bare.json").status, 0);
    EXPECT_EQ(run("export " + example + ".cfg -o -").out, read("bare.json"));
    ASSERT_EQ(run("export " + example + ".cfg --labels-from " + example + ".json -o labelled.json")
                  .status,
              0);
    const ToolResult bare = run("diff bare.json " + example + ".json");
    EXPECT_EQ(bare.status, 1);
    EXPECT_EQ(bare.out.substr(0, bare.out.find('\n')), R"(Input 1 label: no label -> "P1 Up")");
    EXPECT_EQ(run("diff labelled.json " + example + ".json"), (ToolResult{0, "", ""}));
    EXPECT_EQ(run("check --strict labelled.json").status, 0) << "the intended shares too";
    EXPECT_EQ(run("import - -o -", path("back.cfg"), path("labelled.json")).status, 0);
    EXPECT_EQ(read("back.cfg"), contentsOf(example + ".cfg"));
    EXPECT_EQ(run("export " + example + ".cfg --labels-from " + example + ".cfg").status, 1);
}

TEST_F(Vantrelctl, HelpFormatDescribesTheFormWithAnExampleThatReads) {
    const std::string help = run("help format").out;
    for (const std::string field :
         {"\"format\"", "\"inputs\"", "\"label\"", "\"single\"", "\"macro\"", "\"rotarySwitches\"",
          "\"trackball\"", "\"spinner\"", "\"joystickAxes\"", "\"intended\"",
          "\"Repeat with 3.0 sec delay\"", "\"same-first-press\""}) {
        EXPECT_NE(help.find(field), std::string::npos) << field;
    }
    const std::size_t example = help.find("Example:\n");
    ASSERT_NE(example, std::string::npos);
    write("example.json", help.substr(example + 9, help.find("\n}\n", example) - example - 7));
    EXPECT_EQ(run("check example.json").status, 0) << read("example.json");
}

TEST_F(Vantrelctl, NewWritesABlankLayoutOrAnExampleAndNeverOverwrites) {
    // Each layout, and the file it must equal (none for the blank one).
    const std::vector<std::pair<std::string, std::string>> layouts = {
        {"blank", ""},
        {"two-player", "two-player-cabinet.json"},
        {"retroarch", "retroarch-layout.json"},
        {"pinball", "pinball-cabinet.json"},
    };
    for (const auto& [layout, example] : layouts) {
        ASSERT_EQ(
            run(std::vector<std::string>{"new", "--layout", layout, "-o", layout + ".json"}).status,
            0)
            << layout;
        if (!example.empty()) {
            EXPECT_EQ(read(layout + ".json"), contentsOf(fs::path(VANTREL_EXAMPLES) / example));
        }
        EXPECT_EQ(run("check --strict " + layout + ".json").status, 0) << layout;
    }
    write("empty.json", EmptyDocument);
    EXPECT_EQ(run("diff blank.json empty.json").out, "") << "the start-up values";
    const std::string blank = read("blank.json");
    std::size_t unused = 0;
    for (auto at = blank.find("\"Not Used\""); at != std::string::npos;
         at = blank.find("\"Not Used\"", at + 1)) {
        ++unused;
    }
    EXPECT_EQ(unused, 108U + 4U) << "every input and rotary key, its fields present";
    EXPECT_EQ(run("new -o blank.json").status, 1);
    EXPECT_EQ(read("blank.json"), blank) << "an existing file is never overwritten";
    EXPECT_EQ(run("new --layout arcade -o x.json").status, 2);
}

TEST_F(Vantrelctl, CheckAndDiffTellByTheirStatusInTextOrJsonLines) {
    Configuration config;
    encodeSingleKey(KeyTypeKeyboard, KeyA, 0, config.input(4));
    writeImage("a.cfg", config);
    write("twice.json", R"({"format": "vantrel-configuration", "version": 1, "inputs": [
        {"input": 1, "single": {"type": "key", "code": "A"}},
        {"input": 2, "single": {"type": "key", "code": "A"}}]})");
    write("b.json", R"({"format": "vantrel-configuration", "version": 1,
        "rotarySwitches": [{"switch": 2, "divisor": "4"}]})");
    EXPECT_EQ(run("diff a.cfg b.json --json"),
              (ToolResult{1,
                          R"({"input":5,"field":"single","before":"Single Key A",)"
                          R"("after":"Not Used","difference":"Input 5: Single Key A -> Not Used"})"
                          "\n"
                          R"({"switch":2,"field":"divisor","before":"1","after":"4",)"
                          R"("difference":"Rotary Switch 2 Divisor: 1 -> 4"})"
                          "\n",
                          ""}));
    EXPECT_EQ(
        run("check twice.json --json"),
        (ToolResult{0,
                    R"({"finding":"same-action","mistake":false,"message":"Inputs 1 and 2 both )"
                    R"(send A: a game sees one control, and the monitor names them together",)"
                    R"("inputs":[1,2],"rotaryKeys":[]})"
                    "\n"
                    R"x({"size":220,"limit":4032,"message":"220 of 4032 bytes (5 %)",)x"
                    R"("intendedNotes":0})"
                    "\n",
                    ""}));
}

TEST_F(Vantrelctl, ABackupIsSkippedOnlyWhenTheDeviceHasNothingToLose) {
    const std::string mine = writeImage("mine.cfg", Configuration{});
    // A device whose last write stopped after its start pair.
    std::string cutOff(EmulatedDevice::MemorySize, '\0');
    cutOff.replace(0, DeviceImageSize, mine);
    cutOff.replace(ImageAddress::TransferState, 2, "WR");
    write("cut-off.bin", cutOff);
    // Each memory file and why its backup is skipped.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"fresh.bin", "the device holds no configuration yet, so there is nothing to back up"},
        {"cut-off.bin", "the last write to the device did not finish, so it holds no "
                        "configuration to back up"},
    };
    for (const auto& [memory, why] : cases) {
        const ToolResult result =
            run("--device emulated:" + memory + " write mine.cfg --no-verify --backup backup.cfg");
        EXPECT_EQ(result.status, 0) << memory << " " << result.err;
        EXPECT_NE(result.err.find("vantrelctl: warning: backup: " + why +
                                  "; no backup file was written, the write goes on\n"),
                  std::string::npos)
            << result.err;
        EXPECT_EQ(run("--device emulated:" + memory + " read -o read.cfg").status, 0);
        EXPECT_EQ(read("read.cfg"), mine) << "written after the notice";
    }
    EXPECT_EQ(files(), (std::set<std::string>{"cut-off.bin", "cut-off.bin.lock", "fresh.bin",
                                              "fresh.bin.lock", "mine.cfg", "read.cfg"}))
        << "no backup file; the lock files stay";
}

TEST_F(Vantrelctl, AMemoryFileThatCannotServeIsNamedForWhatIsWrongWithIt) {
    EXPECT_EQ(run("--device emulated:memory.bin devices").out,
              "emulated:memory.bin  device emulator\n");
    EXPECT_EQ(run("--device emulated:" + path("memory.bin") + " devices --json").out,
              R"({"node":")" + path("memory.bin") +
                  R"(","port":"","serial":"","vendorId":"0000","productId":"0000","canOpen":true,)"
                  R"("problemKind":"","problem":"","description":"emulated:)" +
                  path("memory.bin") +
                  R"(  device emulator"})"
                  "\n");
    // A byte that is not UTF-8 in the path is replaced; the line is printed.
    const ToolResult odd = run("--device emulated:m\xff"
                               "em.bin devices --json");
    EXPECT_EQ(odd.status, 0) << odd.err;
    EXPECT_TRUE(odd.out.starts_with(R"({"node":"m)"
                                    "\xEF\xBF\xBD"
                                    R"(em.bin")"))
        << odd.out;
    ASSERT_EQ(mkfifo(path("fifo.bin").c_str(), 0600), 0);
    write("short.bin", "short");
    fs::create_directory(folder / "folder.bin");
    writeImage("a.cfg", Configuration{});
    // Each memory file and what is wrong with it, as devices, write and read say it.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"fifo.bin", "is a FIFO"},
        {"short.bin", "is not 4096 bytes long"},
        {"folder.bin", "is a folder"},
        {"missing/memory.bin", "cannot be created: No such file or directory"},
    };
    for (const auto& [name, fault] : cases) {
        const std::string emulated = "emulated:" + name;
        const std::string device = "--device " + emulated;
        EXPECT_EQ(run(device + " devices").out,
                  emulated + "  device emulator  (cannot be opened: its memory file " +
                      std::string(fault).append(")\n"));
        std::string refused = "vantrelctl: the emulated device's memory file " + name;
        refused.append(" ").append(fault).append("\n");
        for (const std::string command : {" write a.cfg", " read -o r.cfg"}) {
            EXPECT_EQ(run(device + command), (ToolResult{1, "", refused}));
        }
    }
    EXPECT_EQ(read("short.bin"), "short") << "a write leaves a memory file it refuses alone";
    EXPECT_FALSE(fs::exists(folder / "r.cfg")) << "nothing read, nothing saved";
}

TEST_F(Vantrelctl, RefusalsSayOneLineWithoutWaitingAndTouchNothing) {
    ASSERT_EQ(mkfifo(path("fifo").c_str(), 0600), 0);
    write("a.cfg", EmptyDocument);
    write("unknown.json", R"({"format": "vantrel-configuration", "version": 1,
        "inputs": [{"input": 1, "single": {"type": "key", "code": "Fo"}}]})");
    write("long.cfg", std::string(DeviceImageSize + 1, '\0'));
    write("empty.cfg", "");
    write("kept.cfg", "what was there");
    write("huge.json", "{" + std::string(std::size_t{1024} * 1024, ' ') + "}");
    const std::string unreadable = "Error opening the file: fifo: is not a regular file";
    // Every command that reads a configuration file reads it as show and
    // diff do; write reads it its own way; saving: one target for each of
    // the two ways a file is written. Each command, its status and what it
    // says after "vantrelctl: ".
    std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"import unknown.json -o kept.cfg", 1,
         R"(unknown.json: inputs[0] (input 1).single.code: unknown key name "Fo"; did you mean "F", "O" or "F1"? (vantrelctl names keys lists them all))"},
        {"import long.cfg -o kept.cfg", 1, "long.cfg: Invalid configuration file"},
        {"import empty.cfg -o kept.cfg", 1, "empty.cfg: Error: Invalid configuration file"},
        {"show fifo", 1, unreadable},
        {"check huge.json", 2, "huge.json: too large to be a configuration"},
        {"diff a.cfg fifo", 2, unreadable},
        {"--device emulated:memory.bin write fifo", 1, unreadable},
        {"import a.cfg -o fifo", 1, "Error saving file: fifo: is not a regular file"},
        {"export a.cfg -o /dev/null", 1, "Error saving file: /dev/null: is not a regular file"},
    };
    // Root may replace the file, but /proc makes no new ones; in a user
    // namespace (a build chroot) even root may not write it.
    if (::access("/proc/version", W_OK) == 0) {
        cases.emplace_back("export a.cfg -o /proc/version", 1,
                           "Error saving file: /proc/version: no temporary file can be made "
                           "beside it: No such file or directory");
    }
    for (const auto& [line, status, said] : cases) {
        EXPECT_EQ(run(line), (ToolResult{status, "", "vantrelctl: " + said + "\n"}));
    }
    EXPECT_EQ(read("kept.cfg"), "what was there");
    EXPECT_EQ(files(), (std::set<std::string>{"a.cfg", "empty.cfg", "fifo", "huge.json", "kept.cfg",
                                              "long.cfg", "unknown.json"}));
    EXPECT_TRUE(fs::is_fifo(folder / "fifo"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(Vantrelctl, FailsWhenStandardOutputCannotBeWritten) {
    write("a.json", EmptyDocument);
    // Each command and its status when what it says is lost.
    for (const auto& [command, status] :
         std::vector<std::pair<std::string, int>>{{"show", 1}, {"export", 1}, {"check", 2}}) {
        EXPECT_EQ(run(command + " a.json", "/dev/full").status, status) << command;
        EXPECT_EQ(run(command + " a.json", ClosedOutput).status, status) << command << " closed";
    }
    // With nothing to say on success, a closed output loses nothing.
    EXPECT_EQ(run("import a.json -o a.cfg", ClosedOutput).status, 0);
    EXPECT_EQ(read("a.cfg").size(), DeviceImageSize);
}

// How the link itself fails is worded the same for every device (UsbToolTest).
TEST_F(Vantrelctl, ADeviceThatIsGoneOrNeverWrittenIsOneLine) {
    writeImage("a.cfg", Configuration{});
    EmulatedDevice gone;
    gone.setUnplugged(true);
    EXPECT_EQ(runHere({"write", path("a.cfg")}, gone),
              (ToolResult{1, "", "vantrelctl: no VANTREL is attached\n"}));
    EXPECT_EQ(run("--device emulated:fresh.bin read -o read.cfg"),
              (ToolResult{1, "",
                          "vantrelctl: the emulated device's memory file fresh.bin does "
                          "not exist\n"}));
    EXPECT_FALSE(fs::exists(folder / "read.cfg")) << "nothing read, nothing saved";
    EXPECT_FALSE(fs::exists(folder / "fresh.bin.lock")) << "nor a lock file";
}

TEST_F(Vantrelctl, VerifyCatchesADeviceChangedBehindItsBack) {
    Configuration config;
    encodeSingleKey(KeyTypeKeyboard, KeyA, 0, config.input(0));
    writeImage("a.cfg", config);
    EmulatedDevice device;
    // Input 1's first key: the key byte of the entry at address 0.
    const ToolResult result = runHere({"write", path("a.cfg"), "--verify"}, device,
                                      [&device] { device.memory().at(1) = KeyB; });
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(
        result.err.find("vantrelctl: verify: the device does not hold what was written: Input 1: "),
        std::string::npos)
        << result.err;
    EXPECT_EQ(result.out, "");
}

TEST_F(Vantrelctl, DrawsOneBarInPlaceOnATerminal) {
    writeImage("a.cfg", Configuration{});
    EmulatedDevice device;
    const ToolResult result = runHere({"write", path("a.cfg"), "--no-verify"}, device, {},
                                      [](Console& console) { console.errIsTerminal = true; });
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.err.rfind("\rWriting [------------------------------] 0%  ", 0), 0U)
        << result.err;
    EXPECT_TRUE(result.err.ends_with("\rWriting [##############################] 100%  \n"))
        << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line, redrawn";
}

} // namespace
} // namespace vantrel::cli
