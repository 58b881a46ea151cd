#include "formats/JsonText.h"

namespace vantrel {

std::string jsonLine(const JsonObject& value) {
    return jsonText(value, -1);
}

std::string jsonText(const JsonObject& value, int indent) {
    return value.dump(indent, ' ', false, JsonObject::error_handler_t::replace);
}

} // namespace vantrel
