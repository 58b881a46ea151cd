#pragma once

#include <stdexcept>
#include <string>

namespace vantrel {

/// A fault in a document, with the place it was found: a path such as
/// `inputs[3].macro.activation[2].code`, empty for the document as a whole.
class ImportError : public std::runtime_error {
public:
    ImportError(std::string place, const std::string& message)
        : std::runtime_error(place.empty() ? message : place + ": " + message)
        , place_(std::move(place)) {}

    [[nodiscard]] const std::string& place() const { return place_; }

private:
    std::string place_;
};

} // namespace vantrel
