#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantrel {

/// One fault of a document and the place it was found: a path such as
/// `inputs[3].macro.activation[2].code`, empty for the document as a whole.
struct ImportFault {
    std::string place;
    std::string message;

    /// "place: message", or the message alone for the whole document.
    [[nodiscard]] std::string line() const {
        return place.empty() ? message : place + ": " + message;
    }
};

/// How many faults a refusal names before it only counts the rest.
constexpr std::size_t NamedFaultLimit = 20;

/// The faults of a document, in the order they were found; what() names
/// each on a line of its own, up to NamedFaultLimit, then "and N more".
class ImportError : public std::runtime_error {
public:
    ImportError(std::string place, const std::string& message)
        : ImportError(std::vector<ImportFault>{{std::move(place), message}}) {}

    explicit ImportError(std::vector<ImportFault> faults)
        : std::runtime_error(linesOf(faults))
        , faults_(std::move(faults)) {}

    /// The place of the first fault.
    [[nodiscard]] const std::string& place() const { return faults_.front().place; }
    [[nodiscard]] const std::vector<ImportFault>& faults() const { return faults_; }

private:
    static std::string linesOf(const std::vector<ImportFault>& faults) {
        std::string text;
        for (std::size_t k = 0; k < faults.size() && k < NamedFaultLimit; ++k) {
            text += (k == 0 ? "" : "\n") + faults[k].line();
        }
        if (faults.size() > NamedFaultLimit) {
            text += "\nand " + std::to_string(faults.size() - NamedFaultLimit) + " more";
        }
        return text;
    }

    std::vector<ImportFault> faults_;
};

} // namespace vantrel
