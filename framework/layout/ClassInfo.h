// TClassInfo: a class as the layout loader knows it: its name, its parent class, how to make an
// instance (for classes a layout may create), its published properties and, for form classes,
// the methods that handlers are bound to and the fields that receive the form's components.
#pragma once

#include <any>
#include <functional>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "framework/layout/PropertyInfo.h"

namespace tarn {

class TObject;
class TComponent;

struct TMethodInfo {
  std::string Name;
  std::type_index EventType = typeid(void);  // the std::function type it binds to
  std::function<std::any(TObject& form)> Bind;
};

struct TFieldInfo {
  std::string Name;
  std::type_index FieldType = typeid(void);
  // Whether the component is of the field's class, and storing it there.
  std::function<bool(TComponent* component)> Accepts;
  std::function<void(TObject& form, TComponent* component)> Assign;
};

class TClassInfo {
 public:
  TClassInfo(std::string name, std::type_index type, const TClassInfo* parent)
      : name_(std::move(name)), type_(type), parent_(parent) {}

  const std::string& Name() const { return name_; }
  std::type_index Type() const { return type_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& other) const;
  int Depth() const;

  // A new instance owned by `owner`; none for classes a layout cannot create.
  std::function<TComponent*(TComponent* owner)> Create;
  std::function<bool(const TObject&)> IsInstance;

  // Own and inherited, searched without regard to letter case (own first).
  const TPropertyInfo* FindProperty(std::string_view name) const;
  const TMethodInfo* FindMethod(std::string_view name) const;
  const TFieldInfo* FindField(std::string_view name) const;
  // Every published property, the parent's first.
  std::vector<const TPropertyInfo*> PublishedProperties() const;

  std::vector<TPropertyInfo> Properties;
  std::vector<TMethodInfo> Methods;
  std::vector<TFieldInfo> Fields;

 private:
  std::string name_;
  std::type_index type_;
  const TClassInfo* parent_;
};

}  // namespace tarn
