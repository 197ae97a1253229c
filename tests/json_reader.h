// json_reader.h - a strict reader of one JSON text (the state dump): it checks the whole
// syntax and returns the top-level fields of an object as their raw text.
#pragma once

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

// Each reader returns false on any error.
struct JsonReader {
    const std::string& s;
    size_t i = 0;
    void Space() {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) i++;
    }
    bool Eat(char c) {
        Space();
        if (i < s.size() && s[i] == c) return ++i, true;
        return false;
    }
    bool String(std::string* out) {
        if (!Eat('"')) return false;
        for (; i < s.size() && s[i] != '"'; i++) {
            if (static_cast<unsigned char>(s[i]) < 0x20) return false;
            if (s[i] == '\\') i++;
            if (out) *out += s[i];
        }
        return i < s.size() && s[i++] == '"';
    }
    bool Value() {
        Space();
        if (i >= s.size()) return false;
        if (s[i] == '{') return Object(nullptr);
        if (s[i] == '[') {
            i++;
            if (Eat(']')) return true;
            do {
                if (!Value()) return false;
            } while (Eat(','));
            return Eat(']');
        }
        if (s[i] == '"') return String(nullptr);
        for (const char* word : {"true", "false", "null"})
            if (s.compare(i, std::strlen(word), word) == 0) return i += std::strlen(word), true;
        const size_t start = i;
        if (s[i] == '-') i++;
        while (i < s.size() &&
               (std::isdigit(static_cast<unsigned char>(s[i])) || std::strchr(".eE+-", s[i])))
            i++;
        char* end = nullptr;
        const std::string number = s.substr(start, i - start);
        std::strtod(number.c_str(), &end);
        return !number.empty() && number != "-" && *end == 0;
    }
    bool Object(std::map<std::string, std::string>* fields) {
        if (!Eat('{')) return false;
        if (Eat('}')) return true;
        do {
            std::string key;
            if (!String(&key) || !Eat(':')) return false;
            Space();
            const size_t start = i;
            if (!Value()) return false;
            if (fields) (*fields)[key] = s.substr(start, i - start);
        } while (Eat(','));
        return Eat('}');
    }
};

// Reads `text` as one object and nothing after it.
inline bool ReadJsonObject(const std::string& text, std::map<std::string, std::string>* fields) {
    JsonReader r{text};
    if (!r.Object(fields)) return false;
    r.Space();
    return r.i == text.size();
}
