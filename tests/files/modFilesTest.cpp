#include "modFiles.h"

#include "DeviceImage.h"
#include "ModelBuilders.h"
#include "Recorders.h"
#include "ScriptedFileDialogs.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using testing::keyDown;
using testing::message;
using testing::UserEvent;
using Messages = std::vector<UserEvent>;

constexpr const char* Caption = "VANTREL Configuration Utility";
const UserEvent SaveQuestion =
    message("The current configuration has changed.\r\nDo you want to save the changes?", Caption,
            MessageIcon::None, MessageButtons::YesNoCancel);
const UserEvent SaveFailed = message("Error saving file", Caption, MessageIcon::Stop);
const UserEvent OpenFailed = message("Error opening the file", Caption, MessageIcon::Stop);
const UserEvent FileTooLong = message("Invalid configuration file", Caption, MessageIcon::Stop);
const UserEvent InvalidImage =
    message("Error: Invalid configuration file", "VANTREL", MessageIcon::Exclamation);
const UserEvent TooLarge = message("This configuration exceeds the maximum size limit.", "VANTREL",
                                   MessageIcon::Exclamation);

using Bytes = std::vector<std::uint8_t>;

void writeBytes(const fs::path& file, const Bytes& data) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()),
               static_cast<std::streamsize>(data.size()));
}

/// The image of a configuration with one macro on input 0, changed by `edit`.
template <typename Edit>
Bytes imageBytes(Edit edit) {
    Configuration source;
    source.input(0) = testing::macroOf({keyDown(7)});
    DeviceImage image{};
    buildDeviceImage(image, source, DeviceSettings{});
    Bytes bytes(image.begin(), image.end());
    edit(bytes);
    return bytes;
}

