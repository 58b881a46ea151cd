#pragma once

#include "model/ConfigurationLabels.h"
#include "model/DeviceSettings.h"
#include "model/Result.h"
#include "model/modSettings.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// The readable form of a configuration builds on this layer, so Open cannot
// call its reader; the program hands the reader in.
namespace vantrel {

/// A configuration as the readable form holds it, with the labels a device
/// image has no room for.
struct ReadableConfiguration {
    Configuration config;
    DeviceSettings settings;
    ConfigurationLabels labels;
};

/// Why a document in the readable form cannot be used.
enum class ReadableFormError {
    None,
    Mistake, ///< detail: one line naming the file and the place of the mistake
};

using ReadableFormRead = Expected<ReadableConfiguration, ReadableFormError>;

/// Reads the file at a path when its content shows it is the readable form;
/// nothing when it is not (or cannot be read at all), so that it is opened
/// as a device image, whose own read says what is wrong with it.
using ReadableFormReader =
    std::function<std::optional<ReadableFormRead>(const std::filesystem::path&)>;

/// The text of the box for a readable form with a mistake: the open failure,
/// then the mistake on a line of its own.
[[nodiscard]] std::string readableFormMistakeText(const std::string& mistake);

} // namespace vantrel
