#pragma once

#include "model/ConfigurationLabels.h"
#include "model/DeviceImage.h"
#include "model/DeviceSettings.h"
#include "model/Result.h"
#include "model/modSettings.h"

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Opens a configuration from either of its two forms, told apart by content:
// the device image the windows save, or the readable JSON document.
namespace vantrel {

/// Which of the two forms a configuration's bytes were read as.
enum class ConfigurationForm {
    Unread, ///< the file could not be read at all
    Image,  ///< the device image the windows save
    Json,   ///< the readable document
};

/// Why a configuration could not be used.
enum class ConfigurationError {
    None,
    CannotOpen, ///< the file could not be read; detail: "<path>: <what the system says>"
    CannotRead, ///< the stream broke while it was read
    TooLong,    ///< longer than a configuration of its form can be
    Refused,    ///< the JSON document is no configuration; detail: the reader's words
    NotDecoded, ///< the device image did not decode; `decoding` says how
};

/// A configuration that was read whole, and what was learnt reading it.
struct LoadedConfiguration {
    ConfigurationForm form = ConfigurationForm::Unread;
    /// The configuration's name in messages: its path, or what stands for a
    /// stream.
    std::string source;
    Configuration config;
    DeviceSettings settings;
    /// The JSON form's labels; none for a device image.
    ConfigurationLabels labels;
    /// A device image's bytes as the file holds them, when they decoded
    /// completely: sent as they are, what was backed up is restored exactly,
    /// even where encoding the configuration again would give other bytes.
    std::optional<DeviceImage> image;
    /// How a device image decoded; anything short of complete that still
    /// opened is worth a warning.
    ImageLoadResult decoding = ImageLoadResult::Complete;
    /// What the user should know about a JSON document that was read whole
    /// (a code given as a number without a name), each as one line naming
    /// the file and the place; never a reason to refuse it.
    std::vector<std::string> remarks;
};

/// Why a configuration could not be used, with what its line names.
struct ConfigurationFailure : Result<ConfigurationError> {
    ConfigurationForm form = ConfigurationForm::Unread;
    std::string source;
    /// How a device image that did not decode failed.
    ImageLoadResult decoding = ImageLoadResult::Complete;
};

using ConfigurationRead = Expected<LoadedConfiguration, ConfigurationError, ConfigurationFailure>;

/// The form the bytes were read as, whether or not they made a configuration.
[[nodiscard]] ConfigurationForm formRead(const ConfigurationRead& read);

/// Why a configuration could not be used, as one line naming it, as the
/// tool prints it and the windows show it.
[[nodiscard]] std::string configurationFailureLine(const ConfigurationFailure& failure);

/// What the user should know about a configuration that was still opened,
/// as the windows would open it, as one line naming it; empty when there is
/// nothing to say.
[[nodiscard]] std::string configurationWarningLine(const LoadedConfiguration& loaded);

/// Opens a configuration file. A file is read as JSON when, after blanks
/// (and a UTF-8 byte-order mark), it starts with "{" and it is not a valid
/// device image; a device image
/// holds the byte 0x01 at its marker, which JSON text cannot contain, so no
/// image is ever taken for JSON. Everything else is read as a device image,
/// exactly as the windows' Open reads it, with the windows' messages.
[[nodiscard]] ConfigurationRead loadConfiguration(const std::filesystem::path& path);

/// Opens a configuration from a stream read to its end (standard input);
/// `name` stands for it in messages.
[[nodiscard]] ConfigurationRead loadConfiguration(std::istream& in, std::string_view name);

/// True when the bytes are to be read as a JSON document (see above).
[[nodiscard]] bool looksLikeJson(std::string_view bytes);

} // namespace vantrel
