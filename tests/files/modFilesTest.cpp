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
using testing::keyUp;
using testing::macroOf;
using testing::UserEvent;

const UserEvent SaveQuestion = testing::message(
    "The current configuration has changed.\r\nDo you want to save the changes?",
    "VANTREL Configuration Utility", MessageIcon::None, MessageButtons::YesNoCancel);
const UserEvent SaveFailed =
    testing::message("Error saving file", "VANTREL Configuration Utility", MessageIcon::Stop);
const UserEvent OpenFailed =
    testing::message("Error opening the file", "VANTREL Configuration Utility", MessageIcon::Stop);
const UserEvent FileTooLong = testing::message("Invalid configuration file",
                                               "VANTREL Configuration Utility", MessageIcon::Stop);
const UserEvent InvalidImage =
    testing::message("Error: Invalid configuration file", "VANTREL", MessageIcon::Exclamation);
const UserEvent TooLarge = testing::message("This configuration exceeds the maximum size limit.",
                                            "VANTREL", MessageIcon::Exclamation);

/// A fresh folder per test that stands in for the current directory.
fs::path freshFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("vantrel-modFiles-") + info->name() + "-" +
                       std::to_string(std::random_device{}());
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    fs::path folder = fs::temp_directory_path() / name;
    fs::create_directories(folder);
    return folder;
}

void writeBytes(const fs::path& file, const std::vector<std::uint8_t>& data) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
}

std::vector<std::uint8_t> toBytes(const DeviceImage& image) {
    return {image.begin(), image.end()};
}

class modFilesTest : public ::testing::Test {
protected:
    void TearDown() override { fs::remove_all(folder); }

    /// Work that is not saved yet: one macro and a rotary key.
    void makeUnsavedWork() {
        config.input(5) = macroOf({keyDown(4), keyUp(4)}, {keyDown(5)}, 3);
        config.rotaryKey(1) = {30, OperatorShift};
        config.ConfigChanged = true;
    }

    [[nodiscard]] std::vector<UserEvent> shown() const { return messages.messages(); }

    fs::path folder = freshFolder();
    Configuration config;
    DeviceSettings settings;
    testing::UserRecorder messages;
    testing::ScriptedFileDialogs dialogs;
    modFiles files{config, settings, messages, dialogs, [this] {
                       return folder;
                   }};
};

