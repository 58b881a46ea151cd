#include "device/Transfer.h"

#include "device/modDevice.h"

#include <algorithm>

namespace vantrel {
namespace {

constexpr auto BlockBytes = static_cast<std::int32_t>(BlockSize);
constexpr std::uint16_t SecondTrailerBlock = ImageAddress::TrailerStart + BlockBytes;
constexpr std::uint16_t TransferStateBlock = ImageAddress::TransferState / BlockBytes * BlockBytes;

/// Reports of the configuration stage: the start pair and two trailer blocks.
constexpr std::int32_t ConfigurationReports = 3;

/// Exchanges of a transfer whose data region is `length` bytes long: the
/// configuration stage, one per block, and the end pair.
std::int32_t exchangesFor(std::int32_t length) {
    return ConfigurationReports + (length + BlockBytes - 1) / BlockBytes + 1;
}

/// One opening of the device: its exchanges, counted, each announced to the
/// observer before it is made, and what ended it.
class Session {
public:
    Session(TransferContext& context, TransferDirection direction)
        : hid_(context.hid)
        , progress_(context.progress)
        , direction_(direction) {}

    /// False, with the result filled in, when the device did not open.
    bool open() {
        const DeviceStatus status =
            hid_.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle_);
        if (status == DeviceSuccess) {
            return true;
        }
        result_.status = status;
        result_.device = hid_.lastProblem();
        // A device that is there but refuses names where it is.
        result_.kind = status == DeviceFailure::Busy ? TransferKind::Busy
                       : !result_.device.where.empty() || status == DeviceFailure::NoPermission
                           ? TransferKind::CannotOpen
                           : TransferKind::NotFound;
        return false;
    }
    void close() { result_.closed = hid_.CloseHidDevice(handle_); }

    /// Before report `done` of the configuration stage.
    void announceConfiguration(std::int32_t done) const {
        progress_.update({direction_, TransferStage::Configuration, done, ConfigurationReports});
    }
    /// Before the block at `address` of a data region `length` bytes long;
    /// with `address` equal to `length`, when everything is done.
    void announceData(std::int32_t address, std::int32_t length) const {
        progress_.update({direction_, TransferStage::Data, address, length});
    }

    /// Makes one exchange through `exchange`; false, with the session's
    /// result told why, when it failed. Nothing is sent after a failure.
    template <typename Exchange>
    bool make(Exchange exchange) {
        if (!result_.ok()) {
            return false;
        }
        const DeviceStatus status = exchange(hid_, handle_);
        if (status == DeviceSuccess) {
            ++result_.exchanges;
            return true;
        }
        result_.status = status;
        result_.device = hid_.lastProblem();
        result_.kind = status == DeviceFailure::Timeout || status == DeviceFailure::Gone
                           ? TransferKind::NoAnswer
                           : TransferKind::FailedPartWay;
        return false;
    }
    bool writePair(TransferStatePair pair) {
        return make([pair](HidAccess& hid, DeviceHandle& handle) {
            return WriteTwoBytes(hid, handle, ImageAddress::TransferState, pair.first, pair.second);
        });
    }
    bool writeBlock(std::uint16_t address, const DeviceImage& image) {
        return make([address, &image](HidAccess& hid, DeviceHandle& handle) {
            return WriteEightBytes(hid, handle, address, image);
        });
    }
    bool readBlock(std::uint16_t address, DeviceImage& image) {
        return make([address, &image](HidAccess& hid, DeviceHandle& handle) {
            return ReadEightBytes(hid, handle, address, image);
        });
    }

    /// Makes one exchange per whole 8-byte block of the data region while
    /// the block's start lies below `length`, each announced with the bytes
    /// done before it; stops at the first failure.
    template <typename BlockExchange>
    bool exchangeDataBlocks(std::int32_t length, BlockExchange exchangeBlock) {
        for (std::int32_t address = 0; address < length; address += BlockBytes) {
            announceData(address, length);
            if (!exchangeBlock(static_cast<std::uint16_t>(address))) {
                return false;
            }
        }
        return true;
    }

