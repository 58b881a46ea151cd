#include "ConfigurationFile.h"
#include "ModelBuilders.h"
#include "ToolRunner.h"
#include "describeMacro.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace vantrel::cli {
namespace {

using namespace vantrel::testing;
using namespace vantrel::cli::testing;

constexpr std::uint8_t KeyA = 4;
constexpr std::uint8_t KeyB = 5;

const std::string MinimalJson = R"({"format": "vantrel-configuration", "version": 1})";

class Vantrelctl : public ::testing::Test {
protected:
    ToolResult run(const std::vector<std::string>& args) const {
        return runTool(args, folder_.path());
    }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    DeviceImage writeImage(const std::string& name, const Configuration& config,
                           const DeviceSettings& settings = {}) const {
        DeviceImage image{};
        EXPECT_TRUE(buildDeviceImage(image, config, settings));
        EXPECT_TRUE(writeConfigurationFile(path(name), image).ok());
        return image;
    }

    std::string bytesOf(const std::string& name) const { return readFile(folder_ / name); }

    void write(const std::string& name, const std::string& bytes) const {
        writeFile(folder_ / name, bytes);
    }

    std::vector<std::string> files() const { return folder_.fileNames(); }

    static std::string bytesOf(const DeviceImage& image) { return {image.begin(), image.end()}; }

private:
    TemporaryFolder folder_;
};

TEST_F(Vantrelctl, RoundTripsRandomFilesThroughJsonByteForByte) {
    std::mt19937 random(7177);
    for (int round = 0; round < 8; ++round) {
        const DeviceImage image =
            writeImage("original.cfg", randomConfiguration(random), randomSettings(random));

        const ToolResult exported = run({"export", "original.cfg", "-o", "readable.json"});
        ASSERT_EQ(exported.status, 0) << exported.err;
        EXPECT_EQ(run({"export", "original.cfg"}).out, bytesOf("readable.json"))
            << "standard output and -o give the same text";
        const ToolResult imported = run({"import", "readable.json", "-o", "back.cfg"});
        ASSERT_EQ(imported.status, 0) << imported.err;

        ASSERT_EQ(bytesOf("back.cfg"), bytesOf(image)) << "round " << round;
    }
}

/// "Input 7  Single Key  A" split at its runs of two or more spaces.
std::vector<std::string> columns(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t gap = line.find("  ", start);
        cells.push_back(line.substr(start, gap - start));
        if (gap == std::string::npos) {
            break;
        }
        start = line.find_first_not_of(' ', gap);
    }
    return cells;
}

