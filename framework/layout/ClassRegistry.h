// The registry of classes the layout loader can create and set up by name. Each class is
// registered once with its published properties; the framework's own classes are registered on
// first use, and every other module registers its classes (for example the skinned controls,
// and each form class with its handler methods and component fields) before loading a layout:
//
//   RegisterClass<TLabel, TGraphicControl>("TLabel")
//       .Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
//       .NewValue(false).Default(false);
//   RegisterClass<TMainForm, TForm>("TMainForm")
//       .Method("Btn_NextClick", &TMainForm::Btn_NextClick)
//       .Field("Btn_Next", &TMainForm::Btn_Next);
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "base/Component.h"
#include "base/StringList.h"
#include "framework/ControlTypes.h"
#include "framework/layout/ClassInfo.h"

namespace tarn {

class TClassRegistry {
 public:
  // The registry, with the framework's own classes in it.
  static TClassRegistry& Instance();

  // Raises std::logic_error for a name or type registered before.
  TClassInfo& AddClass(const std::string& name, std::type_index type, const TClassInfo* parent);
  const TClassInfo* Find(std::string_view name) const;  // ignoring letter case
  const TClassInfo* FindByType(std::type_index type) const;
  // The most derived registered class the object belongs to, or none.
  const TClassInfo* ClassOf(const TObject& object) const;
  std::vector<const TClassInfo*> Classes() const;

  const TEnumInfo& AddEnum(std::type_index type, std::string typeName,
                           std::vector<std::string> names);
  const TEnumInfo* FindEnum(std::type_index type) const;
  const TSetInfo& AddSet(std::string typeName, std::vector<std::pair<std::string, uint64_t>> flags);
  const TSetInfo* FindSet(std::string_view typeName) const;

 private:
  TClassRegistry() = default;

  std::deque<TClassInfo> classes_;  // stable addresses
  std::map<std::string, TClassInfo*> by_name_;
  std::map<std::type_index, TClassInfo*> by_type_;
  std::deque<TEnumInfo> enums_;
  std::map<std::type_index, TEnumInfo*> enum_by_type_;
  std::deque<TSetInfo> sets_;
};

namespace registry_detail {

// The value type a setter takes: a member function of one argument, or a callable taking the
// object and the value.
template <class F>
struct SetterArg : SetterArg<decltype(&F::operator())> {};
template <class R, class X, class A>
struct SetterArg<R (X::*)(A)> {
  using type = std::decay_t<A>;
};
template <class R, class X, class O, class A>
struct SetterArg<R (X::*)(O, A) const> {
  using type = std::decay_t<A>;
};

template <class V>
TPropertyValue ToValue(const V& v) {
  if constexpr (std::is_convertible_v<V, std::string_view>) {
    return TPropertyValue::Of(std::string(std::string_view(v)));
  } else if constexpr (std::is_same_v<V, std::vector<std::string>>) {
    TPropertyValue value;
    value.Lines = v;
    return value;
  } else if constexpr (std::is_same_v<V, std::vector<uint8_t>>) {
    TPropertyValue value;
    value.Bytes = v;
    return value;
  } else {
    static_assert(std::is_integral_v<V> || std::is_enum_v<V>);
    return TPropertyValue::Of(static_cast<int64_t>(v));
  }
}

}  // namespace registry_detail

template <class C>
class TClassBuilder {
 public:
  TClassBuilder(TClassRegistry& registry, TClassInfo& info) : registry_(registry), info_(info) {}
  TClassInfo& Info() { return info_; }

