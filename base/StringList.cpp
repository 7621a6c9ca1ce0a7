#include "base/StringList.h"

#include "base/Exception.h"
#include "base/StringUtils.h"

namespace tarn {

int TStringList::AddObject(std::string text, std::unique_ptr<TObject> object) {
  lines_.push_back({std::move(text), std::move(object)});
  return Count() - 1;
}

void TStringList::Insert(int index, std::string text) {
  if (index < 0 || index > Count())
    throw Exception("List index out of bounds (" + IntToStr(index) + ")");
  lines_.insert(lines_.begin() + index, Line{std::move(text), nullptr});
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count())
    throw Exception("List index out of bounds (" + IntToStr(index) + ")");
  lines_.erase(lines_.begin() + index);
}

int TStringList::IndexOf(std::string_view text) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText(lines_[static_cast<std::size_t>(i)].text, text)) return i;
  }
  return -1;
}

std::string TStringList::Text() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += "\r\n";
  }
  return out;
}

void TStringList::SetText(std::string_view text) {
  lines_.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
      ++end;
    Add(std::string(text.substr(start, end - start)));
    if (end < text.size() && text[end] == '\r') {
      ++end;
      if (end < text.size() && text[end] == '\n') ++end;
    } else if (end < text.size()) {
      ++end;  // a lone LF
    }
    start = end;
  }
}

}  // namespace tarn
