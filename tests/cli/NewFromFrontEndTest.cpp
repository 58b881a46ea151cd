#include "tests/cli/InProcessRun.h"
#include "tests/support/TemporaryFolder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace vantrel::cli {
namespace {

using namespace vantrel::testing;

class NewFromFrontEnd : public ::testing::Test {
protected:
    static std::string frontEndFile(const std::string& name) {
        return std::string(VANTREL_FRONT_END_FILES) + "/" + name;
    }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    TemporaryFolder folder;
};

TEST_F(NewFromFrontEnd, WritesALayoutThatPassesCheckAndNotesEveryBindLeftOut) {
    for (const auto& [from, file, notes] :
         {std::tuple{"retroarch", "retroarch.cfg", 6}, {"mame", "panel.cfg", 9}}) {
        const ToolResult made =
            runInProcess({"new", "--from", from, frontEndFile(file), "-o", path(file)}, {});
        ASSERT_EQ(made.status, 0) << made.err;
        EXPECT_EQ(std::count(made.err.begin(), made.err.end(), '\n'), notes) << made.err;
        const ToolResult checked = runInProcess({"check", path(file)}, {});
        EXPECT_EQ(checked.status, 0) << checked.out;
    }
    const ToolResult panel = runInProcess(
        {"new", "--from", "mame", frontEndFile("panel.cfg"), "--players", "1", "-o", "-"}, {});
    EXPECT_NE(panel.err.find("vantrelctl: note: " + frontEndFile("panel.cfg") +
                             ":11: P1 Button 1 (P1_BUTTON1): JOYCODE_1_BUTTON1 is no keyboard "
                             "key; takes KEYCODE_LCONTROL\n"),
              std::string::npos)
        << panel.err;
    EXPECT_EQ(panel.out.find("\"P2 "), std::string::npos) << "one player";
}

TEST_F(NewFromFrontEnd, RefusesWordsAndFilesThatGiveNoLayout) {
    const std::string out = path("x.json");
    const std::string panel = frontEndFile("panel.cfg");
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> cases = {
        {{"new", "--from", "mame", "-o", out}, 2, "usage: vantrelctl"},
        {{"new", panel, "-o", out}, 2, "usage: vantrelctl"},
        {{"new", "--layout", "blank", "--from", "mame", panel, "-o", out}, 2, "not both"},
        {{"new", "--players", "2", "-o", out}, 2, "--players belongs to new --from"},
        {{"check", panel, "--from", "mame"}, 2, "--from belongs to new"},
        {{"new", "--from", "nes", panel, "-o", out}, 2, "no such front end (retroarch or mame)"},
        {{"new", "--from", "mame", panel, "--players", "5", "-o", out}, 2, "from 1 to 4"},
        {{"new", "--from", "mame", path("none.cfg"), "-o", out}, 1, "Error opening the file"},
        {{"new", "--from", "retroarch", panel, "-o", out},
         1,
         panel + ":1: not a setting (NAME = VALUE)"},
    };
    for (const auto& [args, status, words] : cases) {
        const ToolResult run = runInProcess(args, {});
        EXPECT_EQ(run.status, status) << args.at(1);
        EXPECT_NE(run.err.find(words), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

} // namespace
} // namespace vantrel::cli
