#include "cli/Commands.h"
#include "device/DeviceLock.h"
#include "device/EmulatedDevice.h"
#include "device/selection/DeviceSelection.h"
#include "files/ConfigurationFile.h"
#include "model/EchoedText.h"
#include "monitor/EvemuRecording.h"
#include "tests/support/ModelBuilders.h"
#include "tests/support/TemporaryFolder.h"

#include <array>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// What only separate processes show: a reader that goes away in the middle
// of a write, and two programs on one device at once.
namespace vantrel {
namespace {

using namespace vantrel::testing;

/// The built tool, started as a shell would start it: SIGPIPE at its
/// default, its standard output and error where the test says.
class ToolProcess {
public:
    ToolProcess(const std::vector<std::string>& args, int out, int err,
                const std::filesystem::path& folder, const std::string& in = "/dev/null") {
        std::vector<std::string> words{VANTRELCTL_PATH};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        argv.reserve(words.size() + 1);
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions{};
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, out, 1);
        posix_spawn_file_actions_adddup2(&actions, err, 2);
        posix_spawnattr_t attributes{};
        posix_spawnattr_init(&attributes);
        sigset_t defaults{};
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
        EXPECT_EQ(posix_spawn(&pid_, VANTRELCTL_PATH, &actions, &attributes, argv.data(), environ),
                  0);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }

    /// The exit status; 128 + the signal that ended it, as a shell says.
    int wait() const {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    pid_t pid_ = -1;
};

/// A run whose output goes to files in the folder, read back at its end.
class RecordedRun {
public:
    RecordedRun(const TemporaryFolder& folder, const std::string& name,
                const std::vector<std::string>& args, const std::string& in = "/dev/null")
        : outPath_(folder.path.string() + "." + name + ".out")
        , errPath_(folder.path.string() + "." + name + ".err") {
        const int out = ::open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        process_.emplace(args, out, err, folder.path, in);
        ::close(out);
        ::close(err);
    }

    ~RecordedRun() {
        std::filesystem::remove(outPath_);
        std::filesystem::remove(errPath_);
    }
    RecordedRun(const RecordedRun&) = delete;
    RecordedRun& operator=(const RecordedRun&) = delete;

