#include "framework/layout/LayoutLoader.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "base/Component.h"
#include "base/StringUtils.h"
#include "framework/Resources.h"
#include "framework/WinControl.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/ColorNames.h"
#include "framework/layout/LayoutError.h"
#include "framework/layout/LayoutParser.h"
#include "framework/layout/Loadable.h"

namespace tarn {
namespace {

const char* KindName(TPropertyKind kind) {
  switch (kind) {
    case TPropertyKind::Integer:
      return "a number";
    case TPropertyKind::Color:
      return "a colour";
    case TPropertyKind::Boolean:
      return "True or False";
    case TPropertyKind::Enumeration:
      return "a name";
    case TPropertyKind::Set:
      return "a set in [ ]";
    case TPropertyKind::String:
      return "a string";
    case TPropertyKind::Strings:
      return "a list of strings in ( )";
    case TPropertyKind::Binary:
      return "bytes in { }";
    case TPropertyKind::Object:
      return "properties of its own";
    case TPropertyKind::Event:
      return "the name of a method";
    case TPropertyKind::Component:
      return "the name of a component";
  }
  return "a value";
}

bool IsValidName(const std::string& name) {
  if (name.empty() || !(std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_')) {
    return false;
  }
  return std::all_of(name.begin(), name.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
}

class Loader {
 public:
  Loader(TComponent& root, const std::string& source)
      : root_(root), source_(source), registry_(TClassRegistry::Instance()) {}

  void Load(const TLayoutObject& tree) {
    const TClassInfo* cls = registry_.Find(tree.ClassName);
    if (cls == nullptr) Fail(tree.Line, "unknown class '" + tree.ClassName + "'");
    if (!cls->IsInstance || !cls->IsInstance(root_)) {
      const TClassInfo* actual = registry_.ClassOf(root_);
      Fail(tree.Line, "the layout describes a " + cls->Name() + ", not a " +
                          (actual ? actual->Name() : std::string("component of another class")));
    }
    root_class_ = cls;
    try {
      if (!tree.Name.empty()) root_.SetName(tree.Name);
      BeginLoading(root_);
      ApplyObject(root_, *cls, tree);
      ResolveReferences();
      BindFields();
    } catch (...) {
      EndLoading();
      // What the layout made goes again, the innermost first.
      for (auto it = created_.rbegin(); it != created_.rend(); ++it)
        delete *it;
      throw;
    }
    EndLoading();
    for (TComponent* c : loading_) {
      if (auto* loadable = dynamic_cast<ILoadable*>(c)) loadable->Loaded();
    }
  }

 private:
  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw ELayoutError(source_, line, message);
  }

  void BeginLoading(TComponent& c) {
    loading_.push_back(&c);
    if (auto* control = dynamic_cast<TControl*>(&c)) control->IncludeState(csLoading);
    if (auto* win = dynamic_cast<TWinControl*>(&c)) win->DisableAlign();
  }

  void EndLoading() {
    // The innermost first, so each parent aligns children that are complete.
    for (auto it = loading_.rbegin(); it != loading_.rend(); ++it) {
      TComponent* c = *it;
      if (auto* control = dynamic_cast<TControl*>(c)) control->ExcludeState(csLoading);
      if (auto* win = dynamic_cast<TWinControl*>(c)) win->EnableAlign();
    }
  }

  // Properties first, then the objects inside.
  void ApplyObject(TComponent& component, const TClassInfo& cls, const TLayoutObject& node) {
    for (const TLayoutProperty& p : node.Properties)
      ApplyProperty(component, cls, p, 0);
    for (const TLayoutObject& child : node.Children)
      CreateChild(component, child);
  }

  void CreateChild(TComponent& enclosing, const TLayoutObject& node) {
    const TClassInfo* cls = registry_.Find(node.ClassName);
    if (cls == nullptr) Fail(node.Line, "unknown class '" + node.ClassName + "'");
    if (!cls->Create) Fail(node.Line, "a layout cannot create a " + cls->Name());
    if (!IsValidName(node.Name)) Fail(node.Line, "'" + node.Name + "' is not a valid name");
    if (SameText(node.Name, root_.Name()) || root_.FindComponent(node.Name) != nullptr) {
      Fail(node.Line, "the name '" + node.Name + "' is used twice");
    }
    TComponent* component = cls->Create(&root_);
    created_.push_back(component);
    component->SetName(node.Name);
    if (auto* control = dynamic_cast<TControl*>(component)) {
      auto* parent = dynamic_cast<TWinControl*>(&enclosing);
      if (parent == nullptr) {
        Fail(node.Line, "'" + enclosing.Name() + "' cannot hold the control '" + node.Name + "'");
      }
      control->SetParent(parent);
    }
    BeginLoading(*component);
    lines_.push_back({component, node.Line});
    ApplyObject(*component, *cls, node);
  }

  void ApplyProperty(TObject& object, const TClassInfo& cls, const TLayoutProperty& p,
                     std::size_t depth) {
    const std::string& name = p.Path[depth];
    const TPropertyInfo* prop = cls.FindProperty(name);
    if (prop == nullptr) Fail(p.Line, "unknown property '" + name + "' of " + cls.Name());
    const bool nested = depth + 1 < p.Path.size() || p.IsBlock;
    if (nested) {
      if (prop->Kind != TPropertyKind::Object) {
        Fail(p.Line, "'" + prop->Name + "' of " + cls.Name() + " has no properties of its own");
      }
      TNestedObject inner = Guarded(p.Line, *prop, [&] { return prop->Open(object); });
      const TClassInfo* inner_cls = inner.Object ? registry_.ClassOf(*inner.Object) : nullptr;
      if (inner_cls == nullptr) {
        Fail(p.Line, "the class of '" + prop->Name + "' is not registered");
      }
      if (depth + 1 < p.Path.size()) {
        ApplyProperty(*inner.Object, *inner_cls, p, depth + 1);
      } else {
        for (const TLayoutProperty& q : p.Block)
          ApplyProperty(*inner.Object, *inner_cls, q, 0);
      }
      if (inner.Commit) Guarded(p.Line, *prop, [&] { inner.Commit(); });
      return;
    }
    SetValue(object, cls, *prop, p.Value);
  }

  void SetValue(TObject& object, const TClassInfo& cls, const TPropertyInfo& prop,
                const TLayoutValue& v) {
    using K = TLayoutValue::Kind;
    auto expect = [&](bool ok) {
      if (!ok) Fail(v.Line, prop.Name + " of " + cls.Name() + " takes " + KindName(prop.Kind));
    };
    TPropertyValue value;
    switch (prop.Kind) {
      case TPropertyKind::Integer:
        expect(v.Type == K::Number);
        if (v.Number < prop.Min || v.Number > prop.Max) {
          Fail(v.Line, std::to_string(v.Number) + " is out of range for " + prop.Name + " (" +
                           std::to_string(prop.Min) + " to " + std::to_string(prop.Max) + ")");
        }
        value.Int = v.Number;
        break;
      case TPropertyKind::Color:
        if (v.Type == K::Identifier) {
          const auto color = IdentToColor(v.Text);
          if (!color) Fail(v.Line, "unknown colour '" + v.Text + "'");
          value.Int = *color;
        } else {
          expect(v.Type == K::Number);
          if (v.Number < prop.Min || v.Number > prop.Max) {
            Fail(v.Line, std::to_string(v.Number) + " is not a colour");
          }
          value.Int = static_cast<uint32_t>(v.Number);
        }
        break;
      case TPropertyKind::Boolean:
        expect(v.Type == K::Identifier);
        if (SameText(v.Text, "True")) {
          value.Int = 1;
        } else if (SameText(v.Text, "False")) {
          value.Int = 0;
        } else {
          Fail(v.Line, "unknown value '" + v.Text + "' for " + prop.Name + " (True or False)");
        }
        break;
      case TPropertyKind::Enumeration: {
        expect(v.Type == K::Identifier);
        const auto ordinal = prop.Enum->Find(v.Text);
        if (!ordinal) {
          Fail(v.Line, "unknown value '" + v.Text + "' for " + prop.Name + " (" +
                           prop.Enum->TypeName + ")");
        }
        value.Int = *ordinal;
        break;
      }
      case TPropertyKind::Set:
        expect(v.Type == K::Set);
        for (const std::string& flag : v.Items) {
          const auto bits = prop.Set->Find(flag);
          if (!bits) {
            Fail(v.Line,
                 "unknown value '" + flag + "' in " + prop.Name + " (" + prop.Set->TypeName + ")");
          }
          value.Int |= static_cast<int64_t>(*bits);
        }
        break;
      case TPropertyKind::String:
        expect(v.Type == K::String);
        value.Text = v.Text;
        break;
      case TPropertyKind::Strings:
        expect(v.Type == K::List);
        value.Lines = v.Items;
        break;
      case TPropertyKind::Binary:
        expect(v.Type == K::Binary);
        value.Bytes = v.Bytes;
        break;
      case TPropertyKind::Object:
        Fail(v.Line, prop.Name + " of " + cls.Name() +
                         " has properties of its own: give them in { } or as " + prop.Name +
                         ".Name = value");
      case TPropertyKind::Event:
        expect(v.Type == K::Identifier);
        BindEvent(object, prop, v);
        return;
      case TPropertyKind::Component:
        expect(v.Type == K::Identifier);
        references_.push_back({&object, &prop, v.Text, v.Line});
        return;
    }
    if (!prop.SetValue) Fail(v.Line, prop.Name + " of " + cls.Name() + " cannot be set");
    Guarded(v.Line, prop, [&] { prop.SetValue(object, value); });
  }

  void BindEvent(TObject& object, const TPropertyInfo& prop, const TLayoutValue& v) {
    const TMethodInfo* method = root_class_->FindMethod(v.Text);
    if (method == nullptr) {
      Fail(v.Line,
           "unknown handler '" + v.Text + "': " + root_class_->Name() + " has no such method");
    }
    if (method->EventType != prop.EventType) {
      Fail(v.Line, "the handler '" + v.Text + "' does not fit " + prop.Name);
    }
    Guarded(v.Line, prop, [&] { prop.SetEvent(object, method->Bind(root_)); });
  }

  void ResolveReferences() {
    for (const Reference& r : references_) {
      TComponent* target = SameText(r.Name, root_.Name()) ? &root_ : root_.FindComponent(r.Name);
      if (target == nullptr) Fail(r.Line, "unknown component '" + r.Name + "'");
      bool fits = false;
      Guarded(r.Line, *r.Property, [&] { fits = r.Property->SetComponent(*r.Object, target); });
      if (!fits) Fail(r.Line, "'" + r.Name + "' cannot be the " + r.Property->Name);
    }
  }

  // Every field is checked before any is stored, so a failure leaves none pointing at a
  // component that is freed again.
  void BindFields() {
    std::vector<std::pair<const TFieldInfo*, TComponent*>> bound;
    for (const auto& [component, line] : lines_) {
      const TFieldInfo* field = root_class_->FindField(component->Name());
      if (field == nullptr) continue;
      bound.emplace_back(field, component);
      if (!field->Accepts(component)) {
        const TClassInfo* want = registry_.FindByType(field->FieldType);
        const TClassInfo* have = registry_.ClassOf(*component);
        Fail(line, "the field " + field->Name + " of " + root_class_->Name() + " takes a " +
                       (want ? want->Name() : std::string("other class")) + ", not a " +
                       (have ? have->Name() : std::string("component of another class")));
      }
    }
    for (const auto& [field, component] : bound)
      field->Assign(root_, component);
  }

  // Runs an access of the property; a failure in it becomes a layout error at the line.
  template <class F>
  auto Guarded(int line, const TPropertyInfo& prop, F&& f) -> decltype(f()) {
    try {
      return f();
    } catch (const ELayoutError&) {
      throw;
    } catch (const std::exception& e) {
      const auto* own = dynamic_cast<const Exception*>(&e);
      Fail(line, prop.Name + ": " + (own ? own->Message() : std::string(e.what())));
    }
  }

  struct Reference {
    TObject* Object;
    const TPropertyInfo* Property;
    std::string Name;
    int Line;
  };

  TComponent& root_;
  const std::string& source_;
  TClassRegistry& registry_;
  const TClassInfo* root_class_ = nullptr;
  std::vector<TComponent*> created_;
  std::vector<TComponent*> loading_;
  std::vector<std::pair<TComponent*, int>> lines_;
  std::vector<Reference> references_;
};

}  // namespace

void LoadLayout(TComponent& root, std::string_view text, const std::string& source) {
  const TLayoutObject tree = ParseLayout(text, source);
  Loader(root, source).Load(tree);
}

void LoadLayoutResource(TComponent& root, const TResourceId& name) {
  const auto bytes = LoadResource(RT_RCDATA, name);
  LoadLayout(root, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
             name.ToString());
}

}  // namespace tarn
