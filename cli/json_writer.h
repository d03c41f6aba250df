#pragma once
// A small streaming JSON writer: objects, arrays, strings, integers, booleans and null, with
// two-blank indentation. Texts are 8-bit: a valid UTF-8 sequence is written as it is, and each
// byte that belongs to none becomes \u00XX (the character of that byte's value), so that any
// path gives valid JSON.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::cli {

class JsonWriter {
  public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member of the current object.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(std::int64_t number);
    JsonWriter& value(std::uint64_t number);
    JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(bool flag);
    JsonWriter& null();

    // The document; complete once every object and array is closed. Ends with a line end.
    std::string str() const { return out_ + "\n"; }

  private:
    void beforeValue();
    JsonWriter& close(char bracket);
    void newline();

    struct Level {
        bool array;
        bool empty;
    };
    std::string out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

// The text as a JSON string literal, quotes included.
std::string jsonString(std::string_view text);

}  // namespace quillmere::cli
