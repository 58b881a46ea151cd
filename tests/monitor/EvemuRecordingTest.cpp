#include "monitor/EvemuRecording.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ios>
#include <sstream>
#include <streambuf>

namespace vantrel {
namespace {

/// What a reader made of a whole recording.
struct EvemuRecording {
    std::vector<InputEvent> events;
    std::optional<std::vector<std::uint16_t>> absoluteAxes;
    std::string error;
    std::size_t errorLine = 0;

    [[nodiscard]] bool ok() const { return error.empty(); }
};

EvemuRecording readAll(std::istream& in) {
    EvemuReader reader(in);
    EvemuRecording recording;
    InputEvent event;
    if (reader.readHeader() != EvemuReader::Result::Failed) {
        while (reader.next(event) == EvemuReader::Result::Event) {
            recording.events.push_back(event);
        }
    }
    recording.absoluteAxes = reader.absoluteAxes();
    recording.error = evemuErrorWords(reader.failure().kind);
    recording.errorLine = reader.failure().line;
    return recording;
}

EvemuRecording read(const std::string& text) {
    std::istringstream in(text);
    return readAll(in);
}

/// Comment lines without end, made as they are read, or a read that fails
/// after the first line.
class EndlessComments final : public std::streambuf {
public:
    explicit EndlessComments(bool failing)
        : failing_(failing) {}

protected:
    int_type underflow() override {
        if (failing_ && served_) {
            throw std::ios_base::failure("read error");
        }
        served_ = true;
        setg(line_.data(), line_.data(), line_.data() + line_.size());
        return traits_type::to_int_type(line_.front());
    }

private:
    bool failing_;
    bool served_ = false;
    std::string line_ = "# " + std::string(1000, 'x') + "\n";
};

/// A recording handed out a few bytes at a time, as a pipe may.
class Trickle final : public std::streambuf {
public:
    explicit Trickle(std::string text)
        : text_(std::move(text)) {}

protected:
    int_type underflow() override {
        constexpr std::size_t Piece = 7;
        if (served_ == text_.size()) {
            return traits_type::eof();
        }
        const std::size_t piece = std::min(Piece, text_.size() - served_);
        char* begin = text_.data() + served_;
        setg(begin, begin, begin + piece);
        served_ += piece;
        return traits_type::to_int_type(*begin);
    }

private:
    std::string text_;
    std::size_t served_ = 0;
};

TEST(EvemuRecording, linesCutAcrossReadsAndLongerThanAReadComeWhole) {
    std::string text = std::string(MaxEvemuLineLength, '#') + "\n"; // the longest line allowed
    std::vector<InputEvent> expected;
    for (int i = 1; i <= 2000; ++i) { // some 250 KB, lines long and short
        text += "# " + std::string(static_cast<std::size_t>(i % 200), 'x') + "\n";
        text += "E: " + std::to_string(i) + ".000001 0001 001e " + std::to_string(i % 2) + "\n";
        expected.push_back({i * 1'000'000LL + 1, 1, 0x1e, i % 2});
    }
    Trickle trickle(text);
    std::istream pipe(&trickle);
    EXPECT_EQ(readAll(pipe).events, expected);
    EXPECT_EQ(read(text).events, expected);
}

TEST(EvemuRecording, readsEventsWithPaddingSignsAndComments) {
    const EvemuRecording recording = read("# EVEMU 1.3\nN: Panel\nA: 10 -1 1 0 0 0\n\n"
                                          "E: 1.000002 0003 0011 -001\t# EV_ABS / ABS_HAT0Y -1\n"
                                          "E: 2.500000 0004 0004 458756   \r\n"
                                          "E: 5.0 0001 001e 0001\nE: 6.12345678 0001 001e 0000\n");
    ASSERT_TRUE(recording.ok()) << recording.error;
    const std::vector<InputEvent> expected = {{1'000'002, 3, 0x11, -1},
                                              {2'500'000, 4, 4, 458756},
                                              {5'000'000, 1, 0x1e, 1},
                                              {6'123'456, 1, 0x1e, 0}};
    EXPECT_EQ(recording.events, expected);
    EXPECT_EQ(recording.absoluteAxes, std::vector<std::uint16_t>{0x10});
    EXPECT_EQ(read("E: 0.000001 0001 001e 0001\n").absoluteAxes, std::nullopt)
        << "without a header nothing is known of the axes";
}

TEST(EvemuRecording, aMalformedLineIsRefusedWithItsNumberAndWords) {
    const std::string good = "E: 0.000001 0001 001e 0001\n";
    // Each recording and the line refused.
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {good + "E: 1. 0001 001e 0001\n", 2},
        {"E: 1 0001 001e 0001\n", 1},
        {"E: 1.0x5 0001 001e 0001\n", 1},
        {good + good + "E: 0.000001 0001 001e\n", 3},
        {"E: 0.000001 000g 001e 0001\n", 1},
        {"E: 0.000001 0001 001e 0x01\n", 1},
        {"E: 0.000001 0001 001e 0001 7\n", 1},
        {"E: 0.000001 10000 001e 0001\n", 1},
        {"N: Panel\nhello\n", 2},
        {"X: 1\n", 1},
        {good + "#" + std::string(MaxEvemuLineLength, ' ') + "\n" + good, 2}};
    for (const auto& [text, line] : cases) {
        const EvemuRecording recording = read(text);
        EXPECT_FALSE(recording.ok()) << "line " << line;
        EXPECT_EQ(recording.errorLine, line);
    }
    EXPECT_EQ(read("E: nonsense\n").error,
              "not an event: expected \"E: seconds.microseconds type code value\"");
    EXPECT_EQ(read("hello\n").error, "not a line of an evemu recording");
}

TEST(EvemuRecording, aStreamWithoutEndOrOneThatCannotBeReadIsRefusedInBoundedMemory) {
    EndlessComments endless(false);
    std::istream endlessStream(&endless);
    const EvemuRecording tooLong = readAll(endlessStream);
    EXPECT_EQ(tooLong.error, "longer than 64 MB: not a recording of a panel");
    EXPECT_GT(tooLong.errorLine, 60000U);

    EndlessComments failing(true);
    std::istream failingStream(&failing);
    const EvemuRecording unreadable = readAll(failingStream);
    EXPECT_EQ(unreadable.error, "could not be read");
    EXPECT_EQ(unreadable.errorLine, 2U) << "a failed read is not the end of the recording";
}

} // namespace
} // namespace vantrel
