// A resource type or name: a number, or a text that lookups compare without regard to letter
// case. "#12" written as a text means the number 12, as the platform's resource calls take it.
#pragma once

#include <cstdint>
#include <string>

namespace tarn {

// The standard resource types by number.
enum : uint32_t { RT_BITMAP = 2, RT_STRING = 6, RT_RCDATA = 10 };

class TResourceId {
 public:
  TResourceId(int number) : number_(static_cast<uint32_t>(number)), is_number_(true) {}  // NOLINT
  TResourceId(uint32_t number) : number_(number), is_number_(true) {}                    // NOLINT
  TResourceId(const char* text) : TResourceId(std::string(text)) {}                      // NOLINT
  TResourceId(std::string text);                                                         // NOLINT

  bool IsNumber() const { return is_number_; }
  uint32_t Number() const { return number_; }
  const std::string& Text() const { return text_; }
  // Whether a table entry's type or name (number, or text when not null) is this one.
  bool Matches(uint32_t number, const char* text) const;
  // For messages: the text, or "#" and the number.
  std::string ToString() const;

 private:
  uint32_t number_ = 0;
  bool is_number_ = false;
  std::string text_;
};

}  // namespace tarn
