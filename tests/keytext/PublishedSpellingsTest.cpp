#include "keytext/KeySpellings.h"
#include "keytext/modKeyText.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
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

/// Every name `pattern` finds in the header, when it is installed.
std::set<std::string> definedNames(const std::string& path, const std::regex& pattern) {
    std::ifstream file(path);
    std::set<std::string> names;
    for (std::string line; std::getline(file, line);) {
        if (std::smatch match; std::regex_search(line, match, pattern)) {
            names.insert(match[1]);
        }
    }
    return names;
}

TEST(PublishedSpellings, theKernelsAndXsNamesAreInTheirHeaders) {
    const std::vector<std::tuple<SpellingSource, std::string, std::regex>> headers = {
        {SpellingSource::LinuxInput, "/usr/include/linux/input-event-codes.h",
         std::regex(R"(^#define (KEY_\w+)\s)")},
        {SpellingSource::XKeysym, "/usr/include/X11/keysymdef.h",
         std::regex(R"(^#define XK_(\w+)\s)")},
    };
    for (const auto& [source, path, pattern] : headers) {
        const std::set<std::string> defined = definedNames(path, pattern);
        ASSERT_FALSE(defined.empty()) << path << " is missing (scripts/setup installs it)";
        for (const KeySpelling& entry : spellingsOf(source)) {
            EXPECT_TRUE(defined.contains(std::string(entry.spelling))) << entry.spelling;
        }
    }
}

} // namespace
} // namespace vantrel
