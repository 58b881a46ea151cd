#pragma once

#include "layouts/BindValue.h"
#include "layouts/FrontEndLayout.h"
#include "layouts/FrontEndTables.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Puts a front end's file over the front end's table: each control takes the
// file's keys, or its default where the file leaves the bind out.
namespace vantrel {

/// What a front end's file sets, read but not yet looked up.
struct FileBinds {
    /// Every bind the file sets, by its name; the last setting of a bind counts.
    std::map<std::string, BindValue, std::less<>> binds;
    /// What reading the file found worth telling (an #include, a bind set twice).
    std::vector<LayoutNote> notes;
    /// Keys put in place of others in the defaults (MAME's remap), in order.
    std::vector<std::pair<std::string, std::string>> remaps;
};

using FileBindsRead = Expected<FileBinds, LayoutError, LayoutFailure>;

/// Sets the bind, noting a bind the file set before.
void setBind(FileBinds& file, const std::string& bind, BindValue value);

/// The controls of players 1 to `players` and the functions, numbered in
/// that order, with a note for each bind the file sets that the layout
/// cannot carry.
[[nodiscard]] FrontEndLayout buildLayout(const FrontEndTable& table, const FileBinds& file,
                                         int players);

} // namespace vantrel
