#include "cli/CommandLineText.h"
#include "files/ConfigurationFile.h"
#include "files/PathText.h"
#include "model/DeviceImage.h"
#include "tests/cli/InProcessRun.h"
#include "tests/support/LimitConfiguration.h"
#include "tests/support/ModelBuilders.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <tuple>

namespace vantrel::cli {
namespace {

using namespace vantrel::testing;

std::string document(const std::string& fields) {
    return R"({"format": "vantrel-configuration", "version": 1, )" + fields + "}";
}

class CheckAndCard : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (folder / name).string(); }

    static ToolResult run(const std::vector<std::string>& args) { return runInProcess(args, {}); }

    TemporaryFolder folder;
};

TEST_F(CheckAndCard, CheckFailsOnMistakesAndNotesOnlyUnderStrictAndCountsIntendedNotes) {
    const std::string ctrlA = R"("single": {"type": "key", "code": "A", "modifiers": ["ctrl"]})";
    const std::string twice = R"("inputs": [{"input": 1, "label": "P1 Start", )" + ctrlA +
                              R"(}, {"input": 2, "label": "P2 Start", )" + ctrlA + "}]";
    writeFile(folder / "clean.json",
              document(R"("inputs": [{"input": 1, "label": "P1 Start", )" + ctrlA + "}]"));
    writeFile(folder / "twice.json", document(twice));
    writeFile(folder / "intended.json",
              document(twice + R"(, "intended": [{"finding": "same-action", "inputs": [2, 1]}])"));
    writeFile(folder / "stuck.json",
              document(R"("inputs": [{"input": 1, "macro": {"activation": )"
                       R"([{"action": "press", "type": "key", "code": "A"}]}}])"));
    writeFile(folder / "broken.json", document(R"("inputs": 5)"));
    const std::string note = "note: Input 1 (P1 Start) and Input 2 (P2 Start) both send [ctrl] A: "
                             "a game sees one control, and the monitor names them together\n";

    // Each file with check's options, its status and what it prints.
    const std::vector<std::tuple<std::string, std::string, int, std::string>> cases = {
        {"clean.json", "", 0, "222 of 4032 bytes (5 %)\n"},
        {"twice.json", "", 0, note + "228 of 4032 bytes (5 %)\n"},
        {"twice.json", "--strict", 1, note + "228 of 4032 bytes (5 %)\n"},
        {"intended.json", "--strict", 0,
         "1 note about shares the file marks as intended not shown\n228 of 4032 bytes (5 %)\n"},
        {"stuck.json", "", 1,
         "Input 1: A is pressed and never released\n216 of 4032 bytes (5 %)\n"},
        {"broken.json", "", 2, ""},
    };
    for (const auto& [file, option, status, out] : cases) {
        std::vector<std::string> args = {"check", path(file)};
        if (!option.empty()) {
            args.push_back(option);
        }
        const ToolResult checked = run(args);
        EXPECT_EQ(checked.status, status) << file << option << checked.err;
        EXPECT_EQ(checked.out, out) << file << option;
        EXPECT_EQ(checked.err.empty(), status != 2) << file << checked.err;
    }
}

// The device holds 4032 bytes of table; the windows count 2 more (input 1
// empty takes no entry on the device but one in their count), so they refuse
// every new assignment. Every command says the same.
TEST_F(CheckAndCard, EveryCommandAgreesAtTheSizeBoundary) {
    Configuration config = configurationAtTheLimit();
    config.input(0) = InputMacro{};
    for (int n = 10; n <= 28; ++n) {
        config.input(1).step(n, Activation) = {KeyTypeKeyboard, 5, true};
    }
    const DeviceImage image = imageOf(config);
    ASSERT_TRUE(writeConfigurationFile(folder / "full.cfg", image).ok());
    const std::string finding =
        "The device holds this configuration, but the configuration window counts 4034 bytes, "
        "more than 4032, and accepts no new assignment until 2 bytes are freed";
    const std::string size = "4032 of 4032 bytes (100 %)";

    const ToolResult checked = run({"check", path("full.cfg")});
    EXPECT_EQ(checked.status, 1);
    EXPECT_TRUE(checked.out.ends_with("\n" + finding + "\n" + size + "\n"));
    EXPECT_NE(run({"show", path("full.cfg")}).out.find(size), std::string::npos);
    const ToolResult card = run({"card", path("full.cfg")});
    EXPECT_NE(card.out.find(finding), std::string::npos);
    EXPECT_EQ(card.out.find(finding), card.out.rfind(finding)) << "told once";
    EXPECT_EQ(card.out.find("Nothing found."), std::string::npos);
    EXPECT_EQ(card.err, "vantrelctl: warning: " + path("full.cfg") + ": " + finding + "\n");
    ASSERT_EQ(run({"export", path("full.cfg"), "-o", path("full.json")}).status, 0);
    const ToolResult imported = run({"import", path("full.json"), "-o", path("again.cfg")});
    EXPECT_EQ(imported.status, 0);
    // Import tells everything check finds (this table's macros are far from
    // tidy), the size last, as check does.
    EXPECT_TRUE(imported.err.ends_with("vantrelctl: warning: " + path("full.json") + ": " +
                                       finding + "\n"));
}

// Names outside ASCII, and outside any one Windows code page, are read and
// told as the UTF-8 they came in.
TEST_F(CheckAndCard, FileNamesAreUtf8OnEverySystem) {
    const std::string name = "Kabinett \xCE\xA9 \xC3\xA9";
    const std::string base = utf8Text(folder.path) + "/" + name;
    writeFile(pathFromUtf8(base + ".json"), document(R"("inputs": [])"));

    EXPECT_EQ(run({"import", base + ".json", "-o", base + ".cfg"}).status, 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(pathFromUtf8(base + ".cfg")));
    EXPECT_NE(
        run({"card", base + ".cfg"}).out.find("<title>Control card: " + name + ".cfg</title>"),
        std::string::npos);
    EXPECT_EQ(run({"show", base + ".gone"}).err,
              "vantrelctl: Error opening the file: " + base + ".gone: No such file or directory\n");
#ifndef _WIN32
    // Any bytes make a name here; the page stays UTF-8 all the same.
    const std::string invalid = utf8Text(folder.path) + "/odd \xFF\xC3.cfg";
    EXPECT_EQ(run({"import", base + ".json", "-o", invalid}).status, 0);
    EXPECT_NE(
        run({"card", invalid}).out.find("<title>Control card: odd \xEF\xBF\xBD\xEF\xBF\xBD.cfg<"),
        std::string::npos);
#endif
}

#ifdef _WIN32
TEST(CommandLineText, WideArgumentsBecomeUtf8) {
    EXPECT_EQ(utf8FromWide(L"Kabinett \u03A9 \u00E9"), "Kabinett \xCE\xA9 \xC3\xA9");
    EXPECT_EQ(utf8FromWide(L""), "");
}
#endif

} // namespace
} // namespace vantrel::cli
