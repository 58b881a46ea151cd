#include "Transfer.h"

#include "EmulatedDevice.h"
#include "LimitConfiguration.h"
#include "ModelBuilders.h"
#include "Recorders.h"
#include "ReportView.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using namespace vantrel::testing;
using Lines = std::vector<std::string>;
using Events = std::vector<UserEvent>;

/// A caption other than the default, to see that failures take the window's.
constexpr const char* Caption = "VANTREL Configuration Utility - cabinet.cfg";

Configuration sampleConfiguration() {
    Configuration config;
    config.input(0) = macroOf({keyDown(4)}, {keyUp(4)});
    config.input(7) = macroOf({keyDown(5), delay(9), keyUp(5)}, {}, 3);
    config.rotaryKey(1) = {0x1E, OperatorCtrl};
    return config;
}

DeviceSettings sampleSettings() {
    DeviceSettings settings;
    settings.ReverseY = true;
    settings.Spinner = 1;
    settings.Joystick[2] = true;
    settings.Rotary[1] = {2, 1, 1};
    return settings;
}

/// A valid trailer claiming `length` bytes, over a data region full of
/// nonzero bytes, so that bytes sent past the length are visible.
DeviceImage imageWithLength(std::int32_t length) {
    DeviceImage image{};
    for (std::size_t i = 0; i < ImageAddress::TrailerStart; ++i) {
        image[i] = static_cast<std::uint8_t>(1 + (i * 37) % 250);
    }
    image[ImageAddress::Marker] = 1;
    image[ImageAddress::LengthHigh] = static_cast<std::uint8_t>(length / 256);
    image[ImageAddress::LengthLow] = static_cast<std::uint8_t>(length % 256);
    return image;
}

DeviceImage imageOf(const Configuration& config, const DeviceSettings& settings) {
    DeviceImage image{};
    EXPECT_TRUE(buildDeviceImage(image, config, settings));
    return image;
}

std::string hex(int address) {
    return hexAddress(address);
}

class Transfers : public ::testing::Test {
protected:
    void putInDevice(const DeviceImage& image) {
        std::copy(image.begin(), image.end(), device.memory().begin());
    }

    /// Hooks that mark in the user's timeline when they ran.
    ReadHooks hooks() {
        return {[this] {
                    user.note("query");
                    return false;
                },
                [this] {
                    user.note("redraw");
                }};
    }

    [[nodiscard]] Lines reportSummaries() const { return summaries(device.reports()); }

    [[nodiscard]] std::string transferStatePair() const {
        return {static_cast<char>(device.memory()[0xFF6]),
                static_cast<char>(device.memory()[0xFF7])};
    }

    void expectClosedOnce() const {
        EXPECT_EQ(device.openCount(), 1);
        EXPECT_EQ(device.closeCount(), 1);
        EXPECT_FALSE(device.isOpen());
    }

    EmulatedDevice device;
    UserRecorder user;
    TransferContext context{device, user, user, Caption};
};

TEST(DataPercentage, IsRoundedHalfUp) {
    struct Case {
        std::int32_t address, length;
        int percent;
    };
    for (const Case c :
         {Case{0, 20, 0}, Case{8, 20, 40}, Case{16, 20, 80}, Case{1, 8, 13}, Case{3, 8, 38},
          Case{8, 240, 3}, Case{24, 240, 10}, Case{1, 3, 33}, Case{2, 3, 67}, Case{4016, 4032, 100},
          Case{4024, 4032, 100}, Case{40, 4087, 1}, Case{4080, 4087, 100}}) {
        EXPECT_EQ(dataPercentage(c.address, c.length), c.percent)
            << c.address << " of " << c.length;
    }
}

