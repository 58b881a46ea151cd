#include "cli/Commands.h"
#include "device/DeviceLock.h"
#include "device/EmulatedDevice.h"
#include "files/ConfigurationFile.h"
#include "model/EchoedText.h"
#include "monitor/EvemuRecording.h"
#include "tests/cli/ToolRun.h"
#include "tests/support/ModelBuilders.h"
#include "tests/support/TemporaryFolder.h"

#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// What only separate processes show: a reader that goes away in the middle
// of a write, and two programs on one device at once.
namespace vantrel {
namespace {

using namespace vantrel::testing;

class ToolSafety : public ::testing::Test {
protected:
    /// A configuration with `key` on input `key`; a large one, whose
    /// transfers take long enough to overlap, when `fill` is set.
    std::string saveImage(const std::string& name, std::uint8_t key, bool fill = false) const {
        Configuration config;
        for (int input = 0; fill && input < 100 && encodedTableLength(config) < 3600; ++input) {
            config.input(input) = fullMacro();
        }
        encodeSingleKey(KeyTypeKeyboard, key, 0, config.input(key));
        const DeviceImage image = imageOf(config);
        EXPECT_TRUE(writeConfigurationFile(folder / name, image).ok());
        return {image.begin(), image.end()};
    }
    ToolResult run(const std::vector<std::string>& args,
                   const std::string& in = "/dev/null") const {
        return runTools(folder, {args}, {}, in).front();
    }
    /// An emulated device's memory that holds `image`.
    static std::string memoryHolding(const std::string& image) {
        std::string memory(EmulatedDevice::MemorySize, '\0');
        return memory.replace(0, DeviceImageSize, image);
    }
    /// What the device holds now, read by the tool.
    std::string deviceHolds() const {
        const ToolResult read = run({device, "read", "-o", "held.cfg"});
        EXPECT_EQ(read.status, 0) << read.err;
        return contentsOf(folder / "held.cfg");
    }

