// The text layout format: a tree of objects, each with a name, a class and properties, read
// into a syntax tree that the loader then applies. The text is UTF-8; strings become code page
// 936. An example:
//
//   # The wizard's window.
//   object Frm_Main: TFrm_Main
//     BorderStyle = bsNone
//     ClientWidth = 558
//     Caption = "塔恩播放器安装"
//     Font.Name = "MS Sans Serif"        # a property of a nested object
//     Font { Height = 11  Style = [] }   # or several in a block
//     OnCreate = FormCreate              # a handler: a method of the form, by name
//     object Area_Title: TPanel
//       Align = alTop
//       Color = $00FFFCE7                # numbers: decimal, $hex or 0xhex, maybe negative
//       Anchors = [akLeft, akTop]        # a set
//       Items = ("one" "two")            # a string list
//       Picture.Data = { 89504E47 0D0A1A0A ... }   # bytes in hexadecimal
//       Hint = "first part " + "second part"      # texts joined with +
//     end
//   end
//
// Names and keywords are compared without regard to letter case. Comments run from '#' or '//'
// to the end of the line. Strings know the escapes \" \\ \n \r \t and \xHH (a raw byte, for
// code-page-936 bytes given directly). A property is set before the objects inside its object
// are made.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarn {

struct TLayoutValue {
  enum class Kind { Number, Identifier, String, List, Set, Binary };
  Kind Type = Kind::Number;
  int64_t Number = 0;
  std::string Text;                // Identifier, String (code page 936)
  std::vector<std::string> Items;  // List (strings), Set (identifiers)
  std::vector<uint8_t> Bytes;      // Binary
  int Line = 0;
};

struct TLayoutProperty {
  std::vector<std::string> Path;  // Font.Name: {"Font", "Name"}
  int Line = 0;
  bool IsBlock = false;                // Path { ... }
  TLayoutValue Value;                  // Path = value
  std::vector<TLayoutProperty> Block;  // the block's properties
};

struct TLayoutObject {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  std::vector<TLayoutProperty> Properties;
  std::vector<TLayoutObject> Children;
};

// Raises ELayoutError naming `source` and the line.
TLayoutObject ParseLayout(std::string_view text, const std::string& source);

}  // namespace tarn