TEST_F(Transfers, WriteOfSixteenBytesMakesSixReportsInOrder) {
    const DeviceImage image = imageWithLength(16);

    EXPECT_EQ(writeImageToDevice(image, context), TransferResult::Succeeded);

    EXPECT_EQ(reportSummaries(), (Lines{"pair FF6 WR", "write FC0", "write FC8", "write 000",
                                        "write 008", "pair FF6 ZQ"}));
    EXPECT_EQ(user.events(),
              (Events{shown(), status("Writing configuration - 0%\r\nWriting data - 0%"),
                      status("Writing configuration - 33%\r\nWriting data - 0%"),
                      status("Writing configuration - 67%\r\nWriting data - 0%"),
                      status("Writing configuration - 100%\r\nWriting data - 0%"),
                      status("Writing configuration - 100%\r\nWriting data - 50%"),
                      status("Writing configuration - 100%\r\nWriting data - 100%"), removed(),
                      message("The configuration was successfully saved to the device", "VANTREL",
                              MessageIcon::None)}));
    expectClosedOnce();
    for (std::size_t a = 0; a < ImageAddress::TransferState; ++a) {
        const bool sent = a < 16 || (a >= 0xFC0 && a < 0xFD0);
        ASSERT_EQ(device.memory()[a], sent ? image[a] : 0) << "address " << a;
    }
    EXPECT_EQ(transferStatePair(), "ZQ");
}

TEST_F(Transfers, ReadOfSixteenBytesMakesSixReportsThenDecodesRedrawsAndTells) {
    putInDevice(imageWithLength(16));
    Configuration config = sampleConfiguration();
    config.ConfigChanged = true;
    config.ConfigFileName = "cabinet.cfg";
    DeviceSettings settings = sampleSettings();

    EXPECT_EQ(readFromDevice(config, settings, context, hooks()), TransferResult::Succeeded);

    EXPECT_EQ(reportSummaries(), (Lines{"pair FF6 RE", "read FC0", "read FC8", "read 000",
                                        "read 008", "pair FF6 ZQ"}));
    EXPECT_EQ(
        user.events(),
        (Events{note("query"), shown(), status("Reading configuration - 0%\r\nReading data - 0%"),
                status("Reading configuration - 33%\r\nReading data - 0%"),
                status("Reading configuration - 67%\r\nReading data - 0%"),
                status("Reading configuration - 100%\r\nReading data - 0%"),
                status("Reading configuration - 100%\r\nReading data - 50%"),
                status("Reading configuration - 100%\r\nReading data - 100%"), note("redraw"),
                removed(),
                message("The configuration was successfully read from the device", "VANTREL",
                        MessageIcon::None)}));
    expectClosedOnce();
    EXPECT_EQ(transferStatePair(), "ZQ");
    EXPECT_TRUE(config.ConfigChanged) << "reading neither sets nor clears it";
    EXPECT_EQ(config.ConfigFileName, "cabinet.cfg");
    EXPECT_EQ(settings, DeviceSettings{}) << "the trailer's settings bytes are all zero";
}

TEST_F(Transfers, TwentyBytesGoOutInThreeBlocksAnnouncedAtZeroFortyAndEighty) {
    const DeviceImage image = imageWithLength(20);
    ASSERT_NE(image[20], 0);

    ASSERT_EQ(writeImageToDevice(image, context), TransferResult::Succeeded);

    const Lines statuses = user.statuses();
    ASSERT_EQ(statuses.size(), 7U);
    EXPECT_EQ(Lines(statuses.begin() + 3, statuses.begin() + 6),
              (Lines{"Writing configuration - 100%\r\nWriting data - 0%",
                     "Writing configuration - 100%\r\nWriting data - 40%",
                     "Writing configuration - 100%\r\nWriting data - 80%"}));
    EXPECT_EQ(reportSummaries(), (Lines{"pair FF6 WR", "write FC0", "write FC8", "write 000",
                                        "write 008", "write 010", "pair FF6 ZQ"}));
    for (std::size_t a = 16; a < 24; ++a) {
        EXPECT_EQ(device.memory()[a], image[a]) << "the last block is sent whole: " << a;
    }
}

TEST_F(Transfers, ReadOfTwentyBytesFetchesThreeWholeBlocks) {
    putInDevice(imageWithLength(20));
    Configuration config;
    DeviceSettings settings;

    ASSERT_EQ(readFromDevice(config, settings, context, {}), TransferResult::Succeeded);

    const Lines statuses = user.statuses();
    ASSERT_EQ(statuses.size(), 7U);
    EXPECT_EQ(Lines(statuses.begin() + 3, statuses.begin() + 6),
              (Lines{"Reading configuration - 100%\r\nReading data - 0%",
                     "Reading configuration - 100%\r\nReading data - 40%",
                     "Reading configuration - 100%\r\nReading data - 80%"}));
    EXPECT_EQ(reportSummaries(), (Lines{"pair FF6 RE", "read FC0", "read FC8", "read 000",
                                        "read 008", "read 010", "pair FF6 ZQ"}));
}