    TemporaryFolder folder;
    std::string memory = "memory.bin";
    std::string device = "--device=emulated:" + memory;
};

TEST_F(ToolSafety, AReaderThatHasGoneLetsTheWriteAndItsVerifyFinishThenFails) {
    const std::string image = saveImage("a.cfg", 4);
    std::array<int, 2> pipe{};
    ASSERT_EQ(::pipe(pipe.data()), 0);
    ::close(pipe[0]); // the reader is gone before the first line
    // As a shell starts it: SIGPIPE at its default, which the shell cannot restore.
    std::signal(SIGPIPE, SIG_DFL);
    const ToolResult write =
        runTools(folder, {{device, "write", "a.cfg"}}, "&" + std::to_string(pipe[1])).front();
    ::close(pipe[1]);
    EXPECT_EQ(write.status, 1) << "the status of lost output, not SIGPIPE's 141";
    EXPECT_EQ(deviceHolds(), image);
}

TEST_F(ToolSafety, ASecondProgramWaitsForTheFirstThenGivesUpSayingWhy) {
    const std::string image = saveImage("a.cfg", 4);
    const DeviceLock otherProgram = DeviceLock::take(emulatorLockFile(folder / memory));
    ASSERT_EQ(otherProgram.outcome(), DeviceLock::Outcome::Held);
    const std::vector<ToolResult> runs =
        runTools(folder, {{device, "read", "-o", "b.cfg"}, {"show", device}});
    const std::string busy = "vantrelctl: waiting for another program to finish with the device "
                             "(up to 5 seconds)\nvantrelctl: the device is in use by another "
                             "program\n";
    EXPECT_EQ(runs[0].status, 1);
    EXPECT_EQ(runs[0].err, busy);
    EXPECT_EQ(runs[1].status, 1);
    EXPECT_EQ(runs[1].err, busy) << "a device read in place of a file waits as well";
    EXPECT_FALSE(std::filesystem::exists(folder / "b.cfg"));
}

TEST_F(ToolSafety, TwoWritesAtOnceEachEndVerifiedOrBusyAndTheDeviceHoldsOneOfThem) {
    const std::array<std::string, 2> images = {saveImage("a.cfg", 4, true),
                                               saveImage("b.cfg", 5, true)};
    for (int round = 0; round < 20; ++round) {
        for (const ToolResult& run :
             runTools(folder, {{device, "write", "a.cfg"}, {device, "write", "b.cfg"}})) {
            const bool verified = run.out.ends_with(
                "Verified: the device holds the configuration that was written\n");
            const bool busy = run.err.ends_with("the device is in use by another program\n");
            EXPECT_TRUE((run.status == 0 && verified) || (run.status == 1 && busy))
                << "round " << round << ", status " << run.status << ":\n"
                << run.err;
        }
        const std::string held = deviceHolds();
        EXPECT_TRUE(held == images[0] || held == images[1]) << "round " << round;
    }
}

// However an output is named (a link, a second name, a standard stream the
// shell opened, which no name on the command line shows), it is refused when
// it is an input or one of the device's files, before anything is touched.
TEST_F(ToolSafety, AnOutputThatIsAnInputOrTheDevicesFileIsRefusedBeforeAnythingIsTouched) {
    writeFile(folder / memory, memoryHolding(saveImage("c.cfg", 5)));
    writeFile(folder / "c.json", R"({"format": "vantrel-configuration", "version": 1})");
    writeFile(folder / "blank.bin", std::string(EmulatedDevice::MemorySize, '\0'));
    std::filesystem::create_symlink("c.json", folder / "link.json");
    std::filesystem::create_hard_link(folder / "c.json", folder / "hard.json");
    const std::vector<std::string> files = {"c.cfg", "c.json", memory, "blank.bin"};
    const auto contents = [&] {
        std::vector<std::string> held;
        held.reserve(files.size());
        for (const std::string& file : files) {
            held.push_back(contentsOf(folder / file));
        }
        return held;
    };
    const std::vector<std::string> before = contents();
    const std::string same = " is the same file as ";
    const std::string input = same + "the input ";
    const std::string in = same + "standard input";
    const std::string memoryFile = same + "the emulated device's memory file memory.bin";
    const std::string lockFile = same + "the emulated device's lock file memory.bin.lock";
    const std::string on = device + " ";
    const std::string blank = "--device=emulated:blank.bin ";
    struct Case {
        std::string line, in, out, err; ///< the streams: "" for /dev/null; ">NAME" appends
        std::string said;               ///< after "vantrelctl: ", when standard error is no file
    };
    const std::vector<Case> cases = {
        {"write c.json --backup c.json", "", "", "", "--backup c.json" + input + "c.json"},
        {"card c.json -o link.json", "", "", "", "-o link.json" + input + "c.json"},
        {"import link.json -o ./c.json", "", "", "", "-o ./c.json" + input + "link.json"},
        {"export c.json -o hard.json", "", "", "", "-o hard.json" + input + "c.json"},
        {on + "read -o ./memory.bin", "", "", "", "-o ./memory.bin" + memoryFile},
        {"--device=emulated:fresh.bin write c.cfg --backup fresh.bin", "", "", "",
         "--backup fresh.bin" + same + "the emulated device's memory file fresh.bin"},
        {on + "read -o memory.bin.lock", "", "", "", "-o memory.bin.lock" + lockFile},
        {"card - -o c.json", "c.json", "", "", "-o c.json" + in},
        {"import - -o /dev/stdin", "c.json", "", "", "-o /dev/stdin" + in},
        {"export -", "c.json", ">c.json", "", "standard output" + in},
        {on + "read -o -", "", ">memory.bin", "", "standard output" + memoryFile},
        // A device that holds nothing has its error appended: no line is
        // written there, the status says it. The guard is the same for every
        // command, before any runs.
        {blank + "read -o -", "", "", ">blank.bin", ""},
    };
    for (const Case& refused : cases) {
        // Each row starts from these files, so that a row that got through shows alone.
        for (std::size_t file = 0; file < files.size(); ++file) {
            writeFile(folder / files[file], before[file]);
        }
        std::filesystem::remove(folder / "memory.bin.lock");
        const ToolResult run = runTools(folder, {words(refused.line)}, refused.out,
                                        refused.in.empty() ? "/dev/null" : refused.in, refused.err)
                                   .front();
        const std::string row =
            refused.line + " <" + refused.in + " >" + refused.out + " 2>" + refused.err;
        EXPECT_EQ(run.status, 2) << row;
        EXPECT_EQ(run.err, refused.said.empty() ? ""
                                                : "vantrelctl: " + refused.said +
                                                      "; give the output a name of its own\n")
            << row;
        EXPECT_TRUE(contents() == before) << row << ": a file was changed";
        EXPECT_EQ(std::filesystem::exists(folder / "memory.bin.lock"),
                  refused.out == ">memory.bin.lock")
            << row << ": the lock file was made";
        EXPECT_FALSE(std::filesystem::exists(folder / "fresh.bin")) << row;
    }
    // A pipe, a terminal or /dev/null is never the same file.
    const ToolResult piped = runTools(folder, {{"export", "-"}}, "", "c.json", "").front();
    EXPECT_EQ(piped.status, 0) << piped.err;
}

// A transfer without the lock may meet another program's: a lock file that
// cannot be opened refuses it once the memory file is usable, and the lock
// file is never reached through a link, made by whoever planted it.
TEST_F(ToolSafety, ALockFileThatCannotBeOpenedRefusesTheTransferNamingItAndWhy) {
    writeFile(folder / memory, memoryHolding(saveImage("a.cfg", 4)));
    std::filesystem::permissions(folder.path, std::filesystem::perms::all);
    std::filesystem::permissions(
        folder / memory,
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
            std::filesystem::perms::group_read | std::filesystem::perms::group_write |
            std::filesystem::perms::others_read | std::filesystem::perms::others_write);
    const std::string other = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    const std::string third = "setpriv --reuid=65533 --regid=65533 --clear-groups ";
    struct Case {
        std::string made;     ///< the shell command that leaves the lock file so
        std::string launcher; ///< who runs the tool
        std::string why;
    };
    const std::vector<Case> cases = {
        {"mkdir memory.bin.lock", "", "is a folder"},
        {"ln -s missing/lock memory.bin.lock", "", "is a link"},
        {"mkfifo memory.bin.lock", "", "is not a regular file"},
        {other + "sh -c 'umask 077 && : >memory.bin.lock'", third, "Permission denied"},
        {other + "ln -s planted memory.bin.lock", "", "is a link"},
    };
    // Another user's lock file needs root, and other users who may run the
    // built tool from the test's folder, which a build chroot's folders may
    // keep from them: tried the way the cases run it.
    const bool otherUsers =
        ::geteuid() == 0 &&
        runTools(folder, {{"--version"}}, {}, "/dev/null", {}, third).front().status == 0;
    for (const Case& lock : cases) {
        if (lock.made.starts_with("setpriv") && !otherUsers) {
            std::cout << "[ SKIPPED ] another user's lock file needs root and other users: "
                      << lock.made << '\n';
            continue;
        }
        std::filesystem::remove_all(folder / "memory.bin.lock");
        std::filesystem::remove(folder / "r.cfg");
        ASSERT_EQ(std::system(("cd '" + folder.path.string() + "' && " + lock.made).c_str()), 0)
            << lock.made;
        const ToolResult read =
            runTools(folder, {{device, "read", "-o", "r.cfg"}}, {}, "/dev/null", {}, lock.launcher)
                .front();
        EXPECT_EQ(read.status, 1) << lock.made;
        EXPECT_EQ(read.err,
                  "vantrelctl: the lock file memory.bin.lock cannot be opened: " + lock.why + "\n")
            << lock.made;
        EXPECT_FALSE(std::filesystem::exists(folder / "r.cfg")) << lock.made;
        EXPECT_FALSE(std::filesystem::exists(folder / "planted")) << lock.made;
    }
}

TEST_F(ToolSafety, RecordingsAreRegularFilesOrAPipeOnStandardInput) {
    writeFile(folder / "c.json", R"({"format": "vantrel-configuration", "version": 1, "inputs": [
        {"input": 5, "single": {"type": "key", "code": "A"}}]})");
    const std::string press = "E: 0.000001 0001 001e 0001\nE: 0.000002 0001 001e 0000\n";
    writeFile(folder / "keys.evemu", press);
    writeFile(folder / "long.evemu",
              press + "# " + std::string(MaxEvemuLineLength, 'x') + "\n" + press);
    writeFile(folder / "bad.evemu", "E: 0.000001 0001 001e 0001\nE: 0.000002 0001\n");
    const std::string bad = ", line 2: not an event: expected \"E: seconds.microseconds type code "
                            "value\"";
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(folder / "folder");
    // Each recording and what the monitor says of it after "vantrelctl: ".
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"fifo", "fifo: is not a regular file"},
        {"folder", "folder: is a folder"},
        {"missing.evemu", "missing.evemu: No such file or directory"},
        {"long.evemu", "long.evemu, line 3: a line longer than 4096 bytes: not an evemu recording"},
        {"bad.evemu", "bad.evemu" + bad},
    };
    for (const auto& [recording, said] : refused) {
        const ToolResult monitor = run({"monitor", "--config", "c.json", "--events", recording});
        EXPECT_EQ(monitor.status, 1) << said;
        EXPECT_EQ(monitor.err, "vantrelctl: " + said + "\n");
        EXPECT_EQ(monitor.out, "") << "nothing of a damaged recording is replayed";
    }
    const ToolResult piped =
        run({"monitor", "--config", "c.json", "--events", "-"}, (folder / "keys.evemu").string());
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, "Input 5: A\nInput 5: A released\nSeen 1 of 1 used inputs\n");
    // A pipe is read once, as it comes: its fault is said where the replay reaches it.
    EXPECT_EQ(
        run({"monitor", "--config", "c.json", "--events", "-"}, (folder / "bad.evemu").string())
            .err,
        "vantrelctl: -" + bad + "\n");
}