    TransferResult& result() { return result_; }

private:
    HidAccess& hid_;
    TransferObserver& progress_;
    TransferDirection direction_;
    DeviceHandle handle_ = 0;
    TransferResult result_;
};

/// Every report of a write, from the start pair to the end pair.
void writeReports(Session& session, const DeviceImage& image, std::int32_t length) {
    session.announceConfiguration(0);
    if (!session.writePair(WriteStartPair)) {
        return;
    }
    session.result().dataSent = true;
    session.announceConfiguration(1);
    if (!session.writeBlock(ImageAddress::TrailerStart, image)) {
        return;
    }
    session.announceConfiguration(2);
    if (session.writeBlock(SecondTrailerBlock, image) &&
        session.exchangeDataBlocks(
            length, [&](std::uint16_t address) { return session.writeBlock(address, image); }) &&
        session.writePair(EndPair)) {
        session.announceData(length, length);
    }
}

TransferResult sendImage(const DeviceImage& image, TransferContext& context) {
    Session session(context, TransferDirection::Writing);
    const std::int32_t length = storedTableLength(image);
    session.result().planned = exchangesFor(length);
    if (!session.open()) {
        return session.result();
    }
    writeReports(session, image, length);
    session.close();
    return session.result();
}

/// The read-start pair and the trailer block.
bool readTrailer(Session& session, DeviceImage& image) {
    session.announceConfiguration(0);
    if (!session.writePair(ReadStartPair)) {
        return false;
    }
    session.announceConfiguration(1);
    if (!session.readBlock(ImageAddress::TrailerStart, image)) {
        return false;
    }
    session.announceConfiguration(2);
    return session.readBlock(SecondTrailerBlock, image);
}

/// The data region up to the stored length (cut to the image's last
/// address), then the end pair, announced as done once it went through.
void readDataAndFinish(Session& session, DeviceImage& image) {
    const std::int32_t length =
        std::min(storedTableLength(image), std::int32_t{ImageAddress::Last});
    session.result().planned += exchangesFor(length);
    if (session.exchangeDataBlocks(
            length, [&](std::uint16_t address) { return session.readBlock(address, image); }) &&
        session.writePair(EndPair)) {
        session.announceData(length, length);
    }
}

/// Whether the image read first looks for a write that was cut off.
enum class LastWrite { Trusted, Checked };

/// Whether the device still holds the write-start pair; false as well when
/// the exchange failed, which the session's result then tells.
bool holdsWriteStartPair(Session& session) {
    DeviceImage block{};
    return session.readBlock(TransferStateBlock, block) &&
           block[ImageAddress::TransferState] == WriteStartPair.first &&
           block[ImageAddress::TransferState + 1] == WriteStartPair.second;
}

/// Every report of a read, from opening the device to closing it, into
/// `image`.
TransferResult fetchImage(DeviceImage& image, TransferContext& context, LastWrite lastWrite) {
    Session session(context, TransferDirection::Reading);
    if (!session.open()) {
        return session.result();
    }
    if (lastWrite == LastWrite::Checked) {
        session.result().planned = 1;
        if (holdsWriteStartPair(session)) {
            session.result().kind = TransferKind::WriteStartPairFound;
        }
    }
    if (session.result().ok() && readTrailer(session, image)) {
        if (image[ImageAddress::Marker] != 1) {
            session.result().kind = TransferKind::InvalidImage;
        } else {
            readDataAndFinish(session, image);
        }
    }
    session.close();
    return session.result();
}

} // namespace

TransferResult writeToDevice(const Configuration& config, const DeviceSettings& settings,
                             TransferContext& context) {
    DeviceImage image{};
    if (!buildDeviceImage(image, config, settings)) {
        return TransferResult::of(TransferKind::TooLarge);
    }
    return sendImage(image, context);
}

TransferResult writeImageToDevice(const DeviceImage& image, TransferContext& context) {
    if (storedTableLength(image) > MaxConfigSize) {
        return TransferResult::of(TransferKind::TooLarge);
    }
    return sendImage(image, context);
}

TransferResult readFromDevice(Configuration& config, DeviceSettings& settings,
                              TransferContext& context) {
    DeviceImage image{};
    TransferResult result = fetchImage(image, context, LastWrite::Trusted);
    if (!result.ok()) {
        return result;
    }
    result.loaded = loadDeviceImage(image, config, settings);
    if (result.loaded == ImageLoadResult::InvalidImage ||
        result.loaded == ImageLoadResult::SettingsFailed) {
        result.kind = TransferKind::InvalidImage;
    }
    return result;
}

ImageRead readImageFromDevice(TransferContext& context) {
    DeviceImage image{};
    TransferResult result = fetchImage(image, context, LastWrite::Checked);
    if (!result.ok()) {
        return result;
    }
    return image;
}

} // namespace vantrel