TEST_F(Transfers, ConfigurationAtTheLimitTravelsInFiveHundredFourBlocksBothWays) {
    Configuration written = configurationAtTheLimit();
    ASSERT_EQ(configurationSize(written), MaxConfigSize);
    written.ConfigChanged = true;
    const DeviceSettings settings = sampleSettings();
    const DeviceImage image = imageOf(written, settings);
    ASSERT_EQ(storedTableLength(image), 4032);

    ASSERT_EQ(writeToDevice(written, settings, context), TransferResult::Succeeded);

    const Lines sent = reportSummaries();
    ASSERT_EQ(sent.size(), 508U);
    EXPECT_EQ(sent[3], "write 000");
    EXPECT_EQ(sent[506], "write " + hex(4024));
    EXPECT_EQ(user.statuses()[506], "Writing configuration - 100%\r\nWriting data - 100%")
        << "the status before the last data report";
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0xFD0, device.memory().begin()));
    EXPECT_TRUE(written.ConfigChanged) << "writing leaves ConfigChanged alone";

    device.clearReports();
    user.clear();
    Configuration read;
    DeviceSettings readSettings;
    ASSERT_EQ(readFromDevice(read, readSettings, context, {}), TransferResult::Succeeded);

    const Lines fetched = reportSummaries();
    ASSERT_EQ(fetched.size(), 508U);
    EXPECT_EQ(fetched[506], "read " + hex(4024));
    EXPECT_EQ(user.statuses()[506], "Reading configuration - 100%\r\nReading data - 100%");
    EXPECT_EQ(read.InputMacros, written.InputMacros);
    EXPECT_EQ(read.RotaryKeys, written.RotaryKeys);
    EXPECT_EQ(readSettings, settings);
}

TEST_F(Transfers, RandomConfigurationsComeBackAsTheyWereWritten) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const Configuration written = randomConfiguration(random);
        const DeviceSettings settings = randomSettings(random);
        ASSERT_EQ(writeToDevice(written, settings, context), TransferResult::Succeeded);

        Configuration read;
        DeviceSettings readSettings;
        ASSERT_EQ(readFromDevice(read, readSettings, context, {}), TransferResult::Succeeded);
        EXPECT_EQ(read.InputMacros, written.InputMacros);
        EXPECT_EQ(read.RotaryKeys, written.RotaryKeys);
        EXPECT_EQ(readSettings, settings);
    }
}

TEST_F(Transfers, StoredLengthAboveTheImageIsCutToItsLastAddress) {
    putInDevice(imageWithLength(0xFFFF));
    Configuration config;
    DeviceSettings settings;

    // The region read then decodes as an overlong sequence, which stops the
    // decoder without a word: the read still counts as a success.
    ASSERT_EQ(readFromDevice(config, settings, context, {}), TransferResult::Succeeded);

    const Lines fetched = reportSummaries();
    ASSERT_EQ(fetched.size(), 4U + 511U);
    EXPECT_EQ(fetched[3], "read 000");
    EXPECT_EQ(fetched[3 + 510], "read FF0");
    EXPECT_EQ(fetched.back(), "pair FF6 ZQ");
    const Lines statuses = user.statuses();
    for (int block = 0; block < 511; ++block) {
        ASSERT_EQ(statuses[static_cast<std::size_t>(3 + block)],
                  "Reading configuration - 100%\r\nReading data - " +
                      std::to_string(dataPercentage(8 * block, 4087)) + "%")
            << "block " << block;
    }
    EXPECT_EQ(user.messages(),
              (Events{message("The configuration was successfully read from the device", "VANTREL",
                              MessageIcon::None)}));
}

TEST_F(Transfers, ReadOfAnEmptyTableMakesNoDataReportButStillDecodes) {
    DeviceImage image = imageWithLength(0);
    image[ImageAddress::ReverseFlags] = 0x05;
    image[ImageAddress::SpinnerMode] = 2;
    putInDevice(image);
    Configuration config = sampleConfiguration();
    DeviceSettings settings;

    ASSERT_EQ(readFromDevice(config, settings, context, {}), TransferResult::Succeeded);

    EXPECT_EQ(reportSummaries(), (Lines{"pair FF6 RE", "read FC0", "read FC8", "pair FF6 ZQ"}));
    EXPECT_EQ(config.InputMacros, Configuration{}.InputMacros);
    EXPECT_TRUE(settings.ReverseX);
    EXPECT_TRUE(settings.ReverseSpinner);
    EXPECT_EQ(settings.Spinner, 2);
}

