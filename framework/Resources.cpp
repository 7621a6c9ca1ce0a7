#include "framework/Resources.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "base/StringUtils.h"

namespace tarn {
namespace {

struct Table {
  const TResourceEntry* Entries;
  std::size_t Count;
};

struct Tables {
  std::mutex mutex;
  std::vector<Table> list;
};

Tables& Registered() {
  static Tables tables;
  return tables;
}

}  // namespace

void RegisterResourceTable(const TResourceEntry* entries, std::size_t count) {
  Tables& t = Registered();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.list.push_back({entries, count});
}

void UnregisterResourceTable(const TResourceEntry* entries) {
  Tables& t = Registered();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.list.erase(std::remove_if(t.list.begin(), t.list.end(),
                              [entries](const Table& table) { return table.Entries == entries; }),
               t.list.end());
}

TResourceId::TResourceId(std::string text) {
  if (text.size() > 1 && text[0] == '#') {
    if (auto n = TryStrToInt(std::string_view(text).substr(1)); n && *n >= 0 && *n <= 0xFFFF) {
      number_ = static_cast<uint32_t>(*n);
      is_number_ = true;
      return;
    }
  }
  text_ = std::move(text);
}

bool TResourceId::Matches(uint32_t number, const char* text) const {
  if (is_number_) return text == nullptr && number == number_;
  return text != nullptr && SameText(text, text_);
}

std::string TResourceId::ToString() const {
  return is_number_ ? "#" + IntToStr(number_) : text_;
}

const TResourceEntry* FindResource(const TResourceId& type, const TResourceId& name) {
  Tables& t = Registered();
  std::lock_guard<std::mutex> lock(t.mutex);
  for (const Table& table : t.list) {
    for (std::size_t i = 0; i < table.Count; ++i) {
      const TResourceEntry& e = table.Entries[i];
      if (type.Matches(e.TypeNumber, e.TypeName) && name.Matches(e.NameNumber, e.Name)) return &e;
    }
  }
  return nullptr;
}

std::span<const uint8_t> LoadResource(const TResourceId& type, const TResourceId& name) {
  const TResourceEntry* e = FindResource(type, name);
  if (e == nullptr) throw EResNotFound("Resource " + name.ToString() + " not found");
  return {e->Data, e->Size};
}

std::string LoadStr(uint32_t id) {
  const TResourceEntry* e = FindResource(RT_STRING, id);
  if (e == nullptr) return {};
  return std::string(reinterpret_cast<const char*>(e->Data), e->Size);
}

}  // namespace tarn
