#include "formats/JsonText.h"

#include "model/JsonWriter.h"

namespace vantrel {
namespace {

/// Writes `value` through the house's one writer.
void write(JsonWriter& out, const JsonObject& value) {
    switch (value.type()) {
    case JsonObject::value_t::object:
        out.beginObject();
        for (const auto& [name, member] : value.items()) {
            out.key(name);
            write(out, member);
        }
        out.endObject();
        break;
    case JsonObject::value_t::array:
        out.beginArray();
        for (const JsonObject& element : value) {
            write(out, element);
        }
        out.endArray();
        break;
    case JsonObject::value_t::string:
        out.string(value.get_ref<const std::string&>());
        break;
    case JsonObject::value_t::boolean:
        out.boolean(value.get<bool>());
        break;
    case JsonObject::value_t::number_integer:
        out.number(value.get<std::int64_t>());
        break;
    case JsonObject::value_t::number_unsigned:
        out.number(value.get<std::uint64_t>());
        break;
    case JsonObject::value_t::number_float:
        out.fraction(value.get<double>());
        break;
    default:
        out.null();
        break;
    }
}

} // namespace

std::string jsonLine(const JsonObject& value) {
    return jsonText(value, -1);
}

std::string jsonText(const JsonObject& value, int indent) {
    JsonWriter out(indent);
    write(out, value);
    return out.text();
}

} // namespace vantrel
