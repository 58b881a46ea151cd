#include "formats/ConfigurationSource.h"
#include "monitor/EvemuRecording.h"
#include "monitor/MonitorSession.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <streambuf>
#include <string>
#include <vector>

// What `vantrelctl monitor --events` and the input test spend on a long
// recording: reading it, and the monitor's core (matching, wording each
// report, the summary). The recording is the example cabinet's wiring
// session played again and again, a second apart, until it holds a million
// events; it is made here, in memory.
namespace vantrel {
namespace {

constexpr std::size_t RecordingEvents = 1'000'000;
constexpr std::int64_t MicrosecondsPerSecond = 1'000'000;
const std::string Examples = VANTREL_EXAMPLES;
const std::string DeviceName = "keys.evemu";

/// A stream over text kept elsewhere, handed over as a file's would be,
/// without copying it first.
class TextBuffer final : public std::streambuf {
public:
    explicit TextBuffer(std::string& text) {
        setg(text.data(), text.data(), text.data() + text.size());
    }
};

/// Every event of a recording; empty when it cannot be read.
std::vector<InputEvent> eventsOf(std::istream& in) {
    EvemuReader reader(in);
    std::vector<InputEvent> events;
    InputEvent event;
    if (reader.readHeader() != EvemuReader::Result::Failed) {
        while (reader.next(event) == EvemuReader::Result::Event) {
            events.push_back(event);
        }
    }
    return reader.failure().ok() ? events : std::vector<InputEvent>{};
}

/// The example session, again and again, as evemu-record writes it.
std::string generatedRecording(const std::vector<InputEvent>& session) {
    std::string text = "# EVEMU 1.3\nN: VANTREL Keyboard\nI: 0003 1209 0108 0110\n";
    const std::int64_t round = session.back().microseconds + MicrosecondsPerSecond;
    std::array<char, 64> line{};
    for (std::size_t n = 0; n < RecordingEvents; ++n) {
        const InputEvent& event = session[n % session.size()];
        const std::int64_t time =
            event.microseconds + static_cast<std::int64_t>(n / session.size()) * round;
        const int length = std::snprintf(
            line.data(), line.size(), "E: %lld.%06lld %04x %04x %d\n",
            static_cast<long long>(time / MicrosecondsPerSecond),
            static_cast<long long>(time % MicrosecondsPerSecond), static_cast<unsigned>(event.type),
            static_cast<unsigned>(event.code), static_cast<int>(event.value));
        text.append(line.data(), static_cast<std::size_t>(length));
    }
    return text;
}

/// The generated recording, made once; empty when the example is missing.
std::string& recording() {
    static std::string text = [] {
        std::ifstream example(Examples + "/two-player-cabinet.evemu");
        const std::vector<InputEvent> session = eventsOf(example);
        return session.empty() ? std::string() : generatedRecording(session);
    }();
    return text;
}

void ReadRecording(benchmark::State& state) {
    std::string& text = recording();
    for ([[maybe_unused]] auto _ : state) {
        TextBuffer buffer(text);
        std::istream in(&buffer);
        if (eventsOf(in).size() != RecordingEvents) {
            state.SkipWithError("the recording was not read whole");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(RecordingEvents));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(ReadRecording)->Unit(benchmark::kMillisecond);

void MonitorCore(benchmark::State& state) {
    TextBuffer buffer(recording());
    std::istream in(&buffer);
    const std::vector<InputEvent> events = eventsOf(in);
    const ConfigurationRead read = loadConfiguration(Examples + "/two-player-cabinet.json");
    if (events.size() != RecordingEvents || !read.ok()) {
        state.SkipWithError("the example cabinet or its session is missing");
        return;
    }
    const LoadedConfiguration& cabinet = read.value();
    for ([[maybe_unused]] auto _ : state) {
        MonitorSession session({{"", cabinet.config, cabinet.labels}});
        std::size_t words = 0;
        const auto word = [&](const std::vector<EncoderReport>& reports) {
            for (const EncoderReport& report : reports) {
                words += session.text(report, DeviceName).size();
            }
        };
        for (const InputEvent& event : events) {
            word(session.feed({0, event}));
        }
        word(session.finish());
        words += session.summaryText().size();
        benchmark::DoNotOptimize(words);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(events.size()));
}
BENCHMARK(MonitorCore)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vantrel

BENCHMARK_MAIN();