TEST_F(Vantrelctl, ShowsEveryInputAsTheMainWindowWouldAfterOpeningTheFile) {
    std::mt19937 random(4242);
    Configuration config = randomConfiguration(random);
    encodeSingleKey(KeyTypeKeyboard, KeyA, OperatorCtrl | OperatorKeyRepeat, config.input(0));
    config.input(1) = InputMacro{};
    config.rotaryKey(0) = {82, OperatorShift};
    DeviceImage image = writeImage("cabinet.cfg", config);
    Configuration opened;
    DeviceSettings settings;
    ASSERT_EQ(loadDeviceImage(image, opened, settings), ImageLoadResult::Complete);

    const ToolResult shown = run({"show", "cabinet.cfg"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    std::istringstream lines(shown.out);
    std::string line;
    std::size_t modeColumn = std::string::npos;
    for (int i = 0; i < InputCount; ++i) {
        ASSERT_TRUE(std::getline(lines, line));
        const InputMacro& macro = opened.input(i);
        const bool single = isSingleKeyAssignment(macro);
        EXPECT_EQ(columns(line), (std::vector<std::string>{"Input " + std::to_string(i + 1),
                                                           single ? "Single Key" : "Macro Sequence",
                                                           describeMacro(single, macro)}));
        const std::size_t column = line.find(single ? "Single Key" : "Macro Sequence");
        EXPECT_EQ(column, modeColumn == std::string::npos ? column : modeColumn) << line;
        modeColumn = column;
    }
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "") << "a blank line before the settings";
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(columns(line), (std::vector<std::string>{"Rotary Switch 1 Counterclockwise Movement",
                                                       "[shift] Up Arrow"}));
    const std::string last = shown.out.substr(shown.out.rfind('\n', shown.out.size() - 2) + 1);
    EXPECT_EQ(columns(last), (std::vector<std::string>{"Configuration size",
                                                       std::to_string(configurationSize(opened)) +
                                                           " of 4032 bytes\n"}));
}

struct RefusedFile {
    const char* name;
    std::string bytes;
    std::string message; ///< the error line after the file's name
};

TEST_F(Vantrelctl, RefusedFilesGiveOneLineAndLeaveTheOutputAlone) {
    const std::vector<RefusedFile> cases = {
        {"importer fault",
         R"({"format": "vantrel-configuration", "version": 1, "inputs": [{"input": 1, "single": {"type": "key", "code": "Fo"}}]})",
         R"(inputs[0].single.code: unknown key name "Fo")"},
        {"not JSON after all", "{ \"format\": vantrel }",
         "not valid JSON: parse error at line 1, column 13: syntax error while parsing value - "
         "invalid literal; last read: '\"format\": v'"},
        {"one byte over the image size", std::string(DeviceImageSize + 1, '\0'),
         "Invalid configuration file"},
        {"empty file", "", "Error: Invalid configuration file"},
    };
    for (const RefusedFile& c : cases) {
        write("source", c.bytes);
        write("kept.cfg", "what was there");
        const ToolResult overwrite = run({"import", "source", "-o", "kept.cfg"});
        EXPECT_EQ(overwrite.status, 1) << c.name;
        EXPECT_EQ(overwrite.err, "vantrelctl: source: " + c.message + "\n") << c.name;
        EXPECT_EQ(bytesOf("kept.cfg"), "what was there") << c.name;

        EXPECT_EQ(run({"import", "source", "-o", "new.cfg"}).status, 1) << c.name;
        EXPECT_EQ(files(), (std::vector<std::string>{"kept.cfg", "source"})) << c.name;
    }
}

TEST_F(Vantrelctl, SaysWhenAFileCannotBeOpened) {
    const ToolResult shown = run({"show", "missing.cfg"});
    EXPECT_EQ(shown.status, 1);
    EXPECT_EQ(shown.err,
              "vantrelctl: Error opening the file: missing.cfg: No such file or directory\n");
}

TEST_F(Vantrelctl, ReadsAnImageThatLooksLikeJsonAtFirstAsAnImage) {
    // Input 1 presses key 123 ("{") with repeat choice 4: the image starts
    // with a blank and "{".
    Configuration config;
    config.input(0) = macroOf({keyDown(0x7B)}, {}, 4);
    const DeviceImage image = writeImage("brace.cfg", config);
    ASSERT_EQ(bytesOf("brace.cfg").substr(0, 2), " {");

    const ToolResult shown = run({"show", "brace.cfg"});
    EXPECT_EQ(shown.status, 0) << shown.err;
    ASSERT_EQ(run({"export", "brace.cfg", "-o", "brace.json"}).status, 0);
    ASSERT_EQ(run({"import", "brace.json", "-o", "back.cfg"}).status, 0);
    EXPECT_EQ(bytesOf("back.cfg"), bytesOf(image));
}

TEST_F(Vantrelctl, DiffComparesAFileWithItsJsonFormAndNamesEachChange) {
    Configuration config;
    encodeSingleKey(KeyTypeKeyboard, KeyA, 0, config.input(4));
    writeImage("a.cfg", config);
    ASSERT_EQ(run({"export", "a.cfg", "-o", "a.json"}).status, 0);
    const ToolResult same = run({"diff", "a.cfg", "a.json"});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");

    encodeSingleKey(KeyTypeKeyboard, KeyB, OperatorShift, config.input(4));
    DeviceSettings settings;
    settings.Rotary[1].Divisor = 2;
    writeImage("b.cfg", config, settings);
    const ToolResult changed = run({"diff", "a.json", "b.cfg"});
    EXPECT_EQ(changed.status, 1);
    EXPECT_EQ(changed.out, "Input 5: Single Key A -> Single Key [shift] B\n"
                           "Rotary Switch 2 Divisor: 1 -> 4\n");

    EXPECT_EQ(run({"diff", "a.cfg", "missing.cfg"}).status, 2);
}

struct UsageCase {
    std::vector<std::string> args;
    std::string message;
};

TEST_F(Vantrelctl, UsageErrorsEndWithStatusTwoBeforeTouchingAnything) {
    write("a.cfg", MinimalJson);
    const std::vector<UsageCase> cases = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command \"frobnicate\""},
        {{"show"}, "usage: vantrelctl [--device DEVICE] show FILE"},
        {{"import", "a.cfg"}, "usage: vantrelctl [--device DEVICE] import FILE -o OUT"},
        {{"diff", "a.cfg"}, "usage: vantrelctl [--device DEVICE] diff A B"},
        {{"read", "-o", "x", "-o", "y"}, "-o is given twice"},
        {{"read", "-o"}, "-o needs a value"},
        {{"show", "a.cfg", "-o", "x"},
         "show takes no -o; usage: vantrelctl [--device DEVICE] show FILE"},
        {{"export", "a.cfg", "--verify"},
         "--verify and --backup belong to write; usage: vantrelctl [--device DEVICE] export FILE "
         "[-o OUT]"},
        {{"--device", "usb:1", "read", "-o", "x"},
         "unknown device \"usb:1\" (expected emulated:PATH)"},
        {{"--device", "emulated:", "devices"},
         "unknown device \"emulated:\" (expected emulated:PATH)"},
        {{"show", "a.cfg", "--force"}, "unknown option \"--force\""},
    };
    for (const UsageCase& c : cases) {
        const ToolResult result = run(c.args);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_EQ(result.err.substr(0, result.err.find('\n')), "vantrelctl: " + c.message);
    }
    EXPECT_EQ(files(), std::vector<std::string>{"a.cfg"});
}

