// Imports arbitrary documents. A document is either refused with an
// ImportError or accepted; an accepted one must export to text that imports
// again to the same configuration and settings.
#include "formats/ImportError.h"
#include "formats/JsonExport.h"
#include "formats/JsonImport.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    ImportedConfiguration first;
    try {
        first = importConfiguration(text);
    } catch (const ImportError&) {
        return 0;
    }

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
