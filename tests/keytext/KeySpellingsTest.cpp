#include "keytext/KeySpellings.h"

#include "keytext/modKeyText.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

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

// The other programs' lists are pinned whole against what they publish;
// these are the spellings people write, and names read in any case.
TEST(KeySpellings, eachSpellingMeansItsKeyInAnyCase) {
    std::istringstream spellings(
        "LCtrl=224|lcontrol=224|RCtrl=228|LShift=225|LAlt=226|rshift=229|Esc=41|PgUp=75|Del=76|"
        "KP5=93|kp 5=93|Numpad 5=93|keypad5=93|Num 5=93|key_kp5=93|KP_5=93|KP Ent=88|"
        "Keypad Enter=88|Return=40|Caps Lock=57|caps lock=57|CapsLk=57|Spacebar=44|Apl=101|"
        "Prior=75|Page_Down=78|PgDn=78|Up=82|1=30|0=39");
    for (std::string entry; std::getline(spellings, entry, '|');) {
        const std::string spelling = entry.substr(0, entry.find('='));
        const std::vector<KeyMeaning> meanings = meaningsOf(spelling);
        ASSERT_EQ(meanings.size(), 1U) << spelling;
        EXPECT_EQ(meanings.front().code, std::stoi(entry.substr(entry.find('=') + 1))) << spelling;
    }
}

} // namespace
} // namespace vantrel
