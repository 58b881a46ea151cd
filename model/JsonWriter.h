#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The one way the program writes JSON: a file it saves, a line a script
// reads. It never fails on what it is given: text that is not UTF-8 has its
// stray bytes replaced, and characters that would drive or reorder a
// terminal are escaped (see jsonEscapedText).
namespace vantrel {

class JsonWriter {
public:
    /// `indent` spaces a level over several lines, or one line when negative.
    explicit JsonWriter(int indent = -1);

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    /// The name of the object's next member.
    JsonWriter& key(std::string_view name);
    JsonWriter& string(std::string_view text);
    template <std::integral Number>
    requires(!std::same_as<Number, bool>) JsonWriter& number(Number value) {
        return raw(std::to_string(value));
    }
    /// A number that may have a fraction, with as many digits as it takes
    /// to read back the same double.
    JsonWriter& fraction(double value);
    /// Microseconds as seconds with all six decimals ("1.000250"), the way
    /// event recordings write their times.
    JsonWriter& seconds(std::int64_t microseconds);
    JsonWriter& boolean(bool value);
    JsonWriter& null();

    [[nodiscard]] const std::string& text() const { return text_; }

private:
    JsonWriter& raw(const std::string& text);
    void beginValue();
    JsonWriter& begin(char bracket);
    JsonWriter& end(char bracket);
    void newLine();

    int indent_;
    std::string text_;
    /// For each open object or array: how many values it holds so far.
    std::vector<std::size_t> open_;
    bool afterKey_ = false;
};

} // namespace vantrel
