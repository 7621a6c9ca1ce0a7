#include "framework/layout/ClassRegistry.h"

#include "base/StringUtils.h"
#include "framework/layout/StandardClasses.h"

namespace tarn {

TClassRegistry& TClassRegistry::Instance() {
  static TClassRegistry* registry = [] {
    auto* r = new TClassRegistry;
    RegisterStandardClasses(*r);
    return r;
  }();
  return *registry;
}

TClassInfo& TClassRegistry::AddClass(const std::string& name, std::type_index type,
                                     const TClassInfo* parent) {
  const std::string key = UpperCase(name);
  if (by_name_.count(key) != 0)
    throw std::logic_error("The class " + name + " is registered twice");
  if (by_type_.count(type) != 0) {
    throw std::logic_error("The class of " + name + " is registered twice");
  }
  TClassInfo& info = classes_.emplace_back(name, type, parent);
  by_name_[key] = &info;
  by_type_[type] = &info;
  return info;
}

const TClassInfo* TClassRegistry::Find(std::string_view name) const {
  auto it = by_name_.find(UpperCase(name));
  return it == by_name_.end() ? nullptr : it->second;
}

const TClassInfo* TClassRegistry::FindByType(std::type_index type) const {
  auto it = by_type_.find(type);
  return it == by_type_.end() ? nullptr : it->second;
}

const TClassInfo* TClassRegistry::ClassOf(const TObject& object) const {
  if (const TClassInfo* exact = FindByType(typeid(object))) return exact;
  const TClassInfo* best = nullptr;
  for (const TClassInfo& c : classes_) {
    if (c.IsInstance && c.IsInstance(object) && (best == nullptr || c.Depth() > best->Depth())) {
      best = &c;
    }
  }
  return best;
}

std::vector<const TClassInfo*> TClassRegistry::Classes() const {
  std::vector<const TClassInfo*> list;
  for (const TClassInfo& c : classes_)
    list.push_back(&c);
  return list;
}

const TEnumInfo& TClassRegistry::AddEnum(std::type_index type, std::string typeName,
                                         std::vector<std::string> names) {
  if (enum_by_type_.count(type) != 0) {
    throw std::logic_error("The enumeration " + typeName + " is registered twice");
  }
  TEnumInfo& info = enums_.emplace_back(TEnumInfo{std::move(typeName), std::move(names)});
  enum_by_type_[type] = &info;
  return info;
}

const TEnumInfo* TClassRegistry::FindEnum(std::type_index type) const {
  auto it = enum_by_type_.find(type);
  return it == enum_by_type_.end() ? nullptr : it->second;
}

const TSetInfo& TClassRegistry::AddSet(std::string typeName,
                                       std::vector<std::pair<std::string, uint64_t>> flags) {
  if (FindSet(typeName) != nullptr) {
    throw std::logic_error("The set " + typeName + " is registered twice");
  }
  return sets_.emplace_back(TSetInfo{std::move(typeName), std::move(flags)});
}

const TSetInfo* TClassRegistry::FindSet(std::string_view typeName) const {
  for (const TSetInfo& s : sets_) {
    if (SameText(s.TypeName, typeName)) return &s;
  }
  return nullptr;
}

}  // namespace tarn