TEST_F(modFilesTest, UnchangedWorkIsNotQuestioned) {
    EXPECT_FALSE(files.querySaveChanges());
    EXPECT_TRUE(shown().empty());
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(modFilesTest, TheSaveQuestionDecidesWhetherTheCommandGoesOn) {
    enum class SaveDialog { NotShown, Chosen, Cancelled };
    struct Case {
        const char* name;
        MessageAnswer answer;
        SaveDialog dialog;
        bool abandon;
        bool changedAfter;
    };
    const std::vector<Case> cases = {
        {"yes, then saved", MessageAnswer::Yes, SaveDialog::Chosen, false, false},
        {"yes, then save cancelled", MessageAnswer::Yes, SaveDialog::Cancelled, true, true},
        {"no", MessageAnswer::No, SaveDialog::NotShown, false, true},
        {"cancel", MessageAnswer::Cancel, SaveDialog::NotShown, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        config = {};
        makeUnsavedWork();
        messages.clear();
        dialogs = {};
        messages.answerNext(c.answer);
        const fs::path target = folder / (std::string(c.name) + ".cfg");
        if (c.dialog == SaveDialog::Chosen) {
            dialogs.choose(target.string());
        } else if (c.dialog == SaveDialog::Cancelled) {
            dialogs.cancel();
        }

        EXPECT_EQ(files.querySaveChanges(), c.abandon);

        EXPECT_EQ(shown(), std::vector<UserEvent>{SaveQuestion});
        EXPECT_EQ(dialogs.calls().size(), c.dialog == SaveDialog::NotShown ? 0U : 1U);
        EXPECT_EQ(config.ConfigChanged, c.changedAfter);
        EXPECT_EQ(fs::exists(target), c.dialog == SaveDialog::Chosen);
    }
}

TEST_F(modFilesTest, DialogsStartInTheCurrentFolderAndOfferTheLastPath) {
    dialogs.cancel();
    EXPECT_FALSE(files.openConfiguration());
    const fs::path chosen = folder / "cabinet.cfg";
    dialogs.choose(chosen.string());
    ASSERT_TRUE(files.saveConfiguration());
    dialogs.cancel();
    EXPECT_FALSE(files.saveConfiguration());
    dialogs.choose(chosen.string());
    EXPECT_TRUE(files.openConfiguration());

    const auto& calls = dialogs.calls();
    ASSERT_EQ(calls.size(), 4U);
    struct Expected {
        bool save;
        const char* title;
        std::string initialName;
        bool confirmOverwrite;
    };
    const std::vector<Expected> expected = {
        {false, "Open File", "", false},
        {true, "Save File", (folder / "Config.cfg").string(), true},
        {true, "Save File", chosen.string(), true},
        {false, "Open File", chosen.string(), false},
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(calls[i].save, expected[i].save);
        EXPECT_EQ(calls[i].request.title, expected[i].title);
        EXPECT_EQ(calls[i].request.initialName, expected[i].initialName);
        EXPECT_EQ(calls[i].request.confirmOverwrite, expected[i].confirmOverwrite);
        EXPECT_EQ(calls[i].request.folder, folder.string());
        EXPECT_EQ(calls[i].request.filterName, "All Files (*.*)");
        EXPECT_EQ(calls[i].request.filterPattern, "*.*");
    }
    EXPECT_EQ(config.ConfigFileName, chosen.string());
    EXPECT_TRUE(shown().empty());
}

TEST_F(modFilesTest, SavingAndOpeningBringsBackTheWholeConfiguration) {
    for (const unsigned seed : {1U, 2U, 3U, 4U}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const Configuration saved = testing::randomConfiguration(random);
        const DeviceSettings savedSettings = testing::randomSettings(random);
        config = saved;
        settings = savedSettings;
        config.ConfigChanged = true;
        const fs::path file = folder / ("seed" + std::to_string(seed) + ".cfg");
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
        EXPECT_EQ(config.ConfigFileName, file.string());
    }
    EXPECT_TRUE(shown().empty());
}

/// A valid image of the given configuration, which has a macro on input 0.
DeviceImage validImage() {
    Configuration source;
    source.input(0) = macroOf({keyDown(7), keyUp(7)});
    DeviceImage image{};
    buildDeviceImage(image, source, DeviceSettings{});
    return image;
}

std::vector<std::uint8_t> oneByteTooLong() {
    std::vector<std::uint8_t> bytes = toBytes(validImage());
    bytes.push_back(0);
    return bytes;
}

/// An image whose first input holds 65 activation steps: decoding stops.
std::vector<std::uint8_t> tooManySteps() {
    DeviceImage image = validImage();
    constexpr std::size_t Entries = StepsPerSequence + 1;
    for (std::size_t k = 0; k < Entries; ++k) {
        image[2 * k] = 0;
        image[2 * k + 1] = 9;
    }
    image[ImageAddress::LengthHigh] = 0;
    image[ImageAddress::LengthLow] = 2 * Entries;
    return toBytes(image);
}

/// A valid image whose first rotary switch names a fourth rate.
std::vector<std::uint8_t> unknownRotaryRate() {
    DeviceImage image = validImage();
    image[ImageAddress::RotarySwitch1] = 3;
    return toBytes(image);
}

TEST_F(modFilesTest, OpeningJudgesTheFileAndReportsWhatWentWrong) {
    enum class Content { Kept, Replaced };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        bool asFolder;
        std::vector<UserEvent> messages;
        bool answer;
        bool changedAfter;
        Content content;
    };
    const std::vector<Case> cases = {
        {"empty file", {}, false, {InvalidImage}, true, false, Content::Kept},
        {"whole image", toBytes(validImage()), false, {}, true, false, Content::Replaced},
        {"one byte too long", oneByteTooLong(), false, {FileTooLong}, true, true, Content::Kept},
        {"65 steps in a sequence", tooManySteps(), false, {}, true, false, Content::Replaced},
        {"unknown rotary rate",
         unknownRotaryRate(),
         false,
         {OpenFailed},
         false,
         true,
         Content::Replaced},
        {"a folder", {}, true, {OpenFailed}, false, true, Content::Kept},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        config = {};
        makeUnsavedWork();
        const Configuration before = config;
        messages.clear();
        const fs::path chosen = folder / c.name;
        if (c.asFolder) {
            fs::create_directory(chosen);
        } else {
            writeBytes(chosen, c.bytes);
        }
        dialogs.choose(chosen.string());

        EXPECT_EQ(files.openConfiguration(), c.answer);

        EXPECT_EQ(shown(), c.messages);
        EXPECT_EQ(config.ConfigChanged, c.changedAfter);
        EXPECT_EQ(config.ConfigFileName, chosen.string());
        EXPECT_EQ(config.InputMacros == before.InputMacros, c.content == Content::Kept);
    }
}

TEST_F(modFilesTest, AFailedSaveKeepsTheWorkMarkedChanged) {
    makeUnsavedWork();
    const fs::path target = folder / "missing" / "Config.cfg";
    messages.answerNext(MessageAnswer::Yes);
    dialogs.choose(target.string());

    EXPECT_TRUE(files.querySaveChanges());

    EXPECT_EQ(shown(), (std::vector<UserEvent>{SaveQuestion, SaveFailed}));
    EXPECT_TRUE(config.ConfigChanged);
    EXPECT_EQ(config.ConfigFileName, target.string());
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(modFilesTest, AConfigurationTooLargeForTheDeviceIsNotSaved) {
    // Only a loaded configuration can get this large: every step of every input.
    for (InputMacro& macro : config.InputMacros) {
        for (int s = 0; s < SequenceCount; ++s) {
            for (int n = 0; n < StepsPerSequence; ++n) {
                macro.step(n, s) = keyDown(4);
            }
        }
    }
    config.ConfigChanged = true;

    EXPECT_FALSE(files.saveConfiguration());

    EXPECT_EQ(shown(), std::vector<UserEvent>{TooLarge});
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(config.ConfigChanged);
    EXPECT_TRUE(fs::is_empty(folder));
}

} // namespace
} // namespace vantrel