TEST_F(ToolSafety, CtrlCEndsAMonitorWaitingOnASilentPipeWithItsSummary) {
    writeFile(folder / "c.json", R"({"format": "vantrel-configuration", "version": 1, "inputs": [
        {"input": 5, "single": {"type": "key", "code": "A"}}]})");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    // The writer stays for 10 seconds and says nothing; Ctrl+C comes after one.
    const std::string script = "cd '" + folder.path.string() + "' && sleep 10 3>fifo & cd '" +
                               folder.path.string() +
                               "' && timeout --preserve-status -s INT 1 '" VANTRELCTL_PATH
                               "' monitor --config c.json --events - <fifo >out; echo $? >status; "
                               "kill $! 2>/dev/null";
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(std::system(script.c_str()), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_EQ(contentsOf(folder / "status"), "0\n");
    EXPECT_EQ(contentsOf(folder / "out"), "Seen 0 of 1 used inputs; not seen: Input 5\n");
}

TEST_F(ToolSafety, NamesAndValuesEchoedAreEscapedAndLongValuesCut) {
    writeFile(folder / "key.json",
              R"({"format": "vantrel-configuration", "version": 1, "inputs": [{"input": 1,
              "single": {"type": "key", "code": ")" +
                  std::string(100000, 'Q') + R"("}}]})");
    writeFile(folder / "c.json", R"({"format": "vantrel-configuration", "version": 1})");
    const std::string motion = "E: 0.000001 0002 0000 0005\nE: 0.000001 0000 0000 0000\n";
    writeFile(folder / "\x1b[2J.evemu", motion);
    writeFile(folder / "\u202e.evemu", motion);
    writeFile(folder / "field.json", R"({"format": "vantrel-configuration", "version": 1, ")" +
                                         std::string(100000, 'F') + R"(": 1})");
    const std::string longPath = std::string(150, 'a') + "/" + std::string(150, 'b') + ".json";
    // Each command and what it prints, on standard error or output.
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"show", "\x1b[31mred.json"},
         "vantrelctl: Error opening the file: \\x1b[31mred.json: No such file or directory\n"},
        {{"import", "key.json", "-o", "k.cfg"},
         "vantrelctl: key.json: inputs[0] (input 1).single.code: unknown key name \"" +
             std::string(EchoedValueLength, 'Q') +
             "\u2026\" (vantrelctl names keys lists them all)\n"},
        {{"monitor", "--config", "c.json", "--config", "c.json", "--events", "\x1b[2J.evemu",
          "--events", "\u202e.evemu"},
         "\\x1b[2J.evemu: motion on \\x1b[2J.evemu: X +5\n\\u202e.evemu: motion on "
         "\\u202e.evemu: X +5\n\\x1b[2J.evemu: Seen 0 of 0 used inputs\n\\u202e.evemu: Seen 0 "
         "of 0 used inputs\n"},
        {{"show", "field.json"},
         "vantrelctl: field.json: " + std::string(EchoedValueLength, 'F') +
             "\u2026: unknown field\n"},
        {{"show", longPath},
         "vantrelctl: Error opening the file: " + longPath.substr(0, EchoedPathLength / 2) +
             "\u2026" + longPath.substr(longPath.size() - (EchoedPathLength / 2 - 1)) +
             ": No such file or directory\n"},
    };
    for (const auto& [args, said] : cases) {
        const ToolResult echoed = run(args);
        EXPECT_EQ(echoed.err + echoed.out, said);
    }
    // JSON escapes them its own way, and a name that is not UTF-8 still
    // gives JSON; the summary line after it is not the point.
    writeFile(folder / "\xff.evemu", motion);
    for (const auto& [name, written] :
         {std::pair{"\u202e.evemu", R"(\u202e.evemu)"}, std::pair{"\xff.evemu", "\uFFFD.evemu"}}) {
        EXPECT_TRUE(run({"monitor", "--json", "--config", "c.json", "--events", name})
                        .out.starts_with(R"({"event":"motion","time":0.000001,"device":")" +
                                         std::string(written) + "\","))
            << name;
    }
}

