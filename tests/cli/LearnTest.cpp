#include "formats/ConfigurationSource.h"
#include "tests/cli/ToolRun.h"
#include "tests/support/ProbePresses.h"
#include "tests/support/TemporaryFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace vantrel::testing {
namespace {

// Four labelled controls on inputs 1 to 4; the device starts with a key on
// input 9, which every stopped session must give it back.
constexpr const char* Layout = R"({"format": "vantrel-configuration", "version": 1, "inputs": [
    {"input": 1, "label": "P1 Button 1", "single": {"type": "key", "code": "A"}},
    {"input": 2, "label": "P1 Button 2", "single": {"type": "key", "code": "B"}},
    {"input": 3, "label": "Coin 1", "single": {"type": "key", "code": "5"}},
    {"input": 4, "label": "Start 1", "single": {"type": "key", "code": "1"}}]})";
constexpr const char* Before = R"({"format": "vantrel-configuration", "version": 1, "inputs": [
    {"input": 9, "single": {"type": "key", "code": "Z"}}]})";

class Learn : public ::testing::Test {
protected:
    Learn() {
        setenv("XDG_STATE_HOME", (folder / "state").c_str(), 1);
        writeFile(folder / "layout.json", Layout);
        writeFile(folder / "before.json", Before);
    }
    ToolResult run(const std::string& line, const std::string& stdinFrom = "/dev/null") const {
        return runTools(folder, {words(line)}, {}, stdinFrom).front();
    }
    /// Each device's memory starts holding `before.json`.
    void prepare(const std::vector<std::string>& devices) const {
        for (const std::string& device : devices) {
            ASSERT_EQ(run("--device emulated:" + device + " write before.json").status, 0);
        }
    }
    void record(const std::string& name, const std::string& script) const {
        writeFile(folder / name, evemuText(probePresses(script)));
    }
    /// Each labelled input of a wired file, as "N label".
    std::vector<std::string> wiredInputs(const std::string& name) const {
        const LoadedConfiguration wired = loadConfiguration(folder / name).value();
        std::vector<std::string> inputs;
        for (int input = 0; input < InputCount; ++input) {
            if (!wired.labels.input(input).empty()) {
                inputs.push_back(std::to_string(input + 1) + " " + wired.labels.input(input));
            }
        }
        return inputs;
    }

    TemporaryFolder folder;
};

TEST_F(Learn, WritesWhatTheRecordedPanelShowedIntoTheFileAndTheDevice) {
    struct Case {
        const char* name;
        std::vector<std::string> scripts; ///< one recording per device
        std::string options;
        std::string labels; ///< typed on standard input
        std::vector<std::vector<std::string>> wired;
    };
    const std::vector<Case> cases = {
        {"in order",
         {"7 70 12 100"},
         "",
         "",
         {{"7 P1 Button 1", "12 Coin 1", "70 P1 Button 2", "100 Start 1"}}},
        {"out of order",
         {"100 7 12 70"},
         "--order",
         "start 1\nP1 Button 1\nCoin 1\nP1 Button 2\n",
         {{"7 P1 Button 1", "12 Coin 1", "70 P1 Button 2", "100 Start 1"}}},
        {"a skip", {"7 enter 12 100"}, "", "", {{"7 P1 Button 1", "12 Coin 1", "100 Start 1"}}},
        {"a back",
         {"7 70 bs 71 12 100"},
         "",
         "",
         {{"7 P1 Button 1", "12 Coin 1", "71 P1 Button 2", "100 Start 1"}}},
        {"pressed twice",
         {"7 7 70 12 12 100"},
         "",
         "",
         {{"7 P1 Button 1", "12 Coin 1", "70 P1 Button 2", "100 Start 1"}}},
        {"two devices",
         {"7 70", "1 2"},
         "",
         "",
         {{"7 P1 Button 1", "70 P1 Button 2"}, {"1 Coin 1", "2 Start 1"}}},
    };
    for (const Case& c : cases) {
        std::string devices;
        std::string events;
        std::vector<std::string> memories;
        for (std::size_t d = 0; d < c.scripts.size(); ++d) {
            memories.push_back(std::to_string(d) + ".bin");
            devices += "--device emulated:" + memories.back() + " ";
            events += " --events " + std::to_string(d) + ".evemu";
            record(std::to_string(d) + ".evemu", c.scripts[d]);
        }
        prepare(memories);
        writeFile(folder / "labels.txt", c.labels);
        std::string line = devices;
        line.append("learn layout.json -o wired.json ").append(c.options).append(events);
        const ToolResult learnt = run(line, (folder / "labels.txt").string());
        ASSERT_EQ(learnt.status, 0) << c.name << "\n" << learnt.err;
        for (std::size_t d = 0; d < c.scripts.size(); ++d) {
            const std::string file =
                c.scripts.size() == 1 ? "wired.json" : "wired-" + std::to_string(d + 1) + ".json";
            EXPECT_EQ(wiredInputs(file), c.wired[d]) << c.name;
            EXPECT_EQ(run("--device emulated:" + memories[d] + " diff " + file).status, 0)
                << c.name << ": the device holds what " << file << " says";
        }
    }
}

TEST_F(Learn, GivesTheBackupBackWhenStoppedAtAnyPromptOrWithNoWrite) {
    prepare({"cab.bin"});
    const std::vector<std::string> stops = {"", "7", "7 70", "7 70 12", "7 70 12 100 --no-write"};
    for (const std::string& stop : stops) {
        const std::string script = stop.substr(0, stop.find(" --"));
        record("stop.evemu", script);
        const bool noWrite = stop.ends_with("--no-write");
        const ToolResult result = run("--device emulated:cab.bin learn layout.json -o w.json "
                                      "--events stop.evemu" +
                                      std::string(noWrite ? " --no-write" : ""));
        EXPECT_EQ(result.status, noWrite ? 0 : 1) << stop << "\n" << result.err;
        EXPECT_NE(result.out.find("written back from"), std::string::npos) << stop;
        EXPECT_EQ(run("--device emulated:cab.bin diff before.json").status, 0)
            << "stopped after \"" << stop << "\"";
    }
}

TEST_F(Learn, ADeviceLeftHoldingTheProbeIsNamedWithTheBackupThatRestoresIt) {
    prepare({"cab.bin"});
    // A session killed while it waits for the first press, whose recording
    // never ends.
    const std::string tool = VANTRELCTL_PATH;
    const std::string killed =
        "cd '" + folder.path.string() +
        "' && (printf 'N: VANTREL\\nE: 0.5 0000 0000 0\\n'; sleep 3) | timeout -s KILL 2 '" + tool +
        "' --device emulated:cab.bin learn layout.json --events - "
        ">/dev/null 2>&1";
    [[maybe_unused]] const int status = std::system(killed.c_str());
    const auto backups = std::filesystem::directory_iterator(folder / "state/vantrel/backups");
    const std::string backup = std::filesystem::begin(backups)->path().string();
    record("x.evemu", "7");
    for (const char* line : {"--device emulated:cab.bin read -o read.cfg",
                             "--device emulated:cab.bin learn layout.json --events x.evemu",
                             "--device emulated:cab.bin write before.json --backup b.cfg"}) {
        const ToolResult result = run(line);
        EXPECT_NE(result.err.find("holds the wiring probe"), std::string::npos) << line;
        EXPECT_NE(result.err.find("vantrelctl write " + backup), std::string::npos) << line;
    }
    EXPECT_EQ(run("--device emulated:cab.bin write " + backup).status, 0);
    EXPECT_EQ(run("--device emulated:cab.bin diff before.json").status, 0);
}

} // namespace
} // namespace vantrel::testing
