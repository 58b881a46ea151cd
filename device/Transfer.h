#pragma once

#include "device/HidAccess.h"
#include "device/TransferProgress.h"
#include "model/DeviceImage.h"
#include "model/DeviceSettings.h"
#include "model/Result.h"
#include "model/modSettings.h"

#include <cstdint>

// Writing a configuration into the device and reading it back, report by
// report. The procedures tell an observer how far they have got and return
// what happened; they say nothing to the user, each front end words it.
namespace vantrel {

/// What a transfer needs from its surroundings.
struct TransferContext {
    HidAccess& hid;
    TransferObserver& progress;
};

/// How a transfer ended; Succeeded is the Result's success.
enum class TransferKind {
    Succeeded,
    NotFound,      ///< no device to open; nothing was sent
    CannotOpen,    ///< a device is there but would not open (device.kind says why); nothing sent
    Busy,          ///< another program is using the device; nothing was sent
    FailedPartWay, ///< an exchange failed (refused, cut short, not kept); the device was closed
    NoAnswer,      ///< the device stopped answering; the device was closed
    InvalidImage,  ///< read only: the device holds no valid configuration
    WriteStartPairFound, ///< checked read only: the device's last write was cut off
    TooLarge,            ///< write only: the input table does not fit the device; nothing sent
};

/// What a transfer came to: its kind, and beside it what each front end
/// needs to word a failure. `device` is the link's own account of the
/// failure that ended it, empty when the link had nothing to add; `detail`
/// stays empty, since the link's words are there.
struct TransferResult : Result<TransferKind> {
    DeviceStatus status = DeviceSuccess; ///< the link's result that ended it
    DeviceProblem device;
    /// Exchanges the device answered before the transfer ended.
    std::int32_t exchanges = 0;
    /// Exchanges the whole transfer takes; 0 while unknown (a read that
    /// ended before it learnt the data length).
    std::int32_t planned = 0;
    /// A write got past its start pair: a block of the image went out, so
    /// the device may hold part of it.
    bool dataSent = false;
    /// The link's result of closing the device. A write whose end pair the
    /// device could not keep is kept after all when the close succeeds.
    DeviceStatus closed = DeviceSuccess;
    /// A read's decoding: InvalidImage when nothing was decoded.
    ImageLoadResult loaded = ImageLoadResult::InvalidImage;

    /// Built member by member, as DeviceProblem is.
    static TransferResult of(TransferKind kind) {
        TransferResult result;
        result.kind = kind;
        return result;
    }

    /// The read replaced the configuration, wholly or in part, so what shows
    /// it must be redrawn.
    [[nodiscard]] bool changedConfiguration() const {
        return loaded != ImageLoadResult::InvalidImage;
    }
};

/// Encodes the configuration and writes it into the device. Changes nothing
/// in the configuration, ConfigChanged included. A configuration whose input
/// table does not fit the image (one that was loaded, never one built by the
/// size-checked editing commands) gives TooLarge before the device is
/// opened.
TransferResult writeToDevice(const Configuration& config, const DeviceSettings& settings,
                             TransferContext& context);

/// Writes an image that is already encoded, exactly as writeToDevice writes
/// the one it builds: the data region up to the image's stored table length,
/// then its trailer. An image whose stored length exceeds MaxConfigSize gives
/// TooLarge before the device is opened; nothing else of the image is
/// checked.
TransferResult writeImageToDevice(const DeviceImage& image, TransferContext& context);

/// Reads the device's configuration and, only when every exchange succeeded
/// and the device is closed, decodes it into the configuration and settings;
/// `loaded` tells how the decoding ended. A decoding that failed part-way
/// (a rotary setting with no list entry) gives InvalidImage with the part
/// before it applied.
TransferResult readFromDevice(Configuration& config, DeviceSettings& settings,
                              TransferContext& context);

/// The image a read gave, or how the read failed.
using ImageRead = Expected<DeviceImage, TransferKind, TransferResult>;

/// Reads the device's image as the device holds it, for a caller that keeps
/// the bytes rather than a configuration: the trailer and the data region up
/// to the stored length (cut to the image's last address), the rest zero.
/// Before the read-start pair it fetches the block holding the transfer-state
/// pair, because a write leaves its start pair there until its end pair
/// replaces it, and the read's own start pair would wipe out that evidence.
/// This assumes the device answers a read of the pair with the last pair
/// written. That block is not put into the image. A device still holding the
/// write-start pair gives WriteStartPairFound, one without a valid marker
/// InvalidImage. Nothing is decoded.
ImageRead readImageFromDevice(TransferContext& context);

} // namespace vantrel