class modFilesTest : public ::testing::Test {
protected:
    modFilesTest() {
        folder = fs::temp_directory_path() /
                 ("vantrel-modFiles-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
    }
    ~modFilesTest() override { fs::remove_all(folder); }
    modFilesTest(const modFilesTest&) = delete;
    modFilesTest& operator=(const modFilesTest&) = delete;

    /// Unsaved work: a macro on input 5 and a rotary key.
    void startUnsavedWork() {
        config = {};
        config.input(5) = testing::macroOf({keyDown(4)}, {keyDown(5)}, 3);
        config.rotaryKey(1) = {30, OperatorShift};
        config.ConfigChanged = true;
        messages.clear();
    }

    fs::path folder;
    Configuration config;
    DeviceSettings settings;
    testing::UserRecorder messages;
    testing::ScriptedFileDialogs dialogs;
    modFiles files{config, settings, messages, dialogs, [this] {
                       return folder;
                   }};
};

TEST_F(modFilesTest, TheSaveQuestionDecidesWhetherTheCommandGoesOn) {
    EXPECT_FALSE(files.querySaveChanges()) << "unchanged work is not questioned";
    EXPECT_TRUE(messages.events().empty());

    enum class SaveDialog { NotShown, Chosen, Cancelled };
    struct Case {
        const char* name;
        MessageAnswer answer;
        SaveDialog dialog;
        bool abandon;
        bool changedAfter;
    };
    const std::vector<Case> cases = {
        {"yes then saved", MessageAnswer::Yes, SaveDialog::Chosen, false, false},
        {"yes then save cancelled", MessageAnswer::Yes, SaveDialog::Cancelled, true, true},
        {"no", MessageAnswer::No, SaveDialog::NotShown, false, true},
        {"cancel", MessageAnswer::Cancel, SaveDialog::NotShown, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startUnsavedWork();
        dialogs = {};
        messages.answerNext(c.answer);
        const fs::path target = folder / c.name;
        if (c.dialog == SaveDialog::Chosen) {
            dialogs.choose(target.string());
        } else if (c.dialog == SaveDialog::Cancelled) {
            dialogs.cancel();
        }

        EXPECT_EQ(files.querySaveChanges(), c.abandon);

        EXPECT_EQ(messages.messages(), Messages{SaveQuestion});
        EXPECT_EQ(dialogs.requests().size(), c.dialog == SaveDialog::NotShown ? 0U : 1U);
        EXPECT_EQ(config.ConfigChanged, c.changedAfter);
        EXPECT_EQ(fs::exists(target), c.dialog == SaveDialog::Chosen);
    }
}

TEST_F(modFilesTest, DialogsStartInTheCurrentFolderAndOfferTheLastPath) {
    const std::string chosen = (folder / "cabinet.cfg").string();
    dialogs.cancel();
    EXPECT_FALSE(files.openConfiguration());
    dialogs.choose(chosen);
    ASSERT_TRUE(files.saveConfiguration());
    dialogs.cancel();
    EXPECT_FALSE(files.saveConfiguration());
    dialogs.choose(chosen);
    EXPECT_TRUE(files.openConfiguration());

    struct Expected {
        const char* title;
        std::string initialName;
        bool confirmOverwrite;
    };
    const std::vector<Expected> expected = {
        {"Open File", "", false},
        {"Save File", (folder / "Config.cfg").string(), true},
        {"Save File", chosen, true},
        {"Open File", chosen, false},
    };
    ASSERT_EQ(dialogs.requests().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const FileDialogRequest& request = dialogs.requests()[i];
        EXPECT_EQ(request.title, expected[i].title);
        EXPECT_EQ(request.initialName, expected[i].initialName);
        EXPECT_EQ(request.confirmOverwrite, expected[i].confirmOverwrite);
        EXPECT_EQ(request.folder, folder.string());
        EXPECT_EQ(request.filterName, "All Files (*.*)");
        EXPECT_EQ(request.filterPattern, "*.*");
    }
    EXPECT_EQ(config.ConfigFileName, chosen);
    EXPECT_TRUE(messages.events().empty());
}

TEST_F(modFilesTest, SavingAndOpeningBringsBackTheWholeConfiguration) {
    for (const unsigned seed : {1U, 2U, 3U}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const Configuration saved = testing::randomConfiguration(random);
        const DeviceSettings savedSettings = testing::randomSettings(random);
        config = saved;
        settings = savedSettings;
        config.ConfigChanged = true;
        const fs::path file = folder / ("seed" + std::to_string(seed));
        dialogs.choose(file.string());
        ASSERT_TRUE(files.saveConfiguration());
        EXPECT_FALSE(config.ConfigChanged);
        EXPECT_EQ(fs::file_size(file), DeviceImageSize);

        config = {};
        settings = {};
        config.ConfigChanged = true;
        dialogs.choose(file.string());
        ASSERT_TRUE(files.openConfiguration());

        EXPECT_EQ(config.InputMacros, saved.InputMacros);
        EXPECT_EQ(config.RotaryKeys, saved.RotaryKeys);
        EXPECT_EQ(settings, savedSettings);
        EXPECT_FALSE(config.ConfigChanged);
    }
    EXPECT_TRUE(messages.events().empty());
}

TEST_F(modFilesTest, OpeningJudgesTheFileAndReportsWhatWentWrong) {
    const auto unchanged = [](Bytes&) {
    };
    const auto oneByteMore = [](Bytes& bytes) {
        bytes.push_back(0);
    };
    const auto stepsPastTheLast = [](Bytes& bytes) {
        constexpr std::size_t Entries = StepsPerSequence + 1;
        std::fill_n(bytes.begin(), 2 * Entries, std::uint8_t{9});
        bytes[ImageAddress::LengthHigh] = 0;
        bytes[ImageAddress::LengthLow] = 2 * Entries;
    };
    const auto unknownRotaryRate = [](Bytes& bytes) {
        bytes[ImageAddress::RotarySwitch1] = 3;
    };
    struct Case {
        const char* name;
        std::optional<Bytes> bytes; ///< nothing: the name is a folder
        Messages shown;
        bool answer;
        bool changedAfter;
        bool recordsKept;
    };
    const std::vector<Case> cases = {
        {"empty file", Bytes{}, {InvalidImage}, true, false, true},
        {"whole image", imageBytes(unchanged), {}, true, false, false},
        {"one byte too long", imageBytes(oneByteMore), {FileTooLong}, true, true, true},
        {"65 steps in a sequence", imageBytes(stepsPastTheLast), {}, true, false, false},
        {"unknown rotary rate", imageBytes(unknownRotaryRate), {OpenFailed}, false, true, false},
        {"a folder", std::nullopt, {OpenFailed}, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startUnsavedWork();
        const auto before = config.InputMacros;
        const fs::path chosen = folder / c.name;
        if (c.bytes) {
            writeBytes(chosen, *c.bytes);
        } else {
            fs::create_directory(chosen);
        }
        dialogs.choose(chosen.string());

        EXPECT_EQ(files.openConfiguration(), c.answer);

        EXPECT_EQ(messages.messages(), c.shown);
        EXPECT_EQ(config.ConfigChanged, c.changedAfter);
        EXPECT_EQ(config.ConfigFileName, chosen.string());
        EXPECT_EQ(config.InputMacros == before, c.recordsKept);
    }
}

TEST_F(modFilesTest, AFailedSaveKeepsTheWorkMarkedChanged) {
    startUnsavedWork();
    const fs::path target = folder / "missing" / "Config.cfg";
    messages.answerNext(MessageAnswer::Yes);
    dialogs.choose(target.string());

    EXPECT_TRUE(files.querySaveChanges());

    EXPECT_EQ(messages.messages(), (Messages{SaveQuestion, SaveFailed}));
    EXPECT_TRUE(config.ConfigChanged);
    EXPECT_EQ(config.ConfigFileName, target.string());
}

TEST_F(modFilesTest, AConfigurationTooLargeForTheDeviceIsNotSaved) {
    // Only a loaded configuration gets this large: every step of every input.
    for (InputMacro& macro : config.InputMacros) {
        for (auto& sequence : macro.Steps) {
            sequence.fill(keyDown(4));
        }
    }

    EXPECT_FALSE(files.saveConfiguration());

    EXPECT_EQ(messages.messages(), Messages{TooLarge});
    EXPECT_TRUE(dialogs.requests().empty());
    EXPECT_TRUE(fs::is_empty(folder));
}

} // namespace
} // namespace vantrel
