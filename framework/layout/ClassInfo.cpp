#include "framework/layout/ClassInfo.h"

#include "base/StringUtils.h"

namespace tarn {

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
    if (c == &other) return true;
  }
  return false;
}

int TClassInfo::Depth() const {
  int depth = 0;
  for (const TClassInfo* c = parent_; c != nullptr; c = c->parent_)
    ++depth;
  return depth;
}

const TPropertyInfo* TClassInfo::FindProperty(std::string_view name) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
    for (const TPropertyInfo& p : c->Properties) {
      if (SameText(p.Name, name)) return &p;
    }
  }
  return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
    for (const TMethodInfo& m : c->Methods) {
      if (SameText(m.Name, name)) return &m;
    }
  }
  return nullptr;
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
    for (const TFieldInfo& f : c->Fields) {
      if (SameText(f.Name, name)) return &f;
    }
  }
  return nullptr;
}

std::vector<const TPropertyInfo*> TClassInfo::PublishedProperties() const {
  std::vector<const TPropertyInfo*> list;
  if (parent_ != nullptr) list = parent_->PublishedProperties();
  for (const TPropertyInfo& p : Properties) {
    if (!p.Published) continue;
    // A class may publish an inherited property again with its own metadata.
    bool replaced = false;
    for (const TPropertyInfo*& q : list) {
      if (SameText(q->Name, p.Name)) {
        q = &p;
        replaced = true;
      }
    }
    if (!replaced) list.push_back(&p);
  }
  return list;
}

}  // namespace tarn
