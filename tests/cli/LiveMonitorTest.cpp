#include "tests/cli/InProcessRun.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/evdev/ScriptedEvdev.h"

#include <fstream>
#include <gtest/gtest.h>

// The live monitor over libevdev's library replaced by scripted event
// devices: a session read live answers as its recording does.
namespace vantrel::cli {
namespace {

using namespace vantrel::testing;

const std::filesystem::path Examples = VANTREL_EXAMPLES;

/// The lines about `encoder`, in order, and the summary after them.
std::string linesOf(const std::string& out, const std::string& encoder) {
    std::string kept;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        if (line.find("usb:1-") == std::string::npos || line.find(encoder) != std::string::npos) {
            kept += line + "\n";
        }
    }
    return kept;
}

TEST(LiveMonitor, AnswersTwoEncodersWithAnOverflowAsTheirRecordingsDo) {
    const TemporaryFolder folder;
    const std::string keyboard = (Examples / "two-player-cabinet.evemu").string();
    const std::string mouse = (Examples / "two-player-cabinet-mouse.evemu").string();
    const std::string config = (Examples / "two-player-cabinet.cfg").string();
    // The kernel loses the press of the third input; the resynchronisation
    // brings it back before its release.
    const ScriptedEvdev evdev(
        folder / "system",
        {{"1-4", recordedEvents(keyboard), {}, 4}, {"1-5", recordedEvents(mouse)}},
        SessionEnd::Interrupt);

    const ToolResult live = runInProcess({"monitor", "--config", config, "--config", config}, {},
                                         [&evdev](Console& console) {
                                             console.sysfsRoot = evdev.sysfsRoot();
                                             console.inputRoot = evdev.deviceRoot();
                                         });
    const ToolResult replayed =
        runInProcess({"monitor", "--device", "usb:1-4", "--device", "usb:1-5", "--events", keyboard,
                      "--events", mouse, "--config", config, "--config", config},
                     {});
    ASSERT_EQ(live.status, 0) << live.err;
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    std::string answered = live.out;
    for (const auto& [node, recording] :
         {std::pair{evdev.node(0).string(), keyboard}, std::pair{evdev.node(1).string(), mouse}}) {
        for (std::size_t at = 0; (at = answered.find(node, at)) != std::string::npos;) {
            answered.replace(at, node.size(), recording);
        }
    }
    for (const char* encoder : {"usb:1-4", "usb:1-5"}) {
        EXPECT_EQ(linesOf(answered, encoder), linesOf(replayed.out, encoder)) << encoder;
    }
}

} // namespace
} // namespace vantrel::cli
