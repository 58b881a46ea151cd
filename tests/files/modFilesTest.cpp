#include "files/modFiles.h"

#include "model/DeviceImage.h"
#include "tests/support/ModelBuilders.h"
#include "tests/support/Recorders.h"
#include "tests/support/ScriptedFileDialogs.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <random>
#include <tuple>
#include <vector>

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using namespace vantrel::testing;
using Messages = std::vector<UserEvent>;
using Bytes = std::string;

constexpr const char* Caption = "VANTREL Configuration Utility";
const UserEvent SaveQuestion =
    message("The current configuration has changed.\r\nDo you want to save the changes?", Caption,
            MessageIcon::None, MessageButtons::YesNoCancel);
const UserEvent OpenFailed = message("Error opening the file", Caption, MessageIcon::Stop);
const UserEvent TooLong = message("Invalid configuration file", Caption, MessageIcon::Stop);
const UserEvent Invalid =
    message("Error: Invalid configuration file", "VANTREL", MessageIcon::Exclamation);

class modFilesTest : public ::testing::Test {
protected:
    /// Unsaved work: a macro on input 5 and a rotary key.
    void startUnsavedWork() {
        config = {};
        config.input(5) = macroOf({keyDown(4)}, {keyDown(5)}, 3);
        config.rotaryKey(1) = {30, OperatorShift};
        config.ConfigChanged = true;
        messages.clear();
    }

    TemporaryFolder folder;
    Configuration config;
    DeviceSettings settings;
    UserRecorder messages;
    ScriptedFileDialogs dialogs;
    modFiles files{config, settings, messages, dialogs, [this] {
                       return folder.path;
                   }};
};

TEST_F(modFilesTest, TheSaveQuestionDecidesWhetherTheCommandGoesOn) {
    EXPECT_FALSE(files.querySaveChanges()) << "unchanged work is not questioned";
    EXPECT_TRUE(messages.events().empty());

    const UserEvent saveFailed = message("Error saving file", Caption, MessageIcon::Stop);
    // Each answer, the file chosen in the Save dialog ("" cancels it, nullptr:
    // not shown), whether the command is abandoned, the work still changed
    // after, and the messages shown.
    for (const auto& [answer, file, abandon, changedAfter, shown] :
         std::vector<std::tuple<MessageAnswer, const char*, bool, bool, Messages>>{
             {MessageAnswer::Yes, "saved.cfg", false, false, {SaveQuestion}},
             {MessageAnswer::Yes, "", true, true, {SaveQuestion}},
             {MessageAnswer::Yes, "missing/saved.cfg", true, true, {SaveQuestion, saveFailed}},
             {MessageAnswer::No, nullptr, false, true, {SaveQuestion}},
             {MessageAnswer::Cancel, nullptr, true, true, {SaveQuestion}},
         }) {
        SCOPED_TRACE(file == nullptr ? "no dialog" : file);
        startUnsavedWork();
        dialogs = {};
        messages.answerNext(answer);
        const fs::path target = folder / (file == nullptr ? "" : file);
        if (file != nullptr) {
            *file == '\0' ? dialogs.cancel() : dialogs.choose(target.string());
        }

        EXPECT_EQ(files.querySaveChanges(), abandon);

        EXPECT_EQ(messages.messages(), shown);
        EXPECT_EQ(dialogs.requests().size(), file == nullptr ? 0U : 1U);
        EXPECT_EQ(config.ConfigChanged, changedAfter);
        EXPECT_EQ(fs::is_regular_file(target), !changedAfter) << "saved exactly when unchanged";
        EXPECT_EQ(config.ConfigFileName, file != nullptr && *file != '\0' ? target.string() : "");
        fs::remove(target);
    }
}

