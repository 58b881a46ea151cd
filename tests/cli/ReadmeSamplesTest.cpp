#include "tests/cli/InProcessRun.h"
#include "tests/support/TemporaryFolder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

// The README's sample outputs of the tool, run again on the examples: a
// block that opens with "$ vantrelctl ... examples/..." must hold what the
// command prints (up to "| head -N" lines). VANTREL_UPDATE_README=1 writes
// what the commands print into the README instead.
namespace vantrel::cli {
namespace {

using namespace vantrel::testing;

/// The words of a sample's command line, its examples found where the
/// tests keep them, and how many lines it keeps (0: all).
std::vector<std::string> commandWords(const std::string& line, std::size_t& kept) {
    std::istringstream words(line.substr(std::string("$ vantrelctl ").size()));
    std::vector<std::string> args;
    kept = 0;
    for (std::string word; words >> word;) {
        if (word == "|") {
            std::string head;
            words >> head >> word;
            kept = static_cast<std::size_t>(std::stoul(word.substr(1)));
            break;
        }
        args.push_back(
            word.starts_with("examples/") ? std::string(VANTREL_EXAMPLES) + word.substr(8) : word);
    }
    return args;
}

/// The first `count` lines of the text, all of them for 0.
std::string firstLines(const std::string& text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t n = 0; n < count && end < text.size(); ++n) {
        end = text.find('\n', end) + 1;
    }
    return count == 0 ? text : text.substr(0, end);
}

TEST(ReadmeSamples, everySampleIsWhatTheToolPrintsForTheExamples) {
    const std::string readme = contentsOf(VANTREL_README);
    const std::regex sample(R"(```\n(\$ vantrelctl [^\n]*examples/[^\n]*)\n([^`]*)```)");
    std::string updated;
    std::size_t copied = 0;
    int samples = 0;
    for (auto it = std::sregex_iterator(readme.begin(), readme.end(), sample);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& match = *it;
        if (match[1].str().find(" monitor ") != std::string::npos) {
            continue; // needs a device; its own tests replay the sample
        }
        std::size_t kept = 0;
        const ToolResult result = runInProcess(commandWords(match[1], kept), {});
        const std::string printed = firstLines(result.out, kept);
        EXPECT_EQ(match[2].str(), printed) << match[1];
        const auto at = static_cast<std::size_t>(match.position(2));
        updated += readme.substr(copied, at - copied) + printed;
        copied = at + static_cast<std::size_t>(match.length(2));
        ++samples;
    }
    EXPECT_GE(samples, 3) << "the samples of check, show and diff";
    if (std::getenv("VANTREL_UPDATE_README") != nullptr) {
        std::ofstream(VANTREL_README) << updated + readme.substr(copied);
    }
}

} // namespace
} // namespace vantrel::cli
