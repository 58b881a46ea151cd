#include "device/Transfer.h"

#include "device/EmulatedDevice.h"
#include "device/modDevice.h"
#include "tests/support/EmulatorSeam.h"
#include "tests/support/ModelBuilders.h"
#include "tests/support/Recorders.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TransferredPart.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace vantrel {
namespace {

using namespace vantrel::testing;
using Lines = std::vector<std::string>;
using Events = std::vector<UserEvent>;

constexpr TransferDirection Writing = TransferDirection::Writing;
constexpr TransferDirection Reading = TransferDirection::Reading;

/// Announced before report `done` of the configuration stage (of three).
UserEvent configurationStep(TransferDirection direction, std::int32_t done) {
    return status({direction, TransferStage::Configuration, done, 3});
}
/// Announced before the block at `address` of a data region `length` bytes
/// long; with `address` equal to `length`, once everything is done.
UserEvent dataStep(TransferDirection direction, std::int32_t address, std::int32_t length) {
    return status({direction, TransferStage::Data, address, length});
}

/// "pair FF6 WR" for a report of two slots, otherwise "write 010" or
/// "read FC0" after its first slot; modDeviceTest pins each kind's bytes.
std::string summary(const Report& r) {
    char text[16];
    const int address = r[2] * 256 + r[3];
    if (r[9] == 0) {
        std::snprintf(text, sizeof text, "pair %03X %c%c", address, r[4], r[8]);
    } else {
        std::snprintf(text, sizeof text, "%s %03X", r[1] == SlotRead ? "read" : "write", address);
    }
    return text;
}

Configuration sampleConfiguration() {
    Configuration config;
    config.input(0) = macroOf({keyDown(4)}, {keyUp(4)});
    config.input(7) = macroOf({keyDown(5), delay(9), keyUp(5)}, {}, 3);
    config.rotaryKey(1) = {0x1E, OperatorCtrl};
    return config;
}

/// Reverse Y, the third joystick axis, and the second switch's lists set.
DeviceSettings sampleSettings() {
    return {false, true, false, 0, {false, false, true, false}, {{{}, {2, 1, 1}}}};
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

DeviceImage sampleImage() {
    return imageOf(sampleConfiguration(), sampleSettings());
}

/// An emulated device holding `stored`, the user's timeline, and what a
/// read from it loads.
struct Rig {
    explicit Rig(const DeviceImage& stored = {}) {
        std::copy(stored.begin(), stored.end(), device.memory().begin());
    }

    [[nodiscard]] Lines sent() const {
        Lines lines;
        std::transform(device.reports().begin(), device.reports().end(), std::back_inserter(lines),
                       summary);
        return lines;
    }
    [[nodiscard]] std::string statePair() const {
        return {static_cast<char>(device.memory()[0xFF6]),
                static_cast<char>(device.memory()[0xFF7])};
    }
    void expectClosedOnce() const {
        EXPECT_EQ(device.openCount(), 1);
        EXPECT_EQ(device.closeCount(), 1);
        EXPECT_FALSE(device.isOpen());
    }

    TransferResult read() { return readFromDevice(config, settings, context); }

    EmulatedDevice device;
    UserRecorder user;
    TransferContext context{device, user};
    Configuration config;
    DeviceSettings settings;
};

// The status window's test shows a third and two fifths.
TEST(TransferProgress, PercentagesAreRoundedHalfUpAndEachStageCountsAsWholeAroundItsOwn) {
    struct Case {
        TransferStage stage;
        std::int32_t done, total;
        int configuration, data;
    };
    for (const Case& c : std::vector<Case>{{TransferStage::Configuration, 0, 3, 0, 0},
                                           {TransferStage::Configuration, 2, 3, 67, 0},
                                           {TransferStage::Data, 0, 20, 100, 0},
                                           {TransferStage::Data, 1, 8, 100, 13},
                                           {TransferStage::Data, 3, 8, 100, 38},
                                           {TransferStage::Data, 4024, 4032, 100, 100},
                                           {TransferStage::Data, 0, 0, 100, 100}}) {
        const TransferProgress progress{Writing, c.stage, c.done, c.total};
        EXPECT_EQ(progress.configurationPercent(), c.configuration) << c.done << " of " << c.total;
        EXPECT_EQ(progress.dataPercent(), c.data) << c.done << " of " << c.total;
    }
}

TEST(Transfers, DataGoesInWholeBlocksEachAnnouncedWithTheBytesDone) {
    struct Case {
        std::int32_t length;
        Lines blocks;
    };
    const std::vector<Case> cases = {{0, {}}, {16, {"000", "008"}}, {20, {"000", "008", "010"}}};
    for (const bool reading : {false, true}) {
        const TransferDirection direction = reading ? Reading : Writing;
        const std::string verb = reading ? "Reading" : "Writing";
        const std::string op = reading ? "read " : "write ";
        for (const Case& c : cases) {
            SCOPED_TRACE(verb + " " + std::to_string(c.length));
            const DeviceImage image = imageWithLength(c.length);
            Rig rig(reading ? image : DeviceImage{});
            rig.config = sampleConfiguration();
            rig.config.ConfigChanged = true;
            rig.config.ConfigFileName = "cabinet.cfg";
            rig.settings = sampleSettings();

            const TransferResult result =
                reading ? rig.read() : writeImageToDevice(image, rig.context);

            EXPECT_EQ(result.kind, TransferKind::Succeeded);
            Lines sent = {reading ? "pair FF6 RE" : "pair FF6 WR", op + "FC0", op + "FC8"};
            Events timeline = {configurationStep(direction, 0), configurationStep(direction, 1),
                               configurationStep(direction, 2)};
            for (std::size_t i = 0; i < c.blocks.size(); ++i) {
                sent.push_back(op + c.blocks[i]);
                timeline.push_back(dataStep(direction, 8 * static_cast<std::int32_t>(i), c.length));
            }
            sent.emplace_back("pair FF6 ZQ");
            timeline.push_back(dataStep(direction, c.length, c.length));
            EXPECT_EQ(rig.sent(), sent);
            EXPECT_EQ(result.exchanges, std::ssize(sent));
            EXPECT_EQ(result.planned, std::ssize(sent));
            EXPECT_EQ(rig.user.events(), timeline);
            rig.expectClosedOnce();
            EXPECT_EQ(rig.statePair(), "ZQ");
            if (reading) {
                EXPECT_TRUE(rig.config.ConfigChanged) << "reading neither sets nor clears it";
                EXPECT_EQ(rig.config.ConfigFileName, "cabinet.cfg");
                EXPECT_EQ(rig.settings, DeviceSettings{})
                    << "decoded from the trailer's zero bytes";
            }
        }
    }
}

TEST(Transfers, StoredLengthAboveTheImageIsCutToItsLastAddress) {
    Rig rig(imageWithLength(0xFFFF));

    // The region read then decodes as an overlong sequence, which stops the
    // decoder: the read still counts as a success.
    const TransferResult result = rig.read();
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.loaded, ImageLoadResult::StoppedEarly);
    EXPECT_TRUE(result.changedConfiguration());

    const Lines sent = rig.sent();
    ASSERT_EQ(sent.size(), 4U + 511U);
    EXPECT_EQ(sent[3 + 510], "read FF0");
    EXPECT_EQ(sent.back(), "pair FF6 ZQ");
    const Events statuses = rig.user.of(UserEvent::Kind::Status);
    EXPECT_EQ(statuses[3 + 510], dataStep(Reading, 8 * 510, 4087));
    EXPECT_EQ(statuses.back(), dataStep(Reading, 4087, 4087));
}

TEST(Transfers, AnInvalidTableIsReportedOnceReadingReachesWhatIsWrong) {
    struct Case {
        const char* what;
        std::size_t address;
        std::uint8_t value;
        ImageLoadResult loaded; ///< InvalidImage: the read stops at the marker
    };
    for (const Case& c : {Case{"no marker", ImageAddress::Marker, 0, ImageLoadResult::InvalidImage},
                          Case{"rotary rate 3, no list entry", ImageAddress::RotarySwitch1, 3,
                               ImageLoadResult::SettingsFailed}}) {
        SCOPED_TRACE(c.what);
        DeviceImage image = sampleImage();
        image[c.address] = c.value;
        Rig rig(image);

        const TransferResult result = rig.read();

        EXPECT_EQ(result.kind, TransferKind::InvalidImage);
        EXPECT_EQ(result.loaded, c.loaded);
        const bool dataRead = c.loaded != ImageLoadResult::InvalidImage;
        EXPECT_EQ(result.changedConfiguration(), dataRead) << "what the window redraws";
        rig.expectClosedOnce();
        if (dataRead) {
            EXPECT_EQ(rig.config.InputMacros, sampleConfiguration().InputMacros);
            EXPECT_TRUE(rig.settings.ReverseY) << "settings before the bad field were applied";
        } else {
            EXPECT_EQ(rig.sent(), (Lines{"pair FF6 RE", "read FC0", "read FC8"}));
            EXPECT_EQ(rig.user.events().back(), configurationStep(Reading, 2));
            EXPECT_EQ(rig.statePair(), "RE");
            EXPECT_EQ(rig.config.InputMacros, Configuration{}.InputMacros);
            EXPECT_EQ(rig.settings, DeviceSettings{});
        }
    }
}

TEST(Transfers, NoDeviceOrATableThatDoesNotFitEndsBeforeAnythingIsSent) {
    Configuration overfull;
    for (InputMacro& macro : overfull.InputMacros) {
        macro.Steps[Activation].fill(keyDown(4));
    }
    for (int run = 0; run < 4; ++run) {
        SCOPED_TRACE(run);
        Rig rig;
        rig.device.setUnplugged(run < 2);
        rig.config = sampleConfiguration();

        const TransferResult result =
            run == 0   ? rig.read()
            : run == 1 ? writeToDevice(rig.config, rig.settings, rig.context)
            : run == 2 ? writeToDevice(overfull, rig.settings, rig.context)
                       : writeImageToDevice(imageWithLength(4034), rig.context);

        EXPECT_EQ(result.kind, run < 2 ? TransferKind::NotFound : TransferKind::TooLarge);
        EXPECT_FALSE(result.dataSent);
        EXPECT_TRUE(rig.user.events().empty());
        EXPECT_TRUE(rig.device.reports().empty());
        EXPECT_EQ(rig.device.closeCount(), 0);
        EXPECT_EQ(rig.config.InputMacros, sampleConfiguration().InputMacros);
    }
}

TEST(Transfers, AFaultAtAnyExchangeStopsAtOnceClosesOnceAndSaysHowFarItGot) {
    const DeviceImage stored = sampleImage();
    const int exchanges = 4 + (storedTableLength(stored) + 7) / 8;
    for (const bool reading : {false, true}) {
        for (int index = 0; index < exchanges; ++index) {
            SCOPED_TRACE((reading ? "read, exchange " : "write, exchange ") +
                         std::to_string(index));
            Rig rig(stored);
            // A device that stops answering, and one that refuses a report.
            const bool refused = index % 2 == 1;
            rig.device.failExchange(index, refused ? DeviceFailure::Refused : DeviceFailure::Gone);
            rig.config.ConfigChanged = true;

            const TransferResult result =
                reading ? rig.read()
                        : writeToDevice(sampleConfiguration(), sampleSettings(), rig.context);

            EXPECT_EQ(result.kind, refused ? TransferKind::FailedPartWay : TransferKind::NoAnswer);
            EXPECT_EQ(result.exchanges, index);
            // A read learns its length from the trailer, after its third exchange.
            EXPECT_EQ(result.planned, reading && index < 3 ? 0 : exchanges);
            EXPECT_EQ(result.dataSent, !reading && index > 0);
            EXPECT_EQ(rig.device.reports().size(), static_cast<std::size_t>(index + 1))
                << "nothing is sent after the failing report";
            rig.expectClosedOnce();
            EXPECT_EQ(std::ssize(rig.user.of(UserEvent::Kind::Status)),
                      std::min(index + 1, exchanges - 1));
            // The start pair stays once it got through: no end pair was sent.
            EXPECT_EQ(rig.statePair(), index == 0 ? std::string(2, '\0') : (reading ? "RE" : "WR"));
            if (reading) {
                EXPECT_FALSE(result.changedConfiguration());
                EXPECT_EQ(rig.config.InputMacros, Configuration{}.InputMacros);
                EXPECT_TRUE(rig.config.ConfigChanged);
                EXPECT_EQ(rig.settings, DeviceSettings{});
            }
        }
    }
}

TEST(Transfers, AWriteCutOffAtAnyExchangeIsNeverReadBackAsAnImage) {
    const DeviceImage before = sampleImage();
    const DeviceImage after = imageWithLength(40);
    const int exchanges = 4 + 40 / 8;
    for (int cutOff = 0; cutOff <= exchanges; ++cutOff) {
        SCOPED_TRACE("cut off after " + std::to_string(cutOff) + " exchanges");
        Rig rig(before);
        rig.device.unplugAfter(cutOff);
        EXPECT_EQ(writeImageToDevice(after, rig.context).ok(), cutOff == exchanges);
        rig.device.clearFaults();
        rig.device.clearReports();
        rig.user.clear();

        const ImageRead read = readImageFromDevice(rig.context);

        if (cutOff > 0 && cutOff < exchanges) {
            EXPECT_EQ(read.kind(), TransferKind::WriteStartPairFound);
            EXPECT_EQ(rig.sent(), Lines{"read FF0"}) << "the evidence is left in place";
            EXPECT_TRUE(rig.user.events().empty());
        } else {
            ASSERT_EQ(read.kind(), TransferKind::Succeeded);
            EXPECT_EQ(read.value(), transferredPart(cutOff == 0 ? before : after));
            EXPECT_EQ(rig.sent().at(1), "pair FF6 RE");
        }
        EXPECT_EQ(rig.device.closeCount(), rig.device.openCount());
    }
}

// Folder permissions and the superuser are POSIX notions.
#ifndef _WIN32
TEST(Transfers, AnEndPairNotKeptIsKeptWholeOrNotAtAllByTheClose) {
    namespace fs = std::filesystem;
    for (const bool roomAtTheClose : {true, false}) {
        SCOPED_TRACE(roomAtTheClose ? "saved at the close" : "never saved");
        const TemporaryFolder folder;
        fs::permissions(folder.path, fs::perms::all);
        const fs::path locked = folder / "locked";
        fs::create_directory(locked);
        const std::string before(EmulatedDevice::MemorySize, '\0');
        testing::writeFile(locked / "device.bin", before);
        fs::permissions(locked / "device.bin", fs::perms::all);
        // The superuser saves anywhere, so the write runs as nobody, who owns
        // the folder and so may open it again.
        const bool wasRoot = geteuid() == 0;
        ASSERT_TRUE(!wasRoot || chown(locked.c_str(), 65534, 65534) == 0);
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        ASSERT_TRUE(!wasRoot || seteuid(65534) == 0);
        EmulatedDevice device(locked / "device.bin");
        // Room again at the close, as on a full disk with room by then.
        EmulatorSeam roomy(device, [&locked] {
            fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
        });
        UserRecorder quiet;
        TransferContext context{roomAtTheClose ? static_cast<HidAccess&>(roomy) : device, quiet};

        const TransferResult result = writeImageToDevice(sampleImage(), context);
        fs::permissions(locked, fs::perms::owner_all);
        ASSERT_TRUE(!wasRoot || seteuid(0) == 0);

        EXPECT_EQ(result.kind, TransferKind::FailedPartWay);
        EXPECT_EQ(result.status, DeviceFailure::NotKept);
        EXPECT_EQ(result.closed, roomAtTheClose ? DeviceSuccess : DeviceFailure::NotKept);
        const std::string after = testing::contentsOf(locked / "device.bin");
        if (roomAtTheClose) {
            EXPECT_EQ(after, std::string(device.memory().begin(), device.memory().end()));
            EXPECT_EQ(after[ImageAddress::Marker], 1);
        } else {
            EXPECT_EQ(after, before);
        }
    }
}
#endif

} // namespace
} // namespace vantrel
