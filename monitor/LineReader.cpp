#include "monitor/LineReader.h"

#include <algorithm>
#include <cstring>

namespace vantrel {
namespace {

/// Enough for many lines per read, and always more than one line.
constexpr std::size_t ChunkSize = std::size_t{64} * 1024;

} // namespace

LineReader::LineReader(std::istream& in, std::size_t maxLength)
    : in_(in)
    , maxLength_(maxLength)
    , buffer_(std::max(ChunkSize, 2 * (maxLength + 1))) {}

LineReader::Status LineReader::next(std::string_view& line) {
    for (;;) {
        const std::size_t held = end_ - begin_;
        // A line feed past the longest line would come too late anyway.
        const std::size_t window = std::min(held, maxLength_ + 1);
        if (scanned_ < window) {
            const char* from = buffer_.data() + begin_;
            const void* feed = std::memchr(from + scanned_, '\n', window - scanned_);
            if (feed != nullptr) {
                const auto length = static_cast<std::size_t>(static_cast<const char*>(feed) - from);
                return take(line, length, length + 1);
            }
            scanned_ = window;
        }
        if (held > maxLength_) {
            return Status::TooLong;
        }
        if (ended_) {
            return held == 0 ? Status::End : take(line, held, held);
        }
        if (!refill()) {
            return Status::Unreadable;
        }
    }
}

LineReader::Status LineReader::take(std::string_view& line, std::size_t length, std::size_t used) {
    line = {buffer_.data() + begin_, length};
    begin_ += used;
    scanned_ = 0;
    consumed_ += used;
    return Status::Line;
}

bool LineReader::refill() {
    if (begin_ == end_) {
        begin_ = end_ = 0;
    } else if (end_ == buffer_.size()) {
        // What is left is less than a line, as a whole line would have been
        // given out or refused: room is made after it.
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const std::size_t got = readSome(buffer_.data() + end_, buffer_.size() - end_);
    if (in_.bad()) {
        return false;
    }
    ended_ = got == 0;
    end_ += got;
    return true;
}

std::size_t LineReader::readSome(char* into, std::size_t room) {
    const auto count = static_cast<std::streamsize>(room);
    // What the stream holds already, without waiting for more.
    std::streamsize got = in_.readsome(into, count);
    if (got > 0 || !in_.good()) {
        return static_cast<std::size_t>(got);
    }
    // Nothing held: wait once for whatever comes next.
    if (std::istream::traits_type::eq_int_type(in_.peek(), std::istream::traits_type::eof())) {
        return 0;
    }
    got = in_.readsome(into, count);
    if (got == 0 && in_.good()) {
        // A stream that does not say what it holds gives a byte at a time.
        in_.read(into, 1);
        got = in_.gcount();
    }
    return static_cast<std::size_t>(got);
}

} // namespace vantrel
