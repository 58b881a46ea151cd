#include "model/JsonWriter.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

std::string sample(int indent) {
    JsonWriter out(indent);
    out.beginObject().key("n").number(-3).key("none").beginArray().endArray();
    out.key("list").beginArray().string("a\xff\n").boolean(true).null().beginObject().endObject();
    out.endArray().key("at").seconds(-1'000'250).key("x").fraction(0.5).endObject();
    return out.text();
}

TEST(JsonWriter, writesOneLineOrIndentedWithStrayBytesReplaced) {
    EXPECT_EQ(sample(-1), "{\"n\":-3,\"none\":[],\"list\":[\"a\xef\xbf\xbd\\n\",true,null,{}],"
                          "\"at\":-1.000250,\"x\":0.5}");
    EXPECT_EQ(sample(2), "{\n"
                         "  \"n\": -3,\n"
                         "  \"none\": [],\n"
                         "  \"list\": [\n"
                         "    \"a\xef\xbf\xbd\\n\",\n"
                         "    true,\n"
                         "    null,\n"
                         "    {}\n"
                         "  ],\n"
                         "  \"at\": -1.000250,\n"
                         "  \"x\": 0.5\n"
                         "}");
}

} // namespace
} // namespace vantrel
