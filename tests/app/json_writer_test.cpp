// json_writer_test.cpp - the state dump's JSON text: nesting, escapes, floats that read back
// exactly, and values that are not finite written as named strings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "app/json_writer.h"

TEST(StateDumpJson, NestedRecordsOddTextAndNonFiniteValuesStayJson) {
    JsonWriter j;
    j.BeginObject();
    j.Field("big", INT64_MIN);
    j.FieldS("name", "q\" b\\ \t\x07\xC4");
    j.Key("Shots");
    j.BeginArray();
    for (int i = 0; i < 2; i++) {
        j.BeginObject();
        j.Field("type", i);
        j.Key("empty");
        j.BeginArray();
        j.EndArray();
        j.EndObject();
    }
    j.Float(std::numeric_limits<double>::quiet_NaN());
    j.Float(std::numeric_limits<float>::infinity());
    j.Float(-std::numeric_limits<double>::infinity());
    j.EndArray();
    j.Key("flag");
    j.Bool(false);
    j.EndObject();
    EXPECT_EQ(j.Text(),
              "{\"big\":-9223372036854775808,\"name\":\"q\\\" b\\\\ \\u0009\\u0007\\u00c4\","
              "\"Shots\":[{\"type\":0,\"empty\":[]},{\"type\":1,\"empty\":[]},"
              "\"NaN\",\"Infinity\",\"-Infinity\"],\"flag\":false}");
}

TEST(StateDumpJson, FloatsReadBackToTheSameSinglePrecisionValue) {
    for (float v : {0.1f, -0.0f, 1.0f / 3.0f, 3.4028235e38f, 1.17549435e-38f, 16777217.0f}) {
        JsonWriter j;
        j.Float(v);
        EXPECT_EQ(float(std::strtod(j.Text().c_str(), nullptr)), v) << j.Text();
    }
}
