// Imports arbitrary documents. A document is either refused with an
// ImportError or accepted; an accepted one nests no deeper than the parser's
// limit and must export to text that imports again to the same
// configuration and settings.
#include "formats/ImportError.h"
#include "formats/JsonDocument.h"
#include "formats/JsonExport.h"
#include "formats/JsonImport.h"
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

/// How deeply the text's arrays and objects nest, strings left out.
std::size_t nesting(std::string_view text) {
    std::size_t depth = 0;
    std::size_t deepest = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (escaped) {
            escaped = false;
        } else if (inString) {
            escaped = c == '\\';
            inString = c != '"';
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    ImportedConfiguration first;
    try {
        first = importConfiguration(text);
    } catch (const ImportError&) {
        return 0;
    }
    FUZZ_CHECK(nesting(text) <= vantrel::MaximumJsonNesting);

    const std::string exported = exportConfigurationText(first.config, first.settings);
    ImportedConfiguration second;
    try {
        second = importConfiguration(exported);
    } catch (const ImportError& error) {
        std::fprintf(stderr, "export of an accepted document is refused: %s\n", error.what());
        std::abort();
    }
    FUZZ_CHECK(second.config.InputMacros == first.config.InputMacros);
    FUZZ_CHECK(second.config.RotaryKeys == first.config.RotaryKeys);
    FUZZ_CHECK(second.settings == first.settings);
    return 0;
}
