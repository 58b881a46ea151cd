#include "layouts/XmlReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <utility>

namespace vantrel {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
/// How much of the text a refusal quotes from where it went wrong.
constexpr std::size_t QuotedLength = 20;
/// The longest reference read: "&#x10FFFF;" and every predefined name fit.
constexpr std::size_t LongestReference = 10;

struct PredefinedEntity {
    std::string_view name;
    char character;
};
constexpr std::array<PredefinedEntity, 5> PredefinedEntities = {
    {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}}};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == ':' || c == '.' || c == '-' || static_cast<unsigned char>(c) >= 0x80;
}

void appendUtf8(std::uint32_t point, std::string& into) {
    constexpr std::uint32_t OneByte = 0x80;
    constexpr std::uint32_t TwoBytes = 0x800;
    constexpr std::uint32_t ThreeBytes = 0x10000;
    const auto byte = [&into](std::uint32_t value) {
        into += static_cast<char>(value);
    };
    if (point < OneByte) {
        byte(point);
    } else if (point < TwoBytes) {
        byte(0xC0 | (point >> 6));
        byte(0x80 | (point & 0x3F));
    } else if (point < ThreeBytes) {
        byte(0xE0 | (point >> 12));
        byte(0x80 | ((point >> 6) & 0x3F));
        byte(0x80 | (point & 0x3F));
    } else {
        byte(0xF0 | (point >> 18));
        byte(0x80 | ((point >> 12) & 0x3F));
        byte(0x80 | ((point >> 6) & 0x3F));
        byte(0x80 | (point & 0x3F));
    }
}

/// The character a numeric reference ("#65", "#x41") stands for, when it
/// stands for one XML allows.
std::optional<std::uint32_t> numericReference(std::string_view name) {
    constexpr std::uint32_t Highest = 0x10FFFF;
    constexpr std::uint32_t FirstSurrogate = 0xD800;
    constexpr std::uint32_t LastSurrogate = 0xDFFF;
    const bool hexadecimal = name.starts_with("#x");
    const std::string_view digits = name.substr(hexadecimal ? 2 : 1);
    std::uint32_t point = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), point, hexadecimal ? 16 : 10);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size() ||
        point == 0 || point > Highest || (point >= FirstSurrogate && point <= LastSurrogate)) {
        return std::nullopt;
    }
    return point;
}

class XmlParser {
public:
    explicit XmlParser(std::string_view text)
        : text_(text) {}

    XmlRead read() {
        if (text_.starts_with(ByteOrderMark)) {
            pos_ = ByteOrderMark.size();
        }
        XmlElement root;
        const bool whole = skipMarkupAround() && startsRoot() && element(root, 1) &&
                           skipMarkupAround() && (atEnd() || unexpected());
        if (!whole) {
            return failure_;
        }
        return root;
    }

private:
    [[nodiscard]] bool atEnd() const { return pos_ >= text_.size(); }
    [[nodiscard]] bool startsWith(std::string_view start) const {
        return text_.substr(pos_).starts_with(start);
    }
    [[nodiscard]] char current() const { return text_[pos_]; }

