#include "model/EchoedText.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

TEST(EchoedText, escapesWhatWouldDriveTheTerminalAndKeepsTheRest) {
    // Each text and how it is shown.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\x1b[31mred", "\\x1b[31mred"},
        {"tab\there\r\n", R"(tab\x09here\x0d\x0a)"},
        {"del\x7f", "del\\x7f"},
        {"c1 \xc2\x9b", "c1 \\u009b"},
        {"right\xe2\x80\xaeto left", "right\\u202eto left"},
        {"isolate\xe2\x81\xa6", "isolate\\u2066"},
        {"marks\xe2\x80\x8f\xd8\x9c", "marks\\u200f\\u061c"},
        {"broken \xff\xc3", "broken \\xff\\xc3"},
        {"overlong \xc0\xaf", "overlong \\xc0\\xaf"},
        {"Caf\xc3\xa9 \xe2\x86\x92 \xf0\x9f\x8e\xae C:\\x",
         "Caf\xc3\xa9 \xe2\x86\x92 \xf0\x9f\x8e\xae C:\\x"},
    };
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(escapedText(text), shown);
    }
    EXPECT_EQ(escapedText("two\nlines\x1b", true), "two\nlines\\x1b");
    // JSON's own escapes, for the same characters.
    EXPECT_EQ(jsonEscapedText("q\"b\\\x1b\xe2\x80\x8f\xc3\xa9"), R"(q\"b\\\u001b\u200f)"
                                                                 "\xc3\xa9");
}

TEST(EchoedText, aValueIsCutAfterItsLengthWithAnEllipsis) {
    EXPECT_EQ(echoedValue(std::string(EchoedValueLength, 'a')),
              std::string(EchoedValueLength, 'a'));
    EXPECT_EQ(echoedValue(std::string(EchoedValueLength + 1, 'a')),
              std::string(EchoedValueLength, 'a') + "\u2026");
    // Counted in characters, so that no character is cut in two.
    std::string accents;
    for (std::size_t i = 0; i <= EchoedValueLength; ++i) {
        accents += "\xc3\xa9";
    }
    EXPECT_EQ(echoedValue(accents), accents.substr(0, 2 * EchoedValueLength) + "\u2026");
    EXPECT_EQ(echoedValue(std::string(500000, '\x1b')).size(), 4 * EchoedValueLength + 3);
}

TEST(EchoedText, aLongPathKeepsItsStartAndItsEndInCharacters) {
    std::string path;
    for (std::size_t i = 0; i <= EchoedPathLength; ++i) {
        path += "\xc3\xa9";
    }
    EXPECT_EQ(echoedPath(path.substr(2)), path.substr(2));
    EXPECT_EQ(echoedPath(path),
              path.substr(0, EchoedPathLength) + "\u2026" + path.substr(0, EchoedPathLength - 2));
}

} // namespace
} // namespace vantrel