TEST_F(Transfers, TrailerWithoutItsMarkerEndsTheReadAfterTheTrailer) {
    for (const std::uint8_t marker : {std::uint8_t{0}, std::uint8_t{2}}) {
        SCOPED_TRACE(int{marker});
        EmulatedDevice fresh;
        DeviceImage image = imageOf(sampleConfiguration(), sampleSettings());
        image[ImageAddress::Marker] = marker;
        std::copy(image.begin(), image.end(), fresh.memory().begin());
        UserRecorder seen;
        TransferContext freshContext{fresh, seen, seen, Caption};
        Configuration config = configurationAtTheLimit();
        DeviceSettings settings;

        EXPECT_EQ(readFromDevice(config, settings, freshContext, {}),
                  TransferResult::InvalidConfiguration);

        EXPECT_EQ(summaries(fresh.reports()), (Lines{"pair FF6 RE", "read FC0", "read FC8"}));
        EXPECT_EQ(seen.events().size(), 6U);
        EXPECT_EQ(seen.events().back(), message("Error: Invalid configuration file", "VANTREL",
                                                MessageIcon::Exclamation));
        EXPECT_EQ(seen.events()[seen.events().size() - 2], removed());
        EXPECT_EQ(fresh.closeCount(), 1);
        EXPECT_EQ(config.InputMacros, configurationAtTheLimit().InputMacros);
        EXPECT_EQ(settings, DeviceSettings{});
        EXPECT_EQ(fresh.memory()[0xFF6], 'R') << "the read-start pair stays";
    }
}

TEST_F(Transfers, RotarySettingNamingNoListEntryIsReportedAfterTheRedraw) {
    DeviceImage image = imageOf(sampleConfiguration(), sampleSettings());
    image[ImageAddress::RotarySwitch1] = 0x03; // a maximum rate of 3 names no entry
    putInDevice(image);
    Configuration config;
    DeviceSettings settings;

    EXPECT_EQ(readFromDevice(config, settings, context, hooks()),
              TransferResult::InvalidConfiguration);

    const Events& events = user.events();
    ASSERT_GE(events.size(), 4U);
    EXPECT_EQ(Events(events.end() - 4, events.end()),
              (Events{status("Reading configuration - 100%\r\nReading data - 100%"), note("redraw"),
                      removed(),
                      message("Error: Invalid configuration file", "VANTREL",
                              MessageIcon::Exclamation)}));
    EXPECT_EQ(config.InputMacros, sampleConfiguration().InputMacros) << "the inputs were read";
    EXPECT_TRUE(settings.ReverseY) << "settings before the bad field were applied";
    expectClosedOnce();
}

TEST_F(Transfers, CancelledSaveQuestionLeavesEverythingAlone) {
    putInDevice(imageOf(sampleConfiguration(), sampleSettings()));
    Configuration config;
    DeviceSettings settings;
    const ReadHooks cancelling{[] { return true; },
                               [this] {
                                   user.note("redraw");
                               }};

    EXPECT_EQ(readFromDevice(config, settings, context, cancelling), TransferResult::Cancelled);

    EXPECT_TRUE(user.events().empty());
    EXPECT_EQ(device.openCount(), 0);
    EXPECT_EQ(config.InputMacros, Configuration{}.InputMacros);
}

TEST_F(Transfers, NoDeviceShowsAndRemovesTheWindowThenSaysNotFound) {
    for (const bool reading : {false, true}) {
        SCOPED_TRACE(reading ? "read" : "write");
        user.clear();
        device.setUnplugged(true);
        Configuration config = sampleConfiguration();
        DeviceSettings settings;

        const TransferResult result =
            reading ? readFromDevice(config, settings, context, {})
                    : writeToDevice(sampleConfiguration(), sampleSettings(), context);

        EXPECT_EQ(result, TransferResult::NotFound);
        EXPECT_EQ(user.events(),
                  (Events{shown(), removed(),
                          message("The VANTREL was not found", Caption, MessageIcon::Stop)}));
        EXPECT_TRUE(device.reports().empty());
        EXPECT_EQ(device.closeCount(), 0);
        EXPECT_EQ(config.InputMacros, sampleConfiguration().InputMacros);
    }
}