TEST_F(ToolSafety, TheMonitorRefusesADeviceWhoseLastWriteWasCutOffAndLeavesItsMark) {
    const std::string image = saveImage("a.cfg", 4);
    std::string cutOff = memoryHolding(image);
    cutOff.replace(ImageAddress::TransferState, 2, "WR");
    writeFile(folder / "memory.bin", cutOff);
    writeFile(folder / "keys.evemu", "E: 0.000001 0001 001e 0001\n");
    const std::string unfinished = "vantrelctl: the last write to the device did not finish, so "
                                   "it holds no whole configuration";
    const std::string again = ". Write a configuration to the device again\n";
    const ToolResult monitor = run({device, "monitor", "--events", "keys.evemu"});
    EXPECT_EQ(monitor.status, 1);
    EXPECT_EQ(monitor.err, unfinished + again +
                               "vantrelctl: give the configuration with --config FILE "
                               "to trace the panel meanwhile\n");
    // Only a command that would have kept what it read says that nothing was.
    const ToolResult show = run({device, "show"});
    EXPECT_EQ(show.status, 1);
    EXPECT_EQ(show.err,
              unfinished.substr(0, 12) + "emulated:memory.bin: " + unfinished.substr(12) + again);
    const ToolResult read = run({device, "read", "-o", "kept.cfg"});
    EXPECT_EQ(read.status, 1);
    EXPECT_TRUE(read.err.ends_with(unfinished + "; nothing was kept" + again))
        << "the mark is still there:\n"
        << read.err;
}

} // namespace
} // namespace vantrel
