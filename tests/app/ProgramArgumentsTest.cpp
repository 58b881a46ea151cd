#include "app/ProgramArguments.h"

#include "generated/BuildConfig.h"

#include <array>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace vantrel {
namespace {

constexpr ProgramIdentity Demo{"vantrel-config-emulated", "org.vantrel.Config.Emulated",
                               "The demo."};

struct Answer {
    std::optional<int> status;
    std::string out, err;
    std::optional<std::string> file;
};

Answer answer(const std::vector<std::string>& args, const ProgramIdentity& program = Demo) {
    const ParsedProgramArguments arguments = parseProgramArguments(args, program);
    std::ostringstream out;
    std::ostringstream err;
    const std::optional<int> status = answerWithoutWindow(arguments, program, out, err);
    return {status, out.str(), err.str(), arguments.ok() ? arguments.value().file : std::nullopt};
}

const std::string Usage =
    "usage: vantrel-config-emulated [--help] [--version] [QT-OPTION...] [FILE]\n";

TEST(ProgramArguments, QtOptionsAndOneFileGoOnToTheWindow) {
    const std::vector<std::pair<std::vector<std::string>, std::optional<std::string>>> cases = {
        {{}, std::nullopt},
        {{"cabinet.cfg"}, "cabinet.cfg"},
        {{"-platform", "offscreen", "cabinet.cfg"}, "cabinet.cfg"},
        {{"--style", "fusion", "-reverse", "-style=fusion"}, std::nullopt},
        {{"-qmljsdebugger=port:1234", "-display", ":1"}, std::nullopt},
        {{"--", "-odd name.cfg"}, "-odd name.cfg"},
        {{"-"}, "-"},
    };
    for (const auto& [args, file] : cases) {
        const Answer result = answer(args);
        EXPECT_EQ(result.status, std::nullopt) << result.err;
        EXPECT_EQ(result.file, file);
    }
}

TEST(ProgramArguments, HelpVersionAndMistakesAreAnsweredWithoutAWindow) {
    const std::string version = "vantrel-config-emulated " + std::string(build::Version) + "\n";
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--version"}, {"-V"}, {"-platform", "xcb", "--version"}}) {
        const Answer result = answer(args);
        EXPECT_EQ(result.status, 0) << args.front();
        EXPECT_EQ(std::pair(result.out, result.err), std::pair(version, std::string()));
    }
    // Each mistake and what it says after the program's name.
    const std::vector<std::pair<std::vector<std::string>, std::string>> mistakes = {
        {{"--frobnicate"}, "unknown option \"--frobnicate\""},
        {{"a.cfg", "b.cfg"}, "only one FILE can be opened"},
        {{"-platform"}, "-platform needs a value"},
        {{"--help", "--bogus"}, "unknown option \"--bogus\""},
    };
    for (const auto& [args, said] : mistakes) {
        const Answer result = answer(args);
        EXPECT_EQ(result.status, 2) << said;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err,
                  std::string("vantrel-config-emulated: ").append(said).append("\n").append(Usage));
    }
    const Answer help = answer({"-h"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with(Usage + "\nThe demo.\n")) << help.out;
    EXPECT_EQ(help.err, "");
}

constexpr std::array<ProgramOption, 2> TesterOptions{{
    {"--events", "FILE", "replays a recording\nat its own pace"},
    {"--log", "FILE", "keeps the lines"},
}};
constexpr ProgramIdentity Tester{"tester", "org.example.Tester", "Tests.", TesterOptions, false};

TEST(ProgramArguments, AProgramsOwnOptionsCollectTheirValuesInOrder) {
    const ParsedProgramArguments parsed =
        parseProgramArguments(std::vector<std::string>{"--events", "a.evemu", "-platform", "xcb",
                                                       "--log", "l.txt", "--events", "-"},
                              Tester);
    ASSERT_TRUE(parsed.ok());
    const ProgramArguments& given = parsed.value();
    EXPECT_EQ(given.valuesOf("--events"), (std::vector<std::string>{"a.evemu", "-"}));
    EXPECT_EQ(given.valuesOf("--log"), std::vector<std::string>{"l.txt"});
    EXPECT_EQ(given.valuesOf("--config"), std::vector<std::string>{});

    const std::vector<std::pair<std::vector<std::string>, std::string>> mistakes = {
        {{"--log"}, "--log needs a value"},
        {{"cabinet.cfg"}, "unexpected \"cabinet.cfg\""},
        {{"--events=a.evemu"}, "unknown option \"--events=a.evemu\""},
    };
    for (const auto& [args, error] : mistakes) {
        EXPECT_EQ(programUsageErrorWords(parseProgramArguments(args, Tester).failure()), error);
    }

    const Answer help = answer({"--help"}, Tester);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, "usage: tester [--help] [--version] [--events FILE] [--log FILE] "
                        "[QT-OPTION...]\n\nTests.\n\n"
                        "  --events FILE replays a recording\n"
                        "                at its own pace\n"
                        "  --log FILE    keeps the lines\n"
                        "  -h, --help    this text\n"
                        "  -V, --version the program's version\n\n"
                        "Qt's own options, such as -platform NAME and -style NAME, are passed on "
                        "to Qt.\n");
}

} // namespace
} // namespace vantrel
