#include "keytext/KeySpellings.h"

#include "keytext/modKeyText.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace vantrel {
namespace {

/// All lists joined: every spelling with each key it is given for.
std::map<std::string, std::set<int>> joinedMeanings() {
    std::map<std::string, std::set<int>> joined;
    for (const SpellingSource source : AllSpellingSources) {
        for (const KeySpelling& entry : spellingsOf(source)) {
            const bool encoderHasIt =
                entry.usage == 0 || (entry.usage < NotOnKeyboardPage &&
                                     keyName(static_cast<std::uint8_t>(entry.usage)) != keyName(0));
            // Every key the encoder lacks is the same answer: it is refused.
            joined[foldedSpelling(entry.spelling)].insert(encoderHasIt ? entry.usage : -1);
        }
    }
    return joined;
}

TEST(KeySpellings, onlyDeclaredSpellingsMeanTwoKeys) {
    const auto refused = refusedSpellings();
    std::set<std::string> ambiguous;
    for (const auto& [spelling, meanings] : joinedMeanings()) {
        if (meanings.size() > 1) {
            ambiguous.insert(spelling);
        }
    }
    const std::set<std::string> declared(refused.begin(), refused.end());
    EXPECT_EQ(ambiguous, declared);
}

TEST(KeySpellings, everyProgramNamesEveryKeyOfTheEncoder) {
    for (const SpellingSource source : AllSpellingSources) {
        if (source == SpellingSource::Abbreviation) {
            continue; // people shorten some names, not all
        }
        std::set<int> named;
        for (const KeySpelling& entry : spellingsOf(source)) {
            named.insert(entry.usage);
        }
        std::vector<std::string> missing;
        for (int code = 1; code < NotOnKeyboardPage; ++code) {
            const std::string name = keyName(static_cast<std::uint8_t>(code));
            if (name != keyName(0) && !named.contains(code)) {
                missing.push_back(name);
            }
        }
        EXPECT_EQ(missing, std::vector<std::string>{}) << sourceName(source);
    }
}

TEST(KeySpellings, eachFamilyMeansItsKey) {
    struct Case {
        std::string_view spelling;
        std::uint8_t code;
    };
    const std::vector<Case> cases = {
        {"KEY_LEFTCTRL", 224},
        {"key_kp5", 93},
        {"KEY_ENTER", 40},
        {"KEY_KPENTER", 88},
        {"KEYCODE_LCONTROL", 224},
        {"KEYCODE_LALT", 226},
        {"KEYCODE_1_PAD", 89},
        {"KEYCODE_ESC", 41},
        {"Control_L", 224},
        {"Alt_R", 230},
        {"KP_5", 93},
        {"Return", 40},
        {"Prior", 75},
        {"Page_Down", 78},
        {"ctrl", 224},
        {"shift", 225},
        {"alt", 226},
        {"rctrl", 228},
        {"rshift", 229},
        {"ralt", 230},
        {"keypad5", 93},
        {"kp_plus", 87},
        {"escape", 41},
        {"pageup", 75},
        {"Left GUI", 227},
        {"Keypad Enter", 88},
        {"LCtrl", 224},
        {"LAlt", 226},
        {"LShift", 225},
        {"RCtrl", 228},
        {"Esc", 41},
        {"KP5", 93},
        {"Numpad 5", 93},
        {"Keypad 5", 93},
        {"Del", 76},
        {"PgUp", 75},
    };
    for (const Case& c : cases) {
        const std::vector<KeyMeaning> meanings = meaningsOf(c.spelling);
        ASSERT_EQ(meanings.size(), 1U) << c.spelling;
        EXPECT_EQ(meanings.front().code, c.code) << c.spelling;
    }
}

TEST(KeySpellings, aRefusedSpellingKeepsEachMeaningWithItsSource) {
    const std::vector<KeyMeaning> num5 = meaningsOf("NUM5");
    ASSERT_EQ(num5.size(), 2U);
    EXPECT_EQ(num5[0].code, 34); // the digit row's 5 in RetroArch
    EXPECT_EQ(num5[0].sources, std::vector{SpellingSource::RetroArch});
    EXPECT_EQ(num5[1].code, 93);

    const std::vector<KeyMeaning> next = meaningsOf("next");
    ASSERT_EQ(next.size(), 2U);
    EXPECT_EQ(next[0].code, 78); // X's Page Down
    EXPECT_FALSE(next[1].code);  // RetroArch's media key
}

TEST(KeySpellings, otherSpellingsLeaveOutTheNameAndTheRefused) {
    const std::vector<std::string_view> others = otherSpellingsOf(224);
    EXPECT_NE(std::find(others.begin(), others.end(), "KEY_LEFTCTRL"), others.end());
    EXPECT_NE(std::find(others.begin(), others.end(), "LCtrl"), others.end());
    EXPECT_EQ(std::find(others.begin(), others.end(), "Left Ctrl"), others.end());
    const std::vector<std::string_view> five = otherSpellingsOf(34);
    EXPECT_EQ(std::find(five.begin(), five.end(), "num5"), five.end());
}

} // namespace
} // namespace vantrel