  // --- Properties. A getter or setter may be a member function, a data member or a callable
  // taking the object; a getter may be nullptr for a property that is only read from layouts.
  template <class G, class S>
  TClassBuilder& Integer(std::string name, G get, S set) {
    using T = ValueT<G, S>;
    static_assert(std::is_integral_v<T>, "an integer property");
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Integer);
    p.Min = static_cast<int64_t>(std::numeric_limits<T>::min());
    p.Max = std::numeric_limits<T>::max() > static_cast<uint64_t>(INT64_MAX)
                ? INT64_MAX
                : static_cast<int64_t>(std::numeric_limits<T>::max());
    Access(p, get, set, [](const TPropertyValue& v) { return static_cast<T>(v.Int); });
    return *this;
  }
  template <class G, class S>
  TClassBuilder& Color(std::string name, G get, S set) {
    using T = ValueT<G, S>;
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Color);
    p.Min = INT32_MIN;
    p.Max = UINT32_MAX;
    Access(p, get, set,
           [](const TPropertyValue& v) { return static_cast<T>(static_cast<uint32_t>(v.Int)); });
    return *this;
  }
  template <class G, class S>
  TClassBuilder& Boolean(std::string name, G get, S set) {
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Boolean);
    Access(p, get, set, [](const TPropertyValue& v) { return v.Int != 0; });
    return *this;
  }
  template <class G, class S>
  TClassBuilder& Enum(std::string name, G get, S set) {
    using T = ValueT<G, S>;
    static_assert(std::is_enum_v<T>, "an enumeration property");
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Enumeration);
    p.Enum = registry_.FindEnum(typeid(T));
    if (p.Enum == nullptr)
      throw std::logic_error("The enumeration of " + p.Name + " is not registered");
    Access(p, get, set, [](const TPropertyValue& v) { return static_cast<T>(v.Int); });
    return *this;
  }
  template <class G, class S>
  TClassBuilder& Set(std::string name, std::string_view setType, G get, S set) {
    using T = ValueT<G, S>;
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Set);
    p.Set = registry_.FindSet(setType);
    if (p.Set == nullptr)
      throw std::logic_error("The set type of " + p.Name + " is not registered");
    Access(p, get, set, [](const TPropertyValue& v) { return static_cast<T>(v.Int); });
    return *this;
  }
  template <class G, class S>
  TClassBuilder& String(std::string name, G get, S set) {
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::String);
    Access(p, get, set, [](const TPropertyValue& v) { return v.Text; });
    return *this;
  }
  // A list of strings through a getter and setter of std::vector<std::string>.
  template <class G, class S>
  TClassBuilder& Strings(std::string name, G get, S set) {
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Strings);
    Access(p, get, set, [](const TPropertyValue& v) { return v.Lines; });
    return *this;
  }
  // A list of strings held in a TStringList of the object: `list` gives it.
  template <class List>
  TClassBuilder& StringList(std::string name, List list) {
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Strings);
    p.Get = [list](TObject& o) {
      TStringList& l = std::invoke(list, Cast(o));
      TPropertyValue v;
      for (int i = 0; i < l.Count(); ++i)
        v.Lines.push_back(l.Strings(i));
      return v;
    };
    p.SetValue = [list](TObject& o, const TPropertyValue& v) {
      TStringList& l = std::invoke(list, Cast(o));
      l.Clear();
      for (const std::string& line : v.Lines)
        l.Add(line);
    };
    return *this;
  }
  // Bytes through a getter of std::vector<uint8_t> and a setter of a span or vector of bytes.
  template <class G, class S>
  TClassBuilder& Binary(std::string name, G get, S set) {
    using T = typename registry_detail::SetterArg<S>::type;
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Binary);
    Access(p, get, set, [](const TPropertyValue& v) {
      if constexpr (std::is_same_v<T, std::vector<uint8_t>>) {
        return v.Bytes;
      } else {
        return T(v.Bytes.data(), v.Bytes.size());
      }
    });
    return *this;
  }
  // A nested object the object owns: `object` gives it.
  template <class Get>
  TClassBuilder& Object(std::string name, Get object) {
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Object);
    p.Open = [object](TObject& o) {
      TNestedObject nested;
      nested.Object = &static_cast<TObject&>(std::invoke(object, Cast(o)));
      return nested;
    };
    return *this;
  }
  // A nested object the loader edits through `open`, which gives the object and what to do
  // once its properties are set (for a value such as a control's font).
  template <class Open>
  TClassBuilder& ObjectProxy(std::string name, Open open) {
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Object);
    p.Open = [open](TObject& o) { return open(Cast(o)); };
    return *this;
  }
  // An event: a std::function data member that handlers of the same signature are bound to.
  template <class F>
  TClassBuilder& Event(std::string name, F C::*member) {
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Event);
    p.EventType = typeid(F);
    p.SetEvent = [member](TObject& o, const std::any& handler) {
      Cast(o).*member = std::any_cast<F>(handler);
    };
    return *this;
  }
  // A reference to another component of the layout, of class T.
  template <class T, class G, class S>
  TClassBuilder& Component(std::string name, G get, S set) {
    TPropertyInfo& p = Add(std::move(name), TPropertyKind::Component);
    if constexpr (!std::is_null_pointer_v<G>) {
      p.Get = [get](TObject& o) {
        TComponent* c = std::invoke(get, Cast(o));
        return TPropertyValue::Of(c ? c->Name() : std::string());
      };
    }
    p.SetComponent = [set](TObject& o, TComponent* c) {
      T* target = dynamic_cast<T*>(c);
      if (c != nullptr && target == nullptr) return false;
      std::invoke(set, Cast(o), target);
      return true;
    };
    return *this;
  }

  // --- Metadata of the property registered last.
  template <class V>
  TClassBuilder& NewValue(const V& value) {
    Last().NewValue = registry_detail::ToValue(value);
    return *this;
  }
  template <class V>
  TClassBuilder& Default(const V& value) {
    Last().StreamDefault = registry_detail::ToValue(value);
    return *this;
  }
  TClassBuilder& NoDefault() {
    Last().AlwaysStored = true;
    return *this;
  }
  TClassBuilder& StoredWhen(std::function<bool(C&)> stored) {
    Last().Stored = [stored](TObject& o) { return stored(Cast(o)); };
    return *this;
  }
  TClassBuilder& Range(int64_t min, int64_t max) {
    Last().Min = min;
    Last().Max = max;
    return *this;
  }
  // Read from older layouts, but no longer published.
  TClassBuilder& Unpublished() {
    Last().Published = false;
    return *this;
  }

  // --- Form classes: handlers and component fields.
  template <class R, class... A>
  TClassBuilder& Method(std::string name, R (C::*method)(A...)) {
    using F = std::function<R(A...)>;
    TMethodInfo m;
    m.Name = std::move(name);
    m.EventType = typeid(F);
    m.Bind = [method](TObject& form) -> std::any { return F(tarn::Bind(&Cast(form), method)); };
    info_.Methods.push_back(std::move(m));
    return *this;
  }
  template <class T>
  TClassBuilder& Field(std::string name, T* C::*member) {
    TFieldInfo f;
    f.Name = std::move(name);
    f.FieldType = typeid(T);
    f.Accepts = [](TComponent* component) { return dynamic_cast<T*>(component) != nullptr; };
    f.Assign = [member](TObject& form, TComponent* component) {
      Cast(form).*member = dynamic_cast<T*>(component);
    };
    info_.Fields.push_back(std::move(f));
    return *this;
  }

  // No instance can be made by a layout (an abstract base, or a form the program creates).
  TClassBuilder& NoCreate() {
    info_.Create = nullptr;
    return *this;
  }

 private:
  static C& Cast(TObject& o) {
    C* c = dynamic_cast<C*>(&o);
    if (c == nullptr) throw std::logic_error("A property was used on an object of another class");
    return *c;
  }
  template <class G, class S>
  static auto ValueTag() {
    if constexpr (std::is_null_pointer_v<G>) {
      return std::type_identity<typename registry_detail::SetterArg<S>::type>{};
    } else {
      return std::type_identity<std::decay_t<std::invoke_result_t<G&, C&>>>{};
    }
  }
  template <class G, class S>
  using ValueT = typename decltype(ValueTag<G, S>())::type;

  TPropertyInfo& Add(std::string name, TPropertyKind kind) {
    for (const TPropertyInfo& p : info_.Properties) {
      if (p.Name == name)
        throw std::logic_error(info_.Name() + "." + name + " is registered twice");
    }
    TPropertyInfo p;
    p.Name = std::move(name);
    p.Kind = kind;
    info_.Properties.push_back(std::move(p));
    return info_.Properties.back();
  }
  TPropertyInfo& Last() {
    if (info_.Properties.empty()) throw std::logic_error("No property to describe");
    return info_.Properties.back();
  }
  template <class G, class S, class From>
  static void Access(TPropertyInfo& p, G get, S set, From from) {
    if constexpr (!std::is_null_pointer_v<G>) {
      p.Get = [get](TObject& o) { return registry_detail::ToValue(std::invoke(get, Cast(o))); };
    }
    if constexpr (!std::is_null_pointer_v<S>) {
      p.SetValue = [set, from](TObject& o, const TPropertyValue& v) {
        std::invoke(set, Cast(o), from(v));
      };
    }
  }

  TClassRegistry& registry_;
  TClassInfo& info_;
};