TEST_F(Transfers, TableThatDoesNotFitIsRefusedBeforeTheDeviceIsOpened) {
    Configuration overfull;
    for (InputMacro& macro : overfull.InputMacros) {
        for (int n = 0; n < StepsPerSequence; ++n) {
            macro.step(n, Activation) = keyDown(4);
        }
    }
    for (const bool asImage : {false, true}) {
        SCOPED_TRACE(asImage ? "image" : "configuration");
        user.clear();

        const TransferResult result = asImage ? writeImageToDevice(imageWithLength(4034), context)
                                              : writeToDevice(overfull, DeviceSettings{}, context);

        EXPECT_EQ(result, TransferResult::TooLarge);
        EXPECT_EQ(user.events(),
                  (Events{shown(), removed(),
                          message("This configuration exceeds the maximum size limit.", "VANTREL",
                                  MessageIcon::Exclamation)}));
        EXPECT_EQ(device.openCount(), 0);
    }
}

// Fault injection: a failure at any exchange of a whole write or read.

enum class Direction { Write, Read };

struct FaultCase {
    Direction direction;
    int index; ///< the exchange that fails, counted from 0
};

std::string nameOf(const FaultCase& fault) {
    return (fault.direction == Direction::Write ? "write_at_" : "read_at_") +
           std::to_string(fault.index);
}

void PrintTo(const FaultCase& fault, std::ostream* out) {
    *out << nameOf(fault);
}

int sampleExchangeCount() {
    DeviceImage image{};
    buildDeviceImage(image, sampleConfiguration(), sampleSettings());
    return 4 + (storedTableLength(image) + 7) / 8;
}

std::vector<FaultCase> everyExchangeOfBothDirections() {
    std::vector<FaultCase> cases;
    for (const Direction direction : {Direction::Write, Direction::Read}) {
        for (int index = 0; index < sampleExchangeCount(); ++index) {
            cases.push_back({direction, index});
        }
    }
    return cases;
}

class FaultAtEveryExchange : public Transfers, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultAtEveryExchange, StopsAtOnceClosesOnceAndTellsTheUser) {
    const FaultCase fault = GetParam();
    const bool reading = fault.direction == Direction::Read;
    putInDevice(imageOf(sampleConfiguration(), sampleSettings()));
    device.failExchange(fault.index);
    Configuration config = configurationAtTheLimit();
    config.ConfigChanged = true;
    DeviceSettings settings;

    const TransferResult result =
        reading ? readFromDevice(config, settings, context, hooks())
                : writeToDevice(sampleConfiguration(), sampleSettings(), context);

    EXPECT_EQ(result, TransferResult::ExchangeFailed);
    EXPECT_EQ(device.reports().size(), static_cast<std::size_t>(fault.index + 1))
        << "nothing is sent after the failing report";
    expectClosedOnce();
    const std::string error =
        reading ? "Error while reading from the VANTREL" : "Error while writing to the VANTREL";
    const Events& events = user.events();
    ASSERT_GE(events.size(), 2U);
    EXPECT_EQ(Events(events.end() - 2, events.end()),
              (Events{removed(), message(error, Caption, MessageIcon::Stop)}));
    EXPECT_EQ(user.count(UserEvent::Kind::Show), 1);
    EXPECT_EQ(user.count(UserEvent::Kind::Message), 1);
    EXPECT_EQ(user.count(UserEvent::Kind::Status),
              std::min(fault.index + 1, sampleExchangeCount() - 1));
    // The start pair stays once it got through: no end pair was sent.
    EXPECT_EQ(transferStatePair(),
              fault.index == 0 ? std::string(2, '\0') : (reading ? "RE" : "WR"));
    if (reading) {
        EXPECT_EQ(config.InputMacros, configurationAtTheLimit().InputMacros);
        EXPECT_TRUE(config.ConfigChanged);
        EXPECT_EQ(settings, DeviceSettings{});
        EXPECT_EQ(user.count(UserEvent::Kind::Note), 1) << "the query ran, the redraw did not";
    }
}

std::string faultCaseName(const ::testing::TestParamInfo<FaultCase>& param) {
    return nameOf(param.param);
}

INSTANTIATE_TEST_SUITE_P(Transfers, FaultAtEveryExchange,
                         ::testing::ValuesIn(everyExchangeOfBothDirections()), faultCaseName);

} // namespace
} // namespace vantrel
