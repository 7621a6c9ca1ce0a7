// Quoted texts of our own text formats (form layouts, resource manifests): UTF-8 between double
// quotes on one line, with the escapes \n \r \t \" \\ and \xHH (one raw code-page-936 byte).
// The result is code-page-936 text, as every string inside the program is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarn {

// Decodes the quoted text whose opening quote is text[pos] and moves pos just past the closing
// quote. Raises EConvertError naming what is wrong ("the text has no closing quote", an unknown
// escape, a bad \x, characters code page 936 cannot hold); pos is then unspecified.
std::string DecodeQuotedText(std::string_view text, std::size_t& pos);

}  // namespace tarn
