#include "formats/JsonDocument.h"

#include "formats/ImportError.h"

#include <set>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using Json = nlohmann::json;

/// One open object or array while the parser walks the text.
struct Frame {
    bool isObject = false;
    std::set<std::string> keys;
    std::string currentKey;
    std::size_t index = 0;
};

/// Follows the parser's events to know the path of every field.
class PathTracker {
public:
    bool onEvent(Json::parse_event_t event, const Json& parsed) {
        switch (event) {
        case Json::parse_event_t::object_start:
            open(true);
            break;
        case Json::parse_event_t::array_start:
            open(false);
            break;
        case Json::parse_event_t::key:
            enterKey(parsed.get<std::string>());
            break;
        case Json::parse_event_t::object_end:
        case Json::parse_event_t::array_end:
            frames_.pop_back();
            finishValue();
            break;
        case Json::parse_event_t::value:
            finishValue();
            break;
        }
        return true;
    }

    /// Where the parser is: the field or element being read.
    [[nodiscard]] std::string place() const {
        std::string text;
        for (const Frame& frame : frames_) {
            if (frame.isObject) {
                text += (text.empty() ? "" : ".") + frame.currentKey;
            } else {
                text += "[" + std::to_string(frame.index) + "]";
            }
        }
        return text;
    }

private:
    // Refused as soon as it opens, before the parser builds it, so that
    // memory stays proportional to the text.
    void open(bool isObject) {
        if (frames_.size() == MaximumJsonNesting) {
            throw ImportError(place(), "not valid JSON: nested deeper than a configuration can "
                                       "be (" +
                                           std::to_string(MaximumJsonNesting) + " levels)");
        }
        frames_.push_back(Frame{isObject, {}, {}, 0});
    }

    void enterKey(std::string key) {
        Frame& object = frames_.back();
        object.currentKey = key;
        if (!object.keys.insert(std::move(key)).second) {
            throw ImportError(place(), "given twice");
        }
    }

    void finishValue() {
        if (!frames_.empty() && !frames_.back().isObject) {
            ++frames_.back().index;
        }
    }

    std::vector<Frame> frames_;
};

/// The parser's message without its "[json.exception...] " tag.
std::string plainMessage(const std::string& what) {
    const std::size_t end = what.find("] ");
    return end == std::string::npos ? what : what.substr(end + 2);
}

} // namespace

nlohmann::json parseJsonDocument(std::string_view text) {
    // The parser takes a NUL byte for the end of the text and would ignore
    // whatever follows it.
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        throw ImportError("", "not valid JSON: a NUL byte at byte " + std::to_string(nul + 1));
    }
    PathTracker tracker;
    try {
        return Json::parse(text.begin(), text.end(),
                           [&tracker](int, Json::parse_event_t event, Json& parsed) {
                               return tracker.onEvent(event, parsed);
                           });
    } catch (const Json::parse_error& error) {
        // Its message names the line and column.
        throw ImportError("", "not valid JSON: " + plainMessage(error.what()));
    } catch (const Json::exception& error) {
        // Such as a number beyond the range of a double: named by its field.
        throw ImportError(tracker.place(), "not valid JSON: " + plainMessage(error.what()));
    }
}

} // namespace vantrel
