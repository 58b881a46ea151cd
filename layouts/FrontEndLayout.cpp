#include "layouts/FrontEndLayout.h"

#include "files/PathText.h"
#include "files/RegularFile.h"
#include "layouts/LayoutBuilder.h"
#include "layouts/MameConfig.h"
#include "layouts/RetroArchConfig.h"

#include <algorithm>

namespace vantrel {
namespace {

/// A retroarch.cfg with every setting written out is about 100 KB; far more
/// is no front end's file.
constexpr std::size_t MaximumFileSize = std::size_t{4} * 1024 * 1024;

LayoutFailure refused(LayoutError kind, std::string detail = {}) {
    return {{kind, std::move(detail)}, 0};
}

} // namespace

std::optional<FrontEnd> frontEndNamed(std::string_view word) {
    const auto* found = std::find(FrontEndWords.begin(), FrontEndWords.end(), word);
    if (found == FrontEndWords.end()) {
        return std::nullopt;
    }
    return static_cast<FrontEnd>(found - FrontEndWords.begin());
}

FrontEndLayoutRead frontEndLayoutFromText(FrontEnd frontEnd, std::string_view text, int players) {
    const bool retroArch = frontEnd == FrontEnd::RetroArch;
    const FileBindsRead read = retroArch ? readRetroArchBinds(text) : readMameBinds(text);
    if (!read.ok()) {
        return read.failure();
    }
    return buildLayout(retroArch ? retroArchTable() : mameTable(), read.value(), players);
}

FrontEndLayoutRead readFrontEndLayout(FrontEnd frontEnd, const std::filesystem::path& path,
                                      int players) {
    const Expected<std::string, FileError> read = readRegularFile(path, MaximumFileSize);
    if (read.kind() == FileError::TooLong) {
        return refused(LayoutError::TooLong);
    }
    if (!read.ok()) {
        return refused(LayoutError::CannotOpen, read.detail());
    }
    return frontEndLayoutFromText(frontEnd, read.value(), players);
}

FrontEndLayoutRead readFrontEndLayout(FrontEnd frontEnd, std::istream& in, int players) {
    std::string text;
    for (char c = 0; text.size() <= MaximumFileSize && in.get(c);) {
        text += c;
    }
    if (in.bad()) {
        return refused(LayoutError::CannotRead);
    }
    if (text.size() > MaximumFileSize) {
        return refused(LayoutError::TooLong);
    }
    return frontEndLayoutFromText(frontEnd, text, players);
}

} // namespace vantrel
