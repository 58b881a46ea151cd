#include "keytext/KeySpellings.h"
#include "keytext/modKeyText.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>

// Every spelling of every other program, pinned against the lists those
// programs publish (published-spellings.txt beside this file, which says
// where each comes from), so that a mistyped name in a list fails here.
namespace vantrel {
namespace {

/// Each program's published list by its name, entry by entry.
std::map<std::string, std::multiset<std::string>> publishedLists() {
    std::ifstream file(VANTREL_PUBLISHED_SPELLINGS);
    std::map<std::string, std::multiset<std::string>> lists;
    std::string source;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with('[')) {
            source = line.substr(1, line.size() - 2);
        } else if (!line.starts_with('#')) {
            std::istringstream entries(line);
            for (std::string entry; std::getline(entries, entry, '|');) {
                lists[source].insert(entry);
            }
        }
    }
    return lists;
}

std::string meaningWord(std::uint16_t usage) {
    const bool encoderHasIt =
        usage < NotOnKeyboardPage && keyName(static_cast<std::uint8_t>(usage)) != keyName(0);
    return encoderHasIt ? std::to_string(usage) : "-";
}

std::multiset<std::string> listOf(SpellingSource source) {
    std::multiset<std::string> entries;
    for (const KeySpelling& entry : spellingsOf(source)) {
        entries.insert(std::string(entry.spelling) + "=" + meaningWord(entry.usage));
    }
    return entries;
}

TEST(PublishedSpellings, everyListIsWhatItsProgramPublishes) {
    const auto published = publishedLists();
    ASSERT_EQ(published.size(), 5U) << VANTREL_PUBLISHED_SPELLINGS;
    for (const auto& [source, entries] : published) {
        const auto* found = std::ranges::find(AllSpellingSources, source, sourceName);
        ASSERT_NE(found, AllSpellingSources.end()) << source;
        EXPECT_EQ(listOf(*found), entries) << source;
    }
}

} // namespace
} // namespace vantrel