    /// Each waits for the run to end.
    int status() const {
        if (!status_) {
            status_ = process_->wait();
        }
        return *status_;
    }
    std::string out() const {
        status();
        return contentsOf(outPath_);
    }
    std::string err() const {
        status();
        return contentsOf(errPath_);
    }

private:
    std::filesystem::path outPath_;
    std::filesystem::path errPath_;
    std::optional<ToolProcess> process_;
    mutable std::optional<int> status_;
};

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
        DeviceImage image{};
        EXPECT_TRUE(buildDeviceImage(image, config, {}));
        EXPECT_TRUE(writeConfigurationFile(folder / name, image).ok());
        return {image.begin(), image.end()};
    }
    /// What the device holds now, read by the tool.
    std::string deviceHolds() const {
        const RecordedRun read(folder, "read", {device, "read", "-o", "held.cfg"});
        EXPECT_EQ(read.status(), 0) << read.err();
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
    const ToolProcess write({device, "write", "a.cfg"}, pipe[1], pipe[1], folder.path);
    ::close(pipe[1]);
    EXPECT_EQ(write.wait(), 1) << "the status of lost output, not SIGPIPE's 141";
    EXPECT_EQ(deviceHolds(), image);
}

TEST_F(ToolSafety, ASecondProgramWaitsForTheFirstThenGivesUpSayingWhy) {
    const std::string image = saveImage("a.cfg", 4);
    const DeviceLock otherProgram = DeviceLock::take(emulatorLockFile(folder / memory));
    ASSERT_EQ(otherProgram.outcome(), DeviceLock::Outcome::Held);
    const RecordedRun read(folder, "busy", {device, "read", "-o", "b.cfg"});
    const RecordedRun show(folder, "show", {"show", device});
    const std::string busy = "vantrelctl: waiting for another program to finish with the device "
                             "(up to 5 seconds)\nvantrelctl: the device is in use by another "
                             "program\n";
    EXPECT_EQ(read.status(), 1);
    EXPECT_EQ(read.err(), busy);
    EXPECT_EQ(show.status(), 1);
    EXPECT_EQ(show.err(), busy) << "a device read in place of a file waits as well";
    EXPECT_FALSE(std::filesystem::exists(folder / "b.cfg"));
}

TEST_F(ToolSafety, TwoWritesAtOnceEachEndVerifiedOrBusyAndTheDeviceHoldsOneOfThem) {
    const std::array<std::string, 2> images = {saveImage("a.cfg", 4, true),
                                               saveImage("b.cfg", 5, true)};
    for (int round = 0; round < 20; ++round) {
        const RecordedRun a(folder, "a", {device, "write", "a.cfg"});
        const RecordedRun b(folder, "b", {device, "write", "b.cfg"});
        for (const RecordedRun* run : {&a, &b}) {
            const int status = run->status();
            const bool verified = run->out().ends_with(
                "Verified: the device holds the configuration that was written\n");
            const bool busy = run->err().ends_with("the device is in use by another program\n");
            EXPECT_TRUE((status == 0 && verified) || (status == 1 && busy))
                << "round " << round << ", status " << status << ":\n"
                << run->err();
        }
        const std::string held = deviceHolds();
        EXPECT_TRUE(held == images[0] || held == images[1]) << "round " << round;
    }
}

TEST_F(ToolSafety, AnOutputThatIsAnInputOrTheDevicesMemoryIsRefusedBeforeAnythingIsTouched) {
    saveImage("c.cfg", 4);
    const std::string document = R"({"format": "vantrel-configuration", "version": 1})";
    writeFile(folder / "c.json", document);
    writeFile(folder / "memory.bin", std::string(EmulatedDevice::MemorySize, '\0'));
    std::filesystem::create_symlink("c.json", folder / "link.json");
    std::filesystem::create_hard_link(folder / "c.json", folder / "hard.json");
    const std::string own = "; give the output a name of its own\n";
    // Each command and what it says after "vantrelctl: ".
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"write", "c.json", "--backup", "c.json"},
         "--backup c.json is the same file as the input c.json"},
        {{"card", "c.json", "-o", "link.json"},
         "-o link.json is the same file as the input c.json"},
        {{"import", "link.json", "-o", "./c.json"},
         "-o ./c.json is the same file as the input link.json"},
        {{"export", "c.json", "-o", "hard.json"},
         "-o hard.json is the same file as the input c.json"},
        {{device, "read", "-o", "./memory.bin"},
         "-o ./memory.bin is the same file as the emulated device's memory file memory.bin"},
        {{"--device=emulated:fresh.bin", "write", "c.cfg", "--backup", "fresh.bin"},
         "--backup fresh.bin is the same file as the emulated device's memory file fresh.bin"},
    };
    for (const auto& [args, said] : cases) {
        const RecordedRun run(folder, "guard", args);
        EXPECT_EQ(run.status(), 2) << said;
        EXPECT_EQ(run.err(), std::string("vantrelctl: ").append(said).append(own));
    }
    EXPECT_EQ(contentsOf(folder / "c.json"), document);
    EXPECT_EQ(contentsOf(folder / "memory.bin"), std::string(EmulatedDevice::MemorySize, '\0'));
    EXPECT_FALSE(std::filesystem::exists(folder / "fresh.bin"));
}