    void advance(std::size_t count) {
        const std::size_t end = std::min(pos_ + count, text_.size());
        line_ +=
            static_cast<int>(std::count(text_.begin() + static_cast<std::ptrdiff_t>(pos_),
                                        text_.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
        pos_ = end;
    }

    bool fail(LayoutError kind, std::string detail) {
        if (failure_.ok()) {
            failure_ = {{kind, std::move(detail)}, line_};
        }
        return false;
    }

    bool unexpected() {
        const std::string_view rest = text_.substr(pos_, QuotedLength);
        return fail(LayoutError::XmlUnexpected, std::string(rest.substr(0, rest.find('\n'))));
    }

    bool endsEarly() { return fail(LayoutError::XmlEndsEarly, open_); }

    std::size_t skipBlanks() {
        const std::size_t start = pos_;
        while (!atEnd() && isBlank(current())) {
            advance(1);
        }
        return pos_ - start;
    }

    /// Skips what runs to `end`, the end included.
    bool skipPast(std::string_view end) {
        const std::size_t found = text_.find(end, pos_);
        if (found == std::string_view::npos) {
            return endsEarly();
        }
        advance(found + end.size() - pos_);
        return true;
    }

    /// Blanks, comments and processing instructions (the XML declaration
    /// among them), as they may come before and after the root.
    bool skipMarkupAround() {
        while (true) {
            skipBlanks();
            if (startsWith("<!--")) {
                if (!skipPast("-->")) {
                    return false;
                }
            } else if (startsWith("<?")) {
                if (!skipPast("?>")) {
                    return false;
                }
            } else {
                return true;
            }
        }
    }

    bool startsRoot() {
        if (atEnd()) {
            return endsEarly();
        }
        return startsWith("<") && !startsWith("<!") ? true : unexpected();
    }

    bool name(std::string& into) {
        const std::size_t start = pos_;
        while (!atEnd() && isNameCharacter(current())) {
            advance(1);
        }
        into = std::string(text_.substr(start, pos_ - start));
        return !into.empty() || (atEnd() ? endsEarly() : unexpected());
    }

    bool reference(std::string& into) {
        const std::size_t end = text_.find(';', pos_);
        if (end == std::string_view::npos || end - pos_ > LongestReference + 1) {
            return atEnd() ? endsEarly() : unexpected();
        }
        const std::string_view entity = text_.substr(pos_ + 1, end - pos_ - 1);
        const auto* predefined =
            std::find_if(PredefinedEntities.begin(), PredefinedEntities.end(),
                         [entity](const PredefinedEntity& known) { return known.name == entity; });
        if (predefined != PredefinedEntities.end()) {
            into += predefined->character;
        } else if (const auto point =
                       entity.starts_with('#') ? numericReference(entity) : std::nullopt) {
            appendUtf8(*point, into);
        } else {
            return fail(LayoutError::XmlUnknownEntity, std::string(entity));
        }
        advance(end + 1 - pos_);
        return true;
    }

    bool attributeValue(std::string& into) {
        if (atEnd() || (current() != '"' && current() != '\'')) {
            return atEnd() ? endsEarly() : unexpected();
        }
        const char quote = current();
        advance(1);
        while (!atEnd() && current() != quote) {
            if (current() == '<') {
                return unexpected();
            }
            if (current() == '&') {
                if (!reference(into)) {
                    return false;
                }
            } else {
                into += current();
                advance(1);
            }
        }
        if (atEnd()) {
            return endsEarly();
        }
        advance(1);
        return true;
    }

    bool attributes(XmlElement& into) {
        while (true) {
            const bool blank = skipBlanks() > 0;
            if (atEnd()) {
                return endsEarly();
            }
            if (startsWith("/>") || startsWith(">")) {
                return true;
            }
            if (!blank) {
                return unexpected();
            }
            auto& [attributeName, value] = into.attributes.emplace_back();
            if (!name(attributeName)) {
                return false;
            }
            skipBlanks();
            if (!startsWith("=")) {
                return atEnd() ? endsEarly() : unexpected();
            }
            advance(1);
            skipBlanks();
            if (!attributeValue(value)) {
                return false;
            }
        }
    }

    bool endTag(const XmlElement& open) {
        advance(2);
        std::string closed;
        if (!name(closed)) {
            return false;
        }
        skipBlanks();
        if (closed != open.name) {
            return fail(LayoutError::XmlMismatchedEnd, closed);
        }
        if (!startsWith(">")) {
            return atEnd() ? endsEarly() : unexpected();
        }
        advance(1);
        return true;
    }

    bool cdata(XmlElement& into) {
        constexpr std::string_view Start = "<![CDATA[";
        constexpr std::string_view End = "]]>";
        const std::size_t start = pos_ + Start.size();
        const std::size_t end = text_.find(End, start);
        if (end == std::string_view::npos) {
            return endsEarly();
        }
        into.text += text_.substr(start, end - start);
        advance(end + End.size() - pos_);
        return true;
    }

    bool content(XmlElement& into, int depth) {
        const std::string outer = std::exchange(open_, into.name);
        while (!atEnd()) {
            bool read = true;
            if (startsWith("</")) {
                open_ = outer;
                return endTag(into);
            }
            if (startsWith("<!--")) {
                read = skipPast("-->");
            } else if (startsWith("<![CDATA[")) {
                read = cdata(into);
            } else if (startsWith("<?")) {
                read = skipPast("?>");
            } else if (startsWith("<!")) {
                read = unexpected();
            } else if (startsWith("<")) {
                read = element(into.children.emplace_back(), depth + 1);
            } else if (current() == '&') {
                read = reference(into.text);
            } else {
                into.text += current();
                advance(1);
            }
            if (!read) {
                return false;
            }
        }
        return endsEarly();
    }

    bool element(XmlElement& into, int depth) {
        if (depth > MaximumXmlDepth) {
            return fail(LayoutError::XmlTooDeep, {});
        }
        into.line = line_;
        advance(1);
        if (!name(into.name) || !attributes(into)) {
            return false;
        }
        if (startsWith("/>")) {
            advance(2);
            return true;
        }
        advance(1);
        return content(into, depth);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    /// The innermost element still open, as a text that ends early names it.
    std::string open_;
    LayoutFailure failure_;
};

} // namespace

std::optional<std::string_view> XmlElement::attribute(std::string_view attributeName) const {
    for (const auto& [attributeKey, value] : attributes) {
        if (attributeKey == attributeName) {
            return value;
        }
    }
    return std::nullopt;
}

XmlRead readXml(std::string_view text) {
    return XmlParser(text).read();
}

} // namespace vantrel