TEST_F(Vantrelctl, WritesIntoTheEmulatedDeviceAndReadsItBack) {
    Configuration first;
    encodeSingleKey(KeyTypeMouse, 2, 0, first.input(0));
    first.input(9) = macroOf({keyDown(KeyA), delay(9), keyUp(KeyA)}, {}, 3);
    const DeviceImage firstImage = writeImage("first.cfg", first);
    Configuration second;
    second.rotaryKey(2) = {KeyB, OperatorAlt};
    const DeviceImage secondImage = writeImage("second.cfg", second);
    const std::string device = "--device=emulated:" + path("memory.bin");

    const ToolResult written = run({device, "write", "first.cfg", "--verify"});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "The configuration was successfully saved to the device\n"
                           "Verified: the device holds the configuration that was written\n");

    const ToolResult backedUp = run({device, "write", "second.cfg", "--backup", "backup.cfg"});
    ASSERT_EQ(backedUp.status, 0) << backedUp.err;
    EXPECT_EQ(bytesOf("backup.cfg"), bytesOf(firstImage));

    const ToolResult read = run({device, "read", "-o", "read.cfg"});
    ASSERT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out, "The configuration was successfully read from the device\n");
    EXPECT_EQ(bytesOf("read.cfg"), bytesOf(secondImage));
}

TEST_F(Vantrelctl, ShowsProgressAsPlainLinesWhenStandardErrorIsAFile) {
    writeImage("empty.cfg", Configuration{});
    const ToolResult written = run({"--device", "emulated:memory.bin", "write", "empty.cfg"});
    ASSERT_EQ(written.status, 0);
    // 27 data blocks of an empty configuration's 214 bytes: a line at the first
    // block of every new tenth, then the end.
    EXPECT_EQ(written.err, "Writing: 0%\nWriting: 11%\nWriting: 22%\nWriting: 30%\nWriting: 41%\n"
                           "Writing: 52%\nWriting: 60%\nWriting: 71%\nWriting: 82%\nWriting: 90%\n"
                           "Writing: 100%\n");
}

TEST_F(Vantrelctl, AFailedReadLeavesNoFileBehind) {
    // A device that was never written holds no valid configuration.
    const ToolResult read = run({"--device", "emulated:fresh.bin", "read", "-o", "read.cfg"});
    EXPECT_EQ(read.status, 1);
    EXPECT_NE(read.err.find("vantrelctl: Error: Invalid configuration file\n"), std::string::npos)
        << read.err;

    writeImage("mine.cfg", Configuration{});
    const ToolResult write =
        run({"--device", "emulated:fresh.bin", "write", "mine.cfg", "--backup", "backup.cfg"});
    EXPECT_EQ(write.status, 1);
    EXPECT_NE(write.err.find("vantrelctl: backup: Error: Invalid configuration file\n"),
              std::string::npos)
        << write.err;
    EXPECT_EQ(run({"--device", "emulated:fresh.bin", "read", "-o", "read.cfg"}).status, 1)
        << "nothing was written after the backup failed";
    EXPECT_EQ(files(), (std::vector<std::string>{"fresh.bin", "mine.cfg"}));
}

TEST_F(Vantrelctl, ListsTheEmulatedDevice) {
    const ToolResult listed = run({"--device", "emulated:memory.bin", "devices"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, "emulated:memory.bin  device emulator\n");

    write("memory.bin", "short");
    const ToolResult broken = run({"--device", "emulated:memory.bin", "devices"});
    EXPECT_EQ(broken.out, "emulated:memory.bin  device emulator  (cannot be opened: its memory "
                          "file is not 4096 bytes long)\n");
}

} // namespace
} // namespace vantrel::cli
