#include "keytext/KeySpellings.h"

#include "keytext/modKeyText.h"

#include <algorithm>
#include <map>

namespace vantrel {
namespace {

constexpr std::uint16_t FirstUnusedCode = 256;

/// Whether the encoder can send the usage: every named code, and 0 for no key.
std::optional<std::uint8_t> encoderCode(std::uint16_t usage) {
    if (usage >= FirstUnusedCode) {
        return std::nullopt;
    }
    const auto code = static_cast<std::uint8_t>(usage);
    if (code != 0 && keyName(code) == keyName(0)) {
        return std::nullopt;
    }
    return code;
}

using SpellingIndex = std::map<std::string, std::vector<KeyMeaning>, std::less<>>;

void addMeaning(std::vector<KeyMeaning>& meanings, std::optional<std::uint8_t> code,
                SpellingSource source) {
    auto found = std::find_if(meanings.begin(), meanings.end(),
                              [code](const KeyMeaning& meaning) { return meaning.code == code; });
    if (found == meanings.end()) {
        meanings.push_back({code, {source}});
    } else if (std::find(found->sources.begin(), found->sources.end(), source) ==
               found->sources.end()) {
        found->sources.push_back(source);
    }
}

const SpellingIndex& spellingIndex() {
    static const SpellingIndex index = [] {
        SpellingIndex built;
        for (const SpellingSource source : AllSpellingSources) {
            for (const KeySpelling& entry : spellingsOf(source)) {
                addMeaning(built[foldedSpelling(entry.spelling)], encoderCode(entry.usage), source);
            }
        }
        return built;
    }();
    return index;
}

bool isRefused(std::string_view spelling) {
    const std::string folded = foldedSpelling(spelling);
    const auto refused = refusedSpellings();
    return std::find(refused.begin(), refused.end(), folded) != refused.end();
}

} // namespace

std::string foldedSpelling(std::string_view spelling) {
    std::string folded(spelling);
    std::transform(folded.begin(), folded.end(), folded.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return folded;
}

std::size_t spellingDistance(std::string_view a, std::string_view b) {
    const std::string first = foldedSpelling(a);
    const std::string second = foldedSpelling(b);
    std::vector<std::size_t> row(second.size() + 1);
    for (std::size_t j = 0; j <= second.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= first.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= second.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t replace = diagonal + (first[i - 1] == second[j - 1] ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, replace});
            diagonal = above;
        }
    }
    return row[second.size()];
}

std::vector<KeyMeaning> meaningsOf(std::string_view spelling) {
    const SpellingIndex& index = spellingIndex();
    const auto found = index.find(foldedSpelling(spelling));
    return found == index.end() ? std::vector<KeyMeaning>{} : found->second;
}

std::optional<TwinSpelling> twinOf(std::string_view spelling) {
    const std::string folded = foldedSpelling(spelling);
    for (const TwinSpelling& twin : twinSpellings()) {
        if (foldedSpelling(twin.spelling) == folded) {
            return twin;
        }
    }
    return std::nullopt;
}

std::vector<std::string_view> otherSpellingsOf(std::uint8_t code) {
    std::vector<std::string_view> spellings;
    std::vector<std::string> seen = {foldedSpelling(keyName(code))};
    for (const SpellingSource source : AllSpellingSources) {
        for (const KeySpelling& entry : spellingsOf(source)) {
            std::string folded = foldedSpelling(entry.spelling);
            if (entry.usage != code || isRefused(entry.spelling) ||
                std::find(seen.begin(), seen.end(), folded) != seen.end()) {
                continue;
            }
            seen.push_back(std::move(folded));
            spellings.push_back(entry.spelling);
        }
    }
    return spellings;
}

const std::vector<KeySpelling>& encoderKeySpellings() {
    static const std::vector<KeySpelling> spellings = [] {
        std::vector<KeySpelling> list;
        for (const SpellingSource source : AllSpellingSources) {
            for (const KeySpelling& entry : spellingsOf(source)) {
                const std::vector<KeyMeaning> meanings = meaningsOf(entry.spelling);
                if (meanings.size() == 1 && meanings.front().code) {
                    list.push_back(entry);
                }
            }
        }
        return list;
    }();
    return spellings;
}

} // namespace vantrel
