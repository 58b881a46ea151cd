// Writes the udev rule file the package installs, from the same function
// that vantrelctl prints the rule with, so that the two cannot differ.
#include "UdevRule.h"

#include <cstdint>
#include <cstdio>
#include <fstream>

#ifndef VANTREL_VENDOR_ID
#define VANTREL_VENDOR_ID 0
#endif

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantrel_write_udev_rule OUTPUT\n");
        return 2;
    }
    static_assert(VANTREL_VENDOR_ID >= 0 && VANTREL_VENDOR_ID <= 0xFFFF,
                  "VANTREL_VENDOR_ID must be a 16-bit USB vendor ID");
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << vantrel::cli::udevRuleFile(static_cast<std::uint16_t>(VANTREL_VENDOR_ID));
    out.close();
    if (!out) {
        std::fprintf(stderr, "vantrel_write_udev_rule: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
