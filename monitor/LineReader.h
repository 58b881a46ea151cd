#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string_view>
#include <vector>

namespace vantrel {

/// The lines of a stream, read in place from a buffer of fixed size: each
/// line is a view into the buffer, so nothing is copied or allocated per
/// line, and memory stays bounded however long the stream runs. The stream
/// is read as far as it has data, waiting only when it has none, so that a
/// pipe is read while it is written.
class LineReader {
public:
    enum class Status {
        Line,       ///< the next line, without its line feed
        End,        ///< the stream ended
        TooLong,    ///< a line longer than the longest allowed
        Unreadable, ///< reading the stream failed
    };

    /// Lines of at most `maxLength` bytes, line feed not counted.
    LineReader(std::istream& in, std::size_t maxLength);

    /// The next line into `line`, valid until the next call.
    Status next(std::string_view& line);

    /// Bytes of every line given so far, their line feeds included.
    [[nodiscard]] std::uint64_t consumed() const { return consumed_; }

private:
    Status take(std::string_view& line, std::size_t length, std::size_t used);
    /// Reads what the stream has after what the buffer holds; false when
    /// the stream failed.
    bool refill();
    std::size_t readSome(char* into, std::size_t room);

    std::istream& in_;
    std::size_t maxLength_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;   ///< the first byte not given out yet
    std::size_t end_ = 0;     ///< one past the last byte read
    std::size_t scanned_ = 0; ///< bytes from begin_ on known to hold no line feed
    bool ended_ = false;
    std::uint64_t consumed_ = 0;
};

} // namespace vantrel
