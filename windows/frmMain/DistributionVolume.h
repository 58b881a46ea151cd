#pragma once

#include <QString>
#include <string>
#include <string_view>

// The program is shipped on a volume labelled with the product name; run
// from there, it should warn that it belongs on the user's own disk.
namespace vantrel {

/// The label of the volume whose root folder is `folder`; empty when
/// `folder` is not the root of a volume or the volume cannot be queried.
[[nodiscard]] std::string volumeLabelAtRoot(const QString& folder);

/// The same for the process's current folder.
[[nodiscard]] std::string currentVolumeLabel();

/// Whether `label` marks the distribution volume. The comparison is
/// case-sensitive: a label in other letter case is some other volume.
[[nodiscard]] bool isDistributionVolumeLabel(std::string_view label);

} // namespace vantrel