// Registers class C, derived from the registered class Parent (void for a root), under `name`.
// A component class that can be made from an owner gets a factory.
template <class C, class Parent = void>
TClassBuilder<C> RegisterClass(const std::string& name,
                               TClassRegistry& registry = TClassRegistry::Instance()) {
  const TClassInfo* parent = nullptr;
  if constexpr (!std::is_void_v<Parent>) {
    static_assert(std::is_base_of_v<Parent, C>, "the parent class must be a base of the class");
    parent = registry.FindByType(typeid(Parent));
    if (parent == nullptr)
      throw std::logic_error("The parent class of " + name + " is not registered");
  }
  TClassInfo& info = registry.AddClass(name, typeid(C), parent);
  info.IsInstance = [](const TObject& o) { return dynamic_cast<const C*>(&o) != nullptr; };
  if constexpr (std::is_base_of_v<TComponent, C> && std::is_constructible_v<C, TComponent*> &&
                !std::is_abstract_v<C>) {
    info.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
  }
  return TClassBuilder<C>(registry, info);
}

// Registers the names of enumeration E's values, in the order of their ordinals.
template <class E>
void RegisterEnum(std::string typeName, std::vector<std::string> names,
                  TClassRegistry& registry = TClassRegistry::Instance()) {
  static_assert(std::is_enum_v<E>);
  registry.AddEnum(typeid(E), std::move(typeName), std::move(names));
}

// Registers a set type: flag names with their bits.
inline void RegisterSet(std::string typeName, std::vector<std::pair<std::string, uint64_t>> flags,
                        TClassRegistry& registry = TClassRegistry::Instance()) {
  registry.AddSet(std::move(typeName), std::move(flags));
}

}  // namespace tarn
