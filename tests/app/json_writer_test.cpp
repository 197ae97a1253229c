// json_writer_test.cpp - the state dump's JSON: always readable, floats exact, and the
// reader the driver tests use refuses what is not JSON.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>

#include "app/json_writer.h"
#include "tests/app/json_reader.h"

TEST(JsonReaderSelfCheck, RefusesBrokenJson) {
    std::map<std::string, std::string> f;
    for (const char* bad : {"{", "{\"a\":}", "{\"a\":nan}", "{\"a\":inf}", "{\"a\":1,}",
                            "{\"a\":1} x", "[1]", "{a:1}", "{\"a\":\"\x01\"}"})
        EXPECT_FALSE(ReadJsonObject(bad, &f)) << bad;
    ASSERT_TRUE(ReadJsonObject("{\"a\":-1.5e3,\"b\":[1,{\"c\":\"x\\\"y\"}],\"d\":null}", &f));
    EXPECT_EQ(f["a"], "-1.5e3");
    EXPECT_EQ(f["d"], "null");
}

TEST(StateDumpJson, NestedRecordsAndOddTextStayReadable) {
    JsonWriter j;
    j.BeginObject();
    j.Field("frame", 12);
    j.Field("big", INT64_MIN);
    j.FieldS("name", "quote \" back \\ tab \t bell \x07 high \xC4");
    j.Key("Shots");
    j.BeginArray();
    for (int i = 0; i < 3; i++) {
        j.BeginObject();
        j.Field("type", i);
        j.Key("empty");
        j.BeginArray();
        j.EndArray();
        j.EndObject();
    }
    j.EndArray();
    j.Key("flag");
    j.Bool(false);
    j.EndObject();
    std::map<std::string, std::string> f;
    ASSERT_TRUE(ReadJsonObject(j.Text(), &f)) << j.Text();
    EXPECT_EQ(f["frame"], "12");
    EXPECT_EQ(f["big"], "-9223372036854775808");
    EXPECT_EQ(f["Shots"],
              "[{\"type\":0,\"empty\":[]},{\"type\":1,\"empty\":[]},{\"type\":2,\"empty\":[]}]");
    EXPECT_EQ(f["flag"], "false");
}

TEST(StateDumpJson, FloatsReadBackToTheSameSinglePrecisionValue) {
    for (float v : {0.1f, -0.0f, 1.0f / 3.0f, 12.5f, 3.4028235e38f, 1.17549435e-38f, -6400.25f,
                    16777217.0f}) {
        JsonWriter j;
        j.BeginObject();
        j.FieldF("v", v);
        j.EndObject();
        std::map<std::string, std::string> f;
        ASSERT_TRUE(ReadJsonObject(j.Text(), &f)) << j.Text();
        EXPECT_EQ(float(std::strtod(f["v"].c_str(), nullptr)), v) << j.Text();
    }
}

TEST(StateDumpJson, ValuesThatAreNotFiniteAreWrittenAsNamedStrings) {
    JsonWriter j;
    j.BeginObject();
    j.FieldF("a", std::numeric_limits<double>::quiet_NaN());
    j.FieldF("b", std::numeric_limits<float>::infinity());
    j.FieldF("c", -std::numeric_limits<double>::infinity());
    j.Key("list");
    j.BeginArray();
    j.Float(std::nan(""));
    j.Float(2.5);
    j.EndArray();
    j.EndObject();
    std::map<std::string, std::string> f;
    ASSERT_TRUE(ReadJsonObject(j.Text(), &f)) << j.Text();
    EXPECT_EQ(f["a"], "\"NaN\"");
    EXPECT_EQ(f["b"], "\"Infinity\"");
    EXPECT_EQ(f["c"], "\"-Infinity\"");
    EXPECT_EQ(f["list"], "[\"NaN\",2.5]");
}
