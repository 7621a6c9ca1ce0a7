// The published properties of a registered class, as the layout loader sets them by name: the
// kind of value a property takes, how to read and write it on an object, and its metadata (the
// value on a new instance and the stream default, which can differ).
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <utility>
#include <vector>

namespace tarn {

class TObject;
class TComponent;
class TClassInfo;

enum class TPropertyKind {
  Integer,
  Color,  // a colour value, written as a number or a colour name (clBtnFace)
  Boolean,
  Enumeration,  // one name of an enumeration
  Set,          // a set of flag names: [akLeft, akTop]
  String,
  Strings,    // a list of strings
  Binary,     // bytes (a picture stored with the form)
  Object,     // a nested object with properties of its own (Font, BackgroundOptions)
  Event,      // a handler: a method of the form, by name
  Component,  // another component of the form, by name
};

// The names of an enumeration's values, by ordinal.
struct TEnumInfo {
  std::string TypeName;
  std::vector<std::string> Names;
  std::optional<int> Find(std::string_view name) const;  // ignoring letter case
};

// The names of a set's flags with their bits.
struct TSetInfo {
  std::string TypeName;
  std::vector<std::pair<std::string, uint64_t>> Flags;
  std::optional<uint64_t> Find(std::string_view name) const;
};

// A property value in the form the loader and the metadata use.
struct TPropertyValue {
  int64_t Int = 0;                 // Integer, Color, Boolean, Enumeration (ordinal), Set (bits)
  std::string Text;                // String, Event and Component (the name)
  std::vector<std::string> Lines;  // Strings
  std::vector<uint8_t> Bytes;      // Binary
  friend bool operator==(const TPropertyValue&, const TPropertyValue&) = default;

  static TPropertyValue Of(int64_t v) { return {v, {}, {}, {}}; }
  static TPropertyValue Of(std::string v) { return {0, std::move(v), {}, {}}; }
};

// A nested object opened for the loader: the object to set properties on, and what to do once
// they are set (a value such as a control's font is edited on a copy and then stored).
struct TNestedObject {
  TObject* Object = nullptr;
  std::shared_ptr<TObject> Holder;
  std::function<void()> Commit;
};

class TPropertyInfo {
 public:
  std::string Name;
  TPropertyKind Kind = TPropertyKind::Integer;
  const TEnumInfo* Enum = nullptr;  // Enumeration
  const TSetInfo* Set = nullptr;    // Set
  int64_t Min = 0;                  // Integer and Color
  int64_t Max = 0;
  bool Published = true;  // false: accepted from older layouts, but no longer a property

  // Metadata. The value of a new instance, and the stream default (a value equal to it is not
  // stored with a form); AlwaysStored marks a property without a stream default, and Stored a
  // condition under which it is stored at all.
  std::optional<TPropertyValue> NewValue;
  std::optional<TPropertyValue> StreamDefault;
  bool AlwaysStored = false;
  std::function<bool(TObject&)> Stored;

  // Access (what the kind needs; any may be empty).
  std::function<TPropertyValue(TObject&)> Get;
  std::function<void(TObject&, const TPropertyValue&)> SetValue;
  std::function<TNestedObject(TObject&)> Open;  // Object
  std::type_index EventType = typeid(void);     // Event
  std::function<void(TObject&, const std::any&)> SetEvent;
  std::function<bool(TObject&, TComponent*)> SetComponent;  // false: not of the right class

  // Whether the property's present value would be written to a stored form.
  bool ShouldStore(TObject& object) const;
};

}  // namespace tarn
