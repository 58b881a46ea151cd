#pragma once

#include "model/Result.h"
#include "monitor/EventSource.h"
#include "monitor/InputEvent.h"
#include "monitor/LineReader.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Recordings in the text form evemu-record writes: a header describing the
// device (N:, I:, P:, B:, A:, L:, S: lines, any of which may be missing),
// comments, and one "E: sec.usec type code value" line per event.
namespace vantrel {

/// The longest line a recording may hold; evemu's own are under 100 bytes.
constexpr std::size_t MaxEvemuLineLength = 4096;
/// The longest recording: an hour of pressing is a few megabytes.
constexpr std::uint64_t MaxEvemuRecordingSize = std::uint64_t{64} * 1024 * 1024;

/// Why a recording cannot be replayed.
enum class EvemuError {
    None,
    Unreadable,  ///< reading the stream failed
    LineTooLong, ///< a line longer than MaxEvemuLineLength
    TooLong,     ///< longer than MaxEvemuRecordingSize
    NotAnEvent,  ///< an "E:" line that is no event
    NotEvemu,    ///< a line no evemu recording holds
};

/// A recording's failure and the line it is about, counted from 1.
struct EvemuFailure : Result<EvemuError> {
    std::size_t line = 0;
};

/// What is wrong, as both front ends say it: "not a line of an evemu
/// recording".
[[nodiscard]] std::string evemuErrorWords(EvemuError error);

/// "NAME, line N: what is wrong".
[[nodiscard]] std::string evemuFailureLine(std::string_view recording, const EvemuFailure& failure);

/// Reads a recording as it comes, one line at a time, in bounded memory: a
/// pipe from evemu-record is replayed while it records. The header is read
/// first, up to the first event; then each call gives the next event. Lines
/// are parsed where they were read, without a copy.
class EvemuReader {
public:
    enum class Result {
        Event,  ///< the next event was read
        End,    ///< the recording ended
        Failed, ///< a malformed line, a line or recording too long, or a read error
    };

    explicit EvemuReader(std::istream& in);

    /// Reads the header: every line before the first event, which is kept
    /// for next(). Failed or End as next() says them.
    Result readHeader();
    Result next(InputEvent& event);

    /// The absolute axes the header's A: lines describe; nothing when the
    /// recording has no B: lines to say what the device has.
    [[nodiscard]] const std::optional<std::vector<std::uint16_t>>& absoluteAxes() const {
        return absoluteAxes_;
    }
    /// Why reading failed; ok() while it has not.
    [[nodiscard]] const EvemuFailure& failure() const { return failure_; }

private:
    enum class Line { Header, Event, Skipped };

    Result readLine(std::string_view& line);
    Line classify(std::string_view text, InputEvent& event);
    Result fail(EvemuError error);

    LineReader lines_;
    std::size_t lineNumber_ = 0;
    std::optional<InputEvent> pending_;
    std::optional<std::vector<std::uint16_t>> absoluteAxes_;
    EvemuFailure failure_;
};

/// Replays the events of one recording as one device, as they are read.
class ReplaySource final : public EventSource {
public:
    /// The reader's header has been read.
    ReplaySource(std::string name, EvemuReader& reader);

    Status next(SourcedEvent& event) override;
    [[nodiscard]] std::string deviceName(std::size_t device) const override;

private:
    std::string name_;
    EvemuReader& reader_;
};

} // namespace vantrel
