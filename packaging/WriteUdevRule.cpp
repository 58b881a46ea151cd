// Writes the udev rule file the package installs, from the same function
// that vantrelctl prints the rule with, so that the two cannot differ.
#include "device/UdevRule.h"
#include "generated/BuildConfig.h"

#include <cstdio>
#include <fstream>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantrel_write_udev_rule OUTPUT\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << vantrel::udevRuleFile(vantrel::build::VendorId);
    out.close();
    if (!out) {
        std::fprintf(stderr, "vantrel_write_udev_rule: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
