#pragma once

#include <string>

// Completion scripts for the shells, made from the command table when the
// tool is built, so that they offer exactly what the parser accepts.
namespace vantrel::cli {

/// Installed as bash-completion/completions/vantrelctl.
[[nodiscard]] std::string bashCompletion();
/// Installed as zsh's vendor-completions/_vantrelctl.
[[nodiscard]] std::string zshCompletion();
/// Installed as fish's vendor_completions.d/vantrelctl.fish.
[[nodiscard]] std::string fishCompletion();

} // namespace vantrel::cli
