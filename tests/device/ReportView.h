#pragma once

#include "HidAccess.h"
#include "modDevice.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Reading reports back in tests: the slots of a report, and a one-line
// summary that names what a well-formed transfer report does.
namespace vantrel::testing {

struct SlotView {
    std::uint8_t opcode;
    int address;
    std::uint8_t data;
};

inline SlotView slotOf(const Report& report, int k) {
    const auto at = static_cast<std::size_t>(1 + 4 * k);
    return {report[at], report[at + 1] * 256 + report[at + 2], report[at + 3]};
}

inline std::string hexAddress(int address) {
    char text[8];
    std::snprintf(text, sizeof text, "%03X", static_cast<unsigned>(address));
    return text;
}

/// "pair FF6 WR" for a two-byte write, "write 010" or "read FC0" for eight
/// consecutive slots of one kind, "other" for anything else.
inline std::string summary(const Report& report) {
    if (report[0] != TransferReportId) {
        return "other";
    }
    const SlotView first = slotOf(report, 0);
    const SlotView second = slotOf(report, 1);
    bool restEmpty = true;
    bool eightInARow = true;
    for (int k = 2; k < 8; ++k) {
        const SlotView slot = slotOf(report, k);
        restEmpty = restEmpty && slot.opcode == 0 && slot.address == 0 && slot.data == 0;
    }
    for (int k = 0; k < 8; ++k) {
        const SlotView slot = slotOf(report, k);
        eightInARow =
            eightInARow && slot.opcode == first.opcode && slot.address == first.address + k;
    }
    if (first.opcode == SlotWrite && second.opcode == SlotWrite &&
        second.address == first.address + 1 && restEmpty) {
        return "pair " + hexAddress(first.address) + " " + static_cast<char>(first.data) +
               static_cast<char>(second.data);
    }
    if (eightInARow && first.opcode == SlotWrite) {
        return "write " + hexAddress(first.address);
    }
    if (eightInARow && first.opcode == SlotRead) {
        bool dataZero = true;
        for (int k = 0; k < 8; ++k) {
            dataZero = dataZero && slotOf(report, k).data == 0;
        }
        return dataZero ? "read " + hexAddress(first.address) : "other";
    }
    return "other";
}

inline std::vector<std::string> summaries(const std::vector<Report>& reports) {
    std::vector<std::string> lines;
    lines.reserve(reports.size());
    for (const Report& report : reports) {
        lines.push_back(summary(report));
    }
    return lines;
}

} // namespace vantrel::testing
