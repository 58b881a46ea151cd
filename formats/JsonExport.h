#pragma once

#include "model/ConfigurationLabels.h"
#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <nlohmann/json.hpp>
#include <string>

// Writes a configuration in the readable format: every code by its display
// name where it has one, every list setting by its entry's text.
namespace vantrel {

/// The configuration as a document, fields in the order they are documented;
/// with `labels`, labelled as exportConfigurationText labels it.
[[nodiscard]] nlohmann::ordered_json
exportConfiguration(const Configuration& config, const DeviceSettings& settings,
                    const ConfigurationLabels* labels = nullptr);

/// The document as text: two-space indents, ending with a newline. With
/// `labels`, each labelled input and switch carries its "label" (a labelled
/// input that sends nothing too) and the intended shares are listed.
[[nodiscard]] std::string exportConfigurationText(const Configuration& config,
                                                  const DeviceSettings& settings,
                                                  const ConfigurationLabels* labels = nullptr);

} // namespace vantrel