TEST_F(ToolSafety, RecordingsAreRegularFilesOrAPipeOnStandardInput) {
    writeFile(folder / "c.json", R"({"format": "vantrel-configuration", "version": 1, "inputs": [
        {"input": 5, "single": {"type": "key", "code": "A"}}]})");
    const std::string press = "E: 0.000001 0001 001e 0001\nE: 0.000002 0001 001e 0000\n";
    writeFile(folder / "keys.evemu", press);
    writeFile(folder / "long.evemu",
              press + "# " + std::string(MaxEvemuLineLength, 'x') + "\n" + press);
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(folder / "folder");
    // Each recording and what the monitor says of it after "vantrelctl: ".
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"fifo", "fifo: is not a regular file"},
        {"folder", "folder: is a folder"},
        {"/dev/zero", "/dev/zero: is not a regular file"},
        {"missing.evemu", "missing.evemu: No such file or directory"},
        {"long.evemu", "long.evemu, line 3: a line longer than 4096 bytes: not an evemu recording"},
    };
    for (const auto& [recording, said] : refused) {
        const RecordedRun run(folder, "monitor",
                              {"monitor", "--config", "c.json", "--events", recording});
        EXPECT_EQ(run.status(), 1) << said;
        EXPECT_EQ(run.err(), "vantrelctl: " + said + "\n");
        EXPECT_EQ(run.out(), "") << "nothing of a damaged recording is replayed";
    }
    const RecordedRun piped(folder, "piped", {"monitor", "--config", "c.json", "--events", "-"},
                            (folder / "keys.evemu").string());
    EXPECT_EQ(piped.status(), 0) << piped.err();
    EXPECT_EQ(piped.out(), "Input 5: A\nInput 5: A released\nSeen 1 of 1 used inputs\n");
    const RecordedRun twice(folder, "twice", {"monitor", "--config", "-", "--events", "-"});
    EXPECT_EQ(twice.status(), 2);
    EXPECT_EQ(twice.err().substr(0, twice.err().find('\n')),
              "vantrelctl: standard input (-) can be read only once");

    std::istringstream in(press);
    std::ostringstream out;
    std::ostringstream err;
    cli::Console console(out, err);
    console.in = &in;
    console.inIsTerminal = true;
    EXPECT_EQ(
        cli::runVantrelctl(std::vector<std::string>{"monitor", "--config",
                                                    (folder / "c.json").string(), "--events", "-"},
                           console, makeDeviceBackend),
        1);
    EXPECT_EQ(err.str(), "vantrelctl: -: standard input is a terminal; pipe a recording into it\n");
}

TEST_F(ToolSafety, NamesAndValuesEchoedAreEscapedAndLongValuesCut) {
    writeFile(folder / "key.json",
              R"({"format": "vantrel-configuration", "version": 1, "inputs": [{"input": 1,
              "single": {"type": "key", "code": ")" +
                  std::string(100000, 'Q') + R"("}}]})");
    writeFile(folder / "c.json", R"({"format": "vantrel-configuration", "version": 1})");
    writeFile(folder / "\x1b[2J.evemu", "E: 0.000001 0002 0000 0005\nE: 0.000001 0000 0000 0000\n");
    // Each command and what it prints, on standard error or output.
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"show", "\x1b[31mred.json"},
         "vantrelctl: Error opening the file: \\x1b[31mred.json: No such file or directory\n"},
        {{"import", "key.json", "-o", "k.cfg"},
         "vantrelctl: key.json: inputs[0] (input 1).single.code: unknown key name \"" +
             std::string(EchoedValueLength, 'Q') +
             "\u2026\" (vantrelctl names keys lists them all)\n"},
        {{"monitor", "--config", "c.json", "--events", "\x1b[2J.evemu"},
         "motion on \\x1b[2J.evemu: X +5\nSeen 0 of 0 used inputs\n"},
    };
    for (const auto& [args, said] : cases) {
        const RecordedRun run(folder, "echo", args);
        EXPECT_EQ(run.err() + run.out(), said);
    }
}

TEST_F(ToolSafety, TheMonitorRefusesADeviceWhoseLastWriteWasCutOffAndLeavesItsMark) {
    const std::string image = saveImage("a.cfg", 4);
    std::string cutOff(EmulatedDevice::MemorySize, '\0');
    cutOff.replace(0, DeviceImageSize, image);
    cutOff.replace(ImageAddress::TransferState, 2, "WR");
    writeFile(folder / "memory.bin", cutOff);
    writeFile(folder / "keys.evemu", "E: 0.000001 0001 001e 0001\n");
    const std::string unfinished =
        "vantrelctl: the last write to the device did not finish, so it holds no whole "
        "configuration; nothing was kept. Write a configuration to the device again\n";
    const RecordedRun monitor(folder, "monitor", {device, "monitor", "--events", "keys.evemu"});
    EXPECT_EQ(monitor.status(), 1);
    EXPECT_EQ(monitor.err(), unfinished + "vantrelctl: give the configuration with --config FILE "
                                          "to trace the panel meanwhile\n");
    const RecordedRun read(folder, "read", {device, "read", "-o", "kept.cfg"});
    EXPECT_EQ(read.status(), 1);
    EXPECT_TRUE(read.err().ends_with(unfinished)) << "the mark is still there:\n" << read.err();
}

} // namespace
} // namespace vantrel