TEST_F(modFilesTest, SavingAndOpeningAskForAFileAndBringBackTheWholeConfiguration) {
    std::mt19937 random(1);
    const Configuration saved = randomConfiguration(random);
    const DeviceSettings savedSettings = randomSettings(random);
    config = saved;
    settings = savedSettings;
    config.ConfigChanged = true;
    const std::string chosen = (folder / "cabinet.cfg").string();
    dialogs.cancel();
    EXPECT_FALSE(files.openConfiguration());
    dialogs.choose(chosen);
    ASSERT_TRUE(files.saveConfiguration());
    EXPECT_FALSE(config.ConfigChanged);
    dialogs.cancel();
    EXPECT_FALSE(files.saveConfiguration());
    config.InputMacros = {};
    config.RotaryKeys = {};
    config.ConfigChanged = true;
    settings = {};
    dialogs.choose(chosen);
    EXPECT_TRUE(files.openConfiguration());

    EXPECT_EQ(config.InputMacros, saved.InputMacros);
    EXPECT_EQ(config.RotaryKeys, saved.RotaryKeys);
    EXPECT_EQ(settings, savedSettings);
    EXPECT_FALSE(config.ConfigChanged);
    std::vector<std::string> asked;
    for (const FileDialogRequest& request : dialogs.requests()) {
        asked.push_back(request.title + " [" + request.initialName + "]" +
                        (request.confirmOverwrite ? " confirming" : ""));
        EXPECT_EQ(request.folder, folder.path.string());
        EXPECT_EQ(request.filterName, "All Files (*.*)");
        EXPECT_EQ(request.filterPattern, "*.*");
    }
    EXPECT_EQ(asked,
              (std::vector<std::string>{
                  "Open File []", "Save File [" + (folder / "Config.cfg").string() + "] confirming",
                  "Save File [" + chosen + "] confirming", "Open File [" + chosen + "]"}));
    EXPECT_EQ(config.ConfigFileName, chosen);
    EXPECT_TRUE(messages.events().empty());
}

TEST_F(modFilesTest, OpeningJudgesTheFileAndReportsWhatWentWrong) {
    Configuration source; // one macro on input 1
    source.input(0) = macroOf({keyDown(7)});
    const DeviceImage sourceImage = imageOf(source);
    const Bytes image(sourceImage.begin(), sourceImage.end());
    Bytes badRate = image;
    badRate[ImageAddress::RotarySwitch1] = 3;
    // 65 steps in one sequence: the decoder stops at the one past the last.
    constexpr int Entries = StepsPerSequence + 1;
    Bytes tooManySteps = image;
    std::fill_n(tooManySteps.begin(), 2 * Entries, '\x09');
    tooManySteps[ImageAddress::LengthHigh] = 0;
    tooManySteps[ImageAddress::LengthLow] = static_cast<char>(2 * Entries);
    // Each file (nothing: no such file), the messages shown, what opening
    // answers, whether the work is still changed after, and its records kept.
    using Row = std::tuple<const char*, std::optional<Bytes>, Messages, bool, bool, bool>;
    const std::vector<Row> cases = {
        {"empty file", Bytes{}, {Invalid}, true, false, true},
        {"whole image", image, {}, true, false, false},
        {"one byte too long", image + '\0', {TooLong}, true, true, true},
        {"65 steps in a sequence", tooManySteps, {}, true, false, false},
        {"unknown rotary rate", badRate, {OpenFailed}, false, true, false},
        {"missing", std::nullopt, {OpenFailed}, false, true, true},
    };
    for (const auto& [name, bytes, shown, answer, changedAfter, recordsKept] : cases) {
        SCOPED_TRACE(name);
        startUnsavedWork();
        const auto before = config.InputMacros;
        const fs::path chosen = folder / name;
        if (bytes) {
            writeFile(chosen, *bytes);
        }
        dialogs.choose(chosen.string());

        EXPECT_EQ(files.openConfiguration(), answer);

        EXPECT_EQ(messages.messages(), shown);
        EXPECT_EQ(config.ConfigChanged, changedAfter);
        EXPECT_EQ(config.ConfigFileName, chosen.string());
        EXPECT_EQ(config.InputMacros == before, recordsKept);
    }
}

TEST_F(modFilesTest, AConfigurationTooLargeForTheDeviceIsNotSaved) {
    // Only a loaded configuration gets this large: every step of every input.
    config.InputMacros.fill(fullMacro());

    EXPECT_FALSE(files.saveConfiguration());

    EXPECT_EQ(messages.messages(),
              Messages{message("This configuration exceeds the maximum size limit.", "VANTREL",
                               MessageIcon::Exclamation)});
    EXPECT_TRUE(dialogs.requests().empty());
    EXPECT_TRUE(fs::is_empty(folder.path));
}

} // namespace
} // namespace vantrel
