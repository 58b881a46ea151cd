#pragma once

#include "device/HidAccess.h"
#include "userinterface/UserInterface.h"
#include "model/DeviceImage.h"
#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <functional>
#include <string>

// Writing a configuration into the device and reading it back, report by
// report, with the user told through the interfaces of UserInterface.h.
namespace vantrel {

/// What a transfer needs from its surroundings.
struct TransferContext {
    HidAccess& hid;
    ProgressWindow& progress;
    MessagePrompter& messages;
    /// The main window's current caption: the title of failure messages.
    std::string windowCaption = MainWindowCaption;
};

enum class TransferResult {
    Succeeded,
    Cancelled,            ///< the user kept unsaved changes (read only); nothing happened
    NotFound,             ///< no device could be opened; nothing was sent
    ExchangeFailed,       ///< a report failed; the device was closed, nothing retried
    InvalidConfiguration, ///< read only: the device holds no valid configuration
    TooLarge,             ///< write only: the input table does not fit the device
    UnfinishedWrite,      ///< image read only: the device's last write was cut off
};

/// Encodes the configuration and writes it into the device. Changes nothing
/// in the configuration, ConfigChanged included. A configuration whose input
/// table does not fit the image (one that was loaded, never one built by the
/// size-checked editing commands) is refused with TooLarge before the device
/// is opened.
TransferResult writeToDevice(const Configuration& config, const DeviceSettings& settings,
                             TransferContext& context);

/// Writes an image that is already encoded, exactly as writeToDevice writes
/// the one it builds: the data region up to the image's stored table length,
/// then its trailer. An image whose stored length exceeds MaxConfigSize is
/// refused with TooLarge before the device is opened; nothing else of the
/// image is checked.
TransferResult writeImageToDevice(const DeviceImage& image, TransferContext& context);

/// What the read procedure calls around the user's configuration. Any may
/// be left empty: no question is asked, nothing is redrawn.
struct ReadHooks {
    /// The unsaved-changes prompt: true means the user abandoned the read.
    std::function<bool()> querySaveChanges;
    /// Called after the configuration was replaced, to redraw every row and
    /// bring the settings controls in step with the settings record.
    std::function<void()> redrawCaptions;
    /// Told how the decoder fared with the image read, before anything is
    /// redrawn; a caller that must not keep a partial configuration looks
    /// for StoppedEarly here. Defaulted, so that hooks written as
    /// {prompt, redraw} need not name it.
    std::function<void(ImageLoadResult)> decoded = {};
};

/// Reads the device's configuration and, only when every exchange succeeded
/// and the device is closed, decodes it into the configuration and settings.
TransferResult readFromDevice(Configuration& config, DeviceSettings& settings,
                              TransferContext& context, const ReadHooks& hooks);

/// Reads the device's image as the device holds it, for a caller that keeps
/// the bytes rather than a configuration: the trailer and the data region up
/// to the stored length (cut to the image's last address), the rest zero.
/// Before the read-start pair it fetches the block holding the transfer-state
/// pair, because a write leaves its start pair there until its end pair
/// replaces it, and the read's own start pair would wipe out that evidence.
/// This assumes the device answers a read of the pair with the last pair
/// written. That block is not put into the image. A device still holding
/// the write-start pair gives UnfinishedWrite, one without a valid marker
/// InvalidConfiguration; neither is told to the user, since what each means
/// is the caller's to say. Nothing is decoded.
TransferResult readImageFromDevice(DeviceImage& image, TransferContext& context);

} // namespace vantrel
