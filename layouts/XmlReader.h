#pragma once

#include "layouts/FrontEndLayout.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Just enough XML for the configuration files of a front end: elements,
// attributes, text, comments, processing instructions, CDATA and the
// predefined and numeric character references. A document type declaration
// is refused, so that no entity of the file's own is ever expanded.
namespace vantrel {

struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    /// The text directly inside, references replaced, children left out.
    std::string text;
    std::vector<XmlElement> children;
    int line = 0; ///< where its start tag begins

    /// The attribute's value; none when the element has no such attribute.
    [[nodiscard]] std::optional<std::string_view> attribute(std::string_view attributeName) const;
};

/// The root element, or one of the Xml kinds of LayoutError.
using XmlRead = Expected<XmlElement, LayoutError, LayoutFailure>;

/// Elements nest no deeper than this; a front end's files nest five deep.
constexpr int MaximumXmlDepth = 16;

[[nodiscard]] XmlRead readXml(std::string_view text);

} // namespace vantrel
