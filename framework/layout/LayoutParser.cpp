#include "framework/layout/LayoutParser.h"

#include <cctype>
#include <limits>

#include "base/Exception.h"
#include "base/QuotedText.h"
#include "base/StringUtils.h"
#include "framework/layout/LayoutError.h"

namespace tarn {
namespace {

bool IsIdentStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Parser {
 public:
  Parser(std::string_view text, const std::string& source) : text_(text), source_(source) {}

  TLayoutObject Document() {
    Skip();
    if (AtEnd()) Fail("the layout is empty");
    TLayoutObject root = Object();
    Skip();
    if (!AtEnd()) Fail("unexpected text after the last 'end'");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const {
    throw ELayoutError(source_, line_, message);
  }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  char PeekAt(std::size_t ahead) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0';
  }
  void Advance() {
    if (text_[pos_] == '\n') ++line_;
    ++pos_;
  }

  // Blanks, line ends and comments.
  void Skip() {
    while (!AtEnd()) {
      const char c = Peek();
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        Advance();
      } else if (c == '#' || (c == '/' && PeekAt(1) == '/')) {
        while (!AtEnd() && Peek() != '\n')
          Advance();
      } else {
        break;
      }
    }
  }

  void Expect(char c, const char* what) {
    Skip();
    if (Peek() != c) Fail(std::string("expected ") + what);
    Advance();
  }

  std::string Identifier(const char* what) {
    Skip();
    if (!IsIdentStart(Peek())) Fail(std::string("expected ") + what);
    const std::size_t start = pos_;
    while (!AtEnd() && IsIdentChar(Peek()))
      Advance();
    return std::string(text_.substr(start, pos_ - start));
  }

  // Whether the next word is `keyword` (not consumed).
  bool AtKeyword(std::string_view keyword) {
    Skip();
    std::size_t end = pos_;
    while (end < text_.size() && IsIdentChar(text_[end]))
      ++end;
    return end - pos_ == keyword.size() && SameText(text_.substr(pos_, end - pos_), keyword);
  }

  TLayoutObject Object() {
    Skip();
    TLayoutObject object;
    object.Line = line_;
    if (!AtKeyword("object")) Fail("expected 'object'");
    Identifier("'object'");
    object.Name = Identifier("the object's name");
    Expect(':', "':' and the class name after the object's name");
    object.ClassName = Identifier("the class name");
    for (;;) {
      Skip();
      if (AtEnd()) Fail("'end' is missing for the object " + object.Name);
      if (AtKeyword("end")) {
        Identifier("'end'");
        break;
      }
      if (AtKeyword("object")) {
        object.Children.push_back(Object());
      } else {
        object.Properties.push_back(Property());
      }
    }
    return object;
  }

  TLayoutProperty Property() {
    Skip();
    TLayoutProperty property;
    property.Line = line_;
    property.Path.push_back(Identifier("a property name, 'object' or 'end'"));
    while (Peek() == '.') {
      Advance();
      property.Path.push_back(Identifier("a property name after '.'"));
    }
    Skip();
    if (Peek() == '{') {
      Advance();
      property.IsBlock = true;
      for (;;) {
        Skip();
        if (AtEnd()) Fail("'}' is missing for " + property.Path.back());
        if (Peek() == '}') {
          Advance();
          break;
        }
        property.Block.push_back(Property());
      }
      return property;
    }
    if (Peek() != '=') Fail("expected '=' or '{' after " + property.Path.back());
    Advance();
    property.Value = Value();
    return property;
  }

  TLayoutValue Value() {
    Skip();
    TLayoutValue value;
    value.Line = line_;
    const char c = Peek();
    if (c == '"') {
      value.Type = TLayoutValue::Kind::String;
      value.Text = String();
      for (;;) {
        Skip();
        if (Peek() != '+') break;
        Advance();
        Skip();
        if (Peek() != '"') Fail("expected a string after '+'");
        value.Text += String();
      }
    } else if (c == '(') {
      Advance();
      value.Type = TLayoutValue::Kind::List;
      for (;;) {
        Skip();
        if (Peek() == ')') {
          Advance();
          break;
        }
        if (Peek() == ',') {
          Advance();
          continue;
        }
        if (Peek() != '"') Fail("expected a string or ')' in the list");
        value.Items.push_back(String());
      }
    } else if (c == '[') {
      Advance();
      value.Type = TLayoutValue::Kind::Set;
      Skip();
      if (Peek() == ']') {
        Advance();
      } else {
        for (;;) {
          value.Items.push_back(Identifier("a name in the set"));
          Skip();
          if (Peek() == ']') {
            Advance();
            break;
          }
          if (Peek() != ',') Fail("expected ',' or ']' in the set");
          Advance();
        }
      }
    } else if (c == '{') {
      Advance();
      value.Type = TLayoutValue::Kind::Binary;
      Hex(value.Bytes);
    } else if (c == '-' || c == '+' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
      value.Type = TLayoutValue::Kind::Number;
      value.Number = Number();
    } else if (IsIdentStart(c)) {
      value.Type = TLayoutValue::Kind::Identifier;
      value.Text = Identifier("a value");
    } else {
      Fail("expected a value");
    }
    return value;
  }

  int64_t Number() {
    bool negative = false;
    if (Peek() == '-' || Peek() == '+') {
      negative = Peek() == '-';
      Advance();
    }
    int base = 10;
    if (Peek() == '$') {
      base = 16;
      Advance();
    } else if (Peek() == '0' && (PeekAt(1) == 'x' || PeekAt(1) == 'X')) {
      base = 16;
      Advance();
      Advance();
    }
    uint64_t magnitude = 0;
    int digits = 0;
    for (;;) {
      const int d = base == 16
                        ? HexDigit(Peek())
                        : (std::isdigit(static_cast<unsigned char>(Peek())) ? Peek() - '0' : -1);
      if (d < 0) break;
      if (magnitude > (std::numeric_limits<uint64_t>::max() - static_cast<uint64_t>(d)) /
                          static_cast<uint64_t>(base)) {
        Fail("the number is too large");
      }
      magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
      ++digits;
      Advance();
    }
    if (digits == 0) Fail("expected digits");
    if (IsIdentChar(Peek()) || Peek() == '.') Fail("expected a whole number");
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    if (magnitude > limit) Fail("the number is too large");
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  }

  // A quoted string: its UTF-8 text in code page 936, \xHH bytes as they are.
  std::string String() {
    // Quoted texts never span lines, so line_ stays where the string started.
    try {
      return DecodeQuotedText(text_, pos_);
    } catch (const EConvertError& e) {
      Fail(e.Message());
    }
  }

  void Hex(std::vector<uint8_t>& bytes) {
    int half = -1;
    for (;;) {
      Skip();
      if (AtEnd()) Fail("'}' is missing after the bytes");
      const char c = Peek();
      if (c == '}') {
        Advance();
        break;
      }
      const int d = HexDigit(c);
      if (d < 0) Fail(std::string("'") + c + "' is not a hexadecimal digit");
      Advance();
      if (half < 0) {
        half = d;
      } else {
        bytes.push_back(static_cast<uint8_t>(half * 16 + d));
        half = -1;
      }
    }
    if (half >= 0) Fail("the bytes end in half a byte");
  }

  std::string_view text_;
  const std::string& source_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

TLayoutObject ParseLayout(std::string_view text, const std::string& source) {
  // Editors may start a UTF-8 file with a byte-order mark.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return Parser(text, source).Document();
}

}  // namespace tarn
