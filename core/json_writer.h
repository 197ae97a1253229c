// json_writer.h - a small JSON writer for the state dumps of the scripted driver.
//
//     JsonWriter j;
//     j.BeginObject();
//     j.Key("frame"); j.Int(12);
//     j.Key("Shots"); j.BeginArray(); ... j.EndArray();
//     j.EndObject();
//     std::string text = j.Text();
//
// Floats are written with nine significant digits, so every f32 value reads back exactly; a
// value that is not finite is written as the string "NaN", "Infinity" or "-Infinity".
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class JsonWriter {
  public:
    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }

    void Key(const char* name) {
        Separate();
        String(name);
        out_ += ':';
        afterKey_ = true;
    }
    void Int(int64_t v) {
        Separate();
        out_ += std::to_string(v);
    }
    void Float(double v) {
        Separate();
        // Mended: "nan" and "inf" are not JSON; a dump with them could not be read at all.
        if (!std::isfinite(v)) {
            String(std::isnan(v) ? "NaN" : v > 0 ? "Infinity" : "-Infinity");
            return;
        }
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.9g", v);
        out_ += buf;
    }
    void Bool(bool v) {
        Separate();
        out_ += v ? "true" : "false";
    }
    void Str(const std::string& s) {
        Separate();
        String(s);
    }
    // Shorthands for one field of an object.
    void Field(const char* name, int64_t v) { Key(name), Int(v); }
    void FieldF(const char* name, double v) { Key(name), Float(v); }
    void FieldS(const char* name, const std::string& v) { Key(name), Str(v); }

    const std::string& Text() const { return out_; }

  private:
    void Open(char c) {
        Separate();
        out_ += c;
        first_.push_back(true);
    }
    void Close(char c) {
        out_ += c;
        first_.pop_back();
    }
    void Separate() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (!first_.empty()) {
            if (!first_.back()) out_ += ',';
            first_.back() = false;
        }
    }
    void String(const std::string& s) {
        out_ += '"';
        for (unsigned char c : s) {
            if (c == '"' || c == '\\')
                out_ += '\\', out_ += char(c);
            else if (c < 0x20 || c >= 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out_ += buf;
            } else
                out_ += char(c);
        }
        out_ += '"';
    }

    std::string out_;
    std::vector<bool> first_;
    bool afterKey_ = false;
};
