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

// Which binds a file leaves out is the layouts' test; the tool says each.
TEST_F(NewFromFrontEnd, WritesALayoutThatPassesCheckAndNotesEveryBindLeftOut) {
    const ToolResult panel = runInProcess({"new", "--from", "mame", frontEndFile("panel.cfg"),
                                           "--players", "1", "-o", path("p.json")},
                                          {});
    ASSERT_EQ(panel.status, 0) << panel.err;
    EXPECT_EQ(std::count(panel.err.begin(), panel.err.end(), '\n'), 9) << panel.err;
    EXPECT_NE(panel.err.find("vantrelctl: note: " + frontEndFile("panel.cfg") +
                             ":11: P1 Button 1 (P1_BUTTON1): JOYCODE_1_BUTTON1 is no keyboard "
                             "key; takes KEYCODE_LCONTROL\n"),
              std::string::npos)
        << panel.err;
    EXPECT_EQ(runInProcess({"check", path("p.json")}, {}).status, 0);
    EXPECT_EQ(contentsOf(folder / "p.json").find("\"P2 "), std::string::npos) << "one player";
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
