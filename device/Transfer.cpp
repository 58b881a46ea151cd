#include "device/Transfer.h"

#include "device/modDevice.h"
#include "userinterface/ImageLoadMessage.h"

#include <algorithm>

namespace vantrel {
namespace {

constexpr const char* NotFoundText = "The VANTREL was not found";
constexpr const char* WriteErrorText = "Error while writing to the VANTREL";
constexpr const char* ReadErrorText = "Error while reading from the VANTREL";
constexpr const char* WriteSuccessText = "The configuration was successfully saved to the device";
constexpr const char* ReadSuccessText = "The configuration was successfully read from the device";

constexpr std::int32_t BlockSize = 8;
constexpr std::uint16_t SecondTrailerBlock = ImageAddress::TrailerStart + BlockSize;
constexpr std::uint16_t TransferStateBlock = ImageAddress::TransferState / BlockSize * BlockSize;

/// Reports of the configuration stage: the start pair and two trailer blocks.
constexpr std::int32_t ConfigurationReports = 3;

/// Tells the progress window how far the transfer has got before each step.
class Announcer {
public:
    Announcer(ProgressWindow& progress, TransferDirection direction)
        : progress_(progress)
        , direction_(direction) {}

    /// Before report `done` of the configuration stage.
    void configuration(std::int32_t done) const {
        progress_.update({direction_, TransferStage::Configuration, done, ConfigurationReports});
    }
    /// Before the block at `address` of a data region `length` bytes long;
    /// with `address` equal to `length`, when everything is done.
    void data(std::int32_t address, std::int32_t length) const {
        progress_.update({direction_, TransferStage::Data, address, length});
    }

private:
    ProgressWindow& progress_;
    TransferDirection direction_;
};

void tell(TransferContext& context, const char* text, const std::string& title, MessageIcon icon) {
    context.messages.showMessage(text, title, icon, MessageButtons::Ok);
}

bool openDevice(HidAccess& hid, DeviceHandle& handle) {
    return hid.OpenHidDevice(DeviceProductId, ReportLength, ReportLength, handle) == DeviceSuccess;
}

TransferResult endWithoutDevice(TransferContext& context) {
    context.progress.remove();
    tell(context, NotFoundText, context.windowCaption, MessageIcon::Stop);
    return TransferResult::NotFound;
}

TransferResult endAfterFailedExchange(TransferContext& context, DeviceHandle& handle,
                                      const char* text) {
    context.hid.CloseHidDevice(handle);
    context.progress.remove();
    tell(context, text, context.windowCaption, MessageIcon::Stop);
    return TransferResult::ExchangeFailed;
}

TransferResult endTooLarge(TransferContext& context) {
    context.progress.remove();
    tell(context, SizeLimitText, ApplicationTitle, MessageIcon::Exclamation);
    return TransferResult::TooLarge;
}

DeviceStatus writePair(HidAccess& hid, DeviceHandle& handle, TransferStatePair pair) {
    return WriteTwoBytes(hid, handle, ImageAddress::TransferState, pair.first, pair.second);
}

/// Makes one exchange per whole 8-byte block of the data region while the
/// block's start lies below `length`, each announced with the bytes done
/// before it; stops at the first failure.
template <typename BlockExchange>
DeviceStatus exchangeDataBlocks(std::int32_t length, const Announcer& announce,
                                BlockExchange exchangeBlock) {
    for (std::int32_t address = 0; address < length; address += BlockSize) {
        announce.data(address, length);
        const DeviceStatus status = exchangeBlock(static_cast<std::uint16_t>(address));
        if (status != DeviceSuccess) {
            return status;
        }
    }
    return DeviceSuccess;
}

/// Every report of a write, from the start pair to the end pair.
DeviceStatus writeReports(HidAccess& hid, DeviceHandle& handle, const DeviceImage& image,
                          std::int32_t length, const Announcer& announce) {
    announce.configuration(0);
    DeviceStatus status = writePair(hid, handle, WriteStartPair);
    if (status == DeviceSuccess) {
        announce.configuration(1);
        status = WriteEightBytes(hid, handle, ImageAddress::TrailerStart, image);
    }
    if (status == DeviceSuccess) {
        announce.configuration(2);
        status = WriteEightBytes(hid, handle, SecondTrailerBlock, image);
    }
    if (status == DeviceSuccess) {
        status = exchangeDataBlocks(length, announce, [&](std::uint16_t address) {
            return WriteEightBytes(hid, handle, address, image);
        });
    }
    if (status == DeviceSuccess) {
        status = writePair(hid, handle, EndPair);
    }
    return status;
}

/// The read-start pair and the trailer block.
DeviceStatus readTrailer(HidAccess& hid, DeviceHandle& handle, DeviceImage& image,
                         const Announcer& announce) {
    announce.configuration(0);
    DeviceStatus status = writePair(hid, handle, ReadStartPair);
    if (status == DeviceSuccess) {
        announce.configuration(1);
        status = ReadEightBytes(hid, handle, ImageAddress::TrailerStart, image);
    }
    if (status == DeviceSuccess) {
        announce.configuration(2);
        status = ReadEightBytes(hid, handle, SecondTrailerBlock, image);
    }
    return status;
}

/// The data region up to the stored length (cut to the image's last
/// address), then the end pair, announced as done once it went through.
DeviceStatus readDataAndFinish(HidAccess& hid, DeviceHandle& handle, DeviceImage& image,
                               const Announcer& announce) {
    const std::int32_t length =
        std::min(storedTableLength(image), std::int32_t{ImageAddress::Last});
    const DeviceStatus status = exchangeDataBlocks(length, announce, [&](std::uint16_t address) {
        return ReadEightBytes(hid, handle, address, image);
    });
    if (status != DeviceSuccess) {
        return status;
    }
    const DeviceStatus ended = writePair(hid, handle, EndPair);
    if (ended == DeviceSuccess) {
        announce.data(length, length);
    }
    return ended;
}

TransferResult sendImage(const DeviceImage& image, TransferContext& context) {
    DeviceHandle handle = 0;
    if (!openDevice(context.hid, handle)) {
        return endWithoutDevice(context);
    }
    const Announcer announce(context.progress, TransferDirection::Writing);
    const std::int32_t length = storedTableLength(image);
    if (writeReports(context.hid, handle, image, length, announce) != DeviceSuccess) {
        return endAfterFailedExchange(context, handle, WriteErrorText);
    }
    announce.data(length, length);
    context.hid.CloseHidDevice(handle);
    context.progress.remove();
    tell(context, WriteSuccessText, ApplicationTitle, MessageIcon::None);
    return TransferResult::Succeeded;
}

/// Replaces the configuration with the image read, then redraws and tells
/// the user. Runs only after the device is closed.
TransferResult decodeIntoConfiguration(DeviceImage& image, Configuration& config,
                                       DeviceSettings& settings, TransferContext& context,
                                       const ReadHooks& hooks) {
    const ImageLoadResult loaded = loadDeviceImage(image, config, settings);
    if (hooks.decoded) {
        hooks.decoded(loaded);
    }
    const ImageLoadMessage message = imageLoadMessage(loaded, ImageOrigin::Device);
    // An invalid image changed nothing, so there is nothing to redraw: the
    // marker was checked before any data was read, and only a decoder that
    // disagrees with that check gets here.
    if (loaded != ImageLoadResult::InvalidImage && hooks.redrawCaptions) {
        hooks.redrawCaptions();
    }
    context.progress.remove();
    if (message.failed) {
        tell(context, message.text, message.title, message.icon);
        return TransferResult::InvalidConfiguration;
    }
    tell(context, ReadSuccessText, ApplicationTitle, MessageIcon::None);
    return TransferResult::Succeeded;
}

/// Whether the image read first looks for a write that was cut off.
enum class LastWrite { Trusted, Checked };

/// Whether the device still holds the write-start pair; false as well when
/// the exchange failed, which `status` then tells.
bool holdsWriteStartPair(HidAccess& hid, DeviceHandle& handle, DeviceStatus& status) {
    DeviceImage block{};
    status = ReadEightBytes(hid, handle, TransferStateBlock, block);
    return status == DeviceSuccess && block[ImageAddress::TransferState] == WriteStartPair.first &&
           block[ImageAddress::TransferState + 1] == WriteStartPair.second;
}

TransferResult endQuietly(TransferContext& context, DeviceHandle& handle, TransferResult result) {
    context.hid.CloseHidDevice(handle);
    context.progress.remove();
    return result;
}

/// Every report of a read, from opening the device to closing it, into
/// `image`. Tells the user of a missing device and a failed exchange; an
/// invalid marker and a cut-off write are left to the caller to word.
TransferResult fetchImage(DeviceImage& image, TransferContext& context, LastWrite lastWrite) {
    DeviceHandle handle = 0;
    if (!openDevice(context.hid, handle)) {
        return endWithoutDevice(context);
    }
    if (lastWrite == LastWrite::Checked) {
        DeviceStatus status = DeviceSuccess;
        if (holdsWriteStartPair(context.hid, handle, status)) {
            return endQuietly(context, handle, TransferResult::UnfinishedWrite);
        }
        if (status != DeviceSuccess) {
            return endAfterFailedExchange(context, handle, ReadErrorText);
        }
    }
    const Announcer announce(context.progress, TransferDirection::Reading);
    if (readTrailer(context.hid, handle, image, announce) != DeviceSuccess) {
        return endAfterFailedExchange(context, handle, ReadErrorText);
    }
    if (image[ImageAddress::Marker] != 1) {
        return endQuietly(context, handle, TransferResult::InvalidConfiguration);
    }
    if (readDataAndFinish(context.hid, handle, image, announce) != DeviceSuccess) {
        return endAfterFailedExchange(context, handle, ReadErrorText);
    }
    context.hid.CloseHidDevice(handle);
    return TransferResult::Succeeded;
}

} // namespace

TransferResult writeToDevice(const Configuration& config, const DeviceSettings& settings,
                             TransferContext& context) {
    context.progress.show();
    DeviceImage image{};
    if (!buildDeviceImage(image, config, settings)) {
        return endTooLarge(context);
    }
    return sendImage(image, context);
}

TransferResult writeImageToDevice(const DeviceImage& image, TransferContext& context) {
    context.progress.show();
    if (storedTableLength(image) > MaxConfigSize) {
        return endTooLarge(context);
    }
    return sendImage(image, context);
}

TransferResult readFromDevice(Configuration& config, DeviceSettings& settings,
                              TransferContext& context, const ReadHooks& hooks) {
    if (hooks.querySaveChanges && hooks.querySaveChanges()) {
        return TransferResult::Cancelled;
    }
    context.progress.show();
    DeviceImage image{};
    const TransferResult fetched = fetchImage(image, context, LastWrite::Trusted);
    if (fetched == TransferResult::InvalidConfiguration) {
        const ImageLoadMessage message =
            imageLoadMessage(ImageLoadResult::InvalidImage, ImageOrigin::Device);
        tell(context, message.text, message.title, message.icon);
    }
    if (fetched != TransferResult::Succeeded) {
        return fetched;
    }
    return decodeIntoConfiguration(image, config, settings, context, hooks);
}

TransferResult readImageFromDevice(DeviceImage& image, TransferContext& context) {
    context.progress.show();
    image = DeviceImage{};
    const TransferResult fetched = fetchImage(image, context, LastWrite::Checked);
    if (fetched == TransferResult::Succeeded) {
        context.progress.remove();
        tell(context, ReadSuccessText, ApplicationTitle, MessageIcon::None);
    }
    return fetched;
}

} // namespace vantrel
