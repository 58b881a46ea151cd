#pragma once

#include "formats/JsonText.h"
#include "layouts/FrontEndLayout.h"
#include "model/ConfigurationLabels.h"
#include "model/modSettings.h"

// A front end's layout as a configuration: control k on input k + 1, under
// its label, every setting at its start-up value.
namespace vantrel {

struct LayoutConfiguration {
    Configuration config;
    ConfigurationLabels labels;
};

[[nodiscard]] LayoutConfiguration layoutConfiguration(const FrontEndLayout& layout);

/// The readable format's document of it, each key by the front end's own
/// name for it wherever the format reads that name as the same key.
[[nodiscard]] JsonObject layoutDocument(const FrontEndLayout& layout);

} // namespace vantrel
