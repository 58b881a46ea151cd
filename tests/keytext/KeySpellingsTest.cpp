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
    // Each key with its spellings across the families that name it.
    const std::vector<std::pair<std::uint8_t, std::vector<std::string_view>>> keys = {
        {224, {"KEY_LEFTCTRL", "KEYCODE_LCONTROL", "Control_L", "ctrl", "LCtrl"}},
        {93, {"key_kp5", "KP_5", "keypad5", "KP5", "Numpad 5", "Keypad 5"}},
        {40, {"KEY_ENTER", "Return"}},
        {88, {"KEY_KPENTER", "Keypad Enter"}},
        {226, {"KEYCODE_LALT", "alt", "LAlt"}},
        {41, {"KEYCODE_ESC", "escape", "Esc"}},
        {230, {"Alt_R", "ralt"}},
        {75, {"Prior", "pageup", "PgUp"}},
        {225, {"shift", "LShift"}},
        {228, {"rctrl", "RCtrl"}},
        {89, {"KEYCODE_1PAD"}},
        {78, {"Page_Down"}},
        {229, {"rshift"}},
        {87, {"kp_plus"}},
        {227, {"Left GUI"}},
        {76, {"Del"}},
    };
    for (const auto& [code, spellings] : keys) {
        for (const std::string_view spelling : spellings) {
            const std::vector<KeyMeaning> meanings = meaningsOf(spelling);
            ASSERT_EQ(meanings.size(), 1U) << spelling;
            EXPECT_EQ(meanings.front().code, code) << spelling;
        }
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
