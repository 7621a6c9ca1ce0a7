#include "platform/posix/RegistryHive.h"

#include <algorithm>
#include <chrono>

#include "platform/posix/Utf16.h"

namespace tarn {
namespace {

bool IsBlankLine(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

std::string_view WithoutCr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The position of the child with that name, or where it belongs.
std::size_t LowerBound(const TRegNode& node, std::u16string_view name) {
  const auto it =
      std::lower_bound(node.children.begin(), node.children.end(), name,
                       [](const std::unique_ptr<TRegNode>& child, std::u16string_view n) {
                         return CompareNoCase(child->name, n) < 0;
                       });
  return static_cast<std::size_t>(it - node.children.begin());
}

}  // namespace

TRegNode* TRegNode::Child(std::u16string_view childName) const {
  const std::size_t at = LowerBound(*this, childName);
  if (at < children.size() && CompareNoCase(children[at]->name, childName) == 0) {
    return children[at].get();
  }
  return nullptr;
}

const TRegEntry* TRegNode::FindValue(std::u16string_view valueName) const {
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (it->kind == TRegEntry::Kind::Value && CompareNoCase(it->value.Name, valueName) == 0) {
      return &*it;
    }
  }
  return nullptr;
}

std::vector<std::u16string> TRegNode::ValueNames() const {
  std::vector<std::u16string> names;
  for (const auto& entry : entries) {
    if (entry.kind != TRegEntry::Kind::Value) continue;
    const bool seen = std::any_of(names.begin(), names.end(), [&](const std::u16string& n) {
      return CompareNoCase(n, entry.value.Name) == 0;
    });
    if (!seen) names.push_back(entry.value.Name);
  }
  return names;
}

bool TRegNode::HasValues() const {
  return std::any_of(entries.begin(), entries.end(),
                     [](const TRegEntry& e) { return e.kind == TRegEntry::Kind::Value; });
}

TRegistryHive::TRegistryHive(std::string_view rootComment) {
  headerLines_ = {std::string(regtext::kSignature),
                  ";; All keys relative to " + std::string(rootComment), "", "#arch=win32"};
}

bool TRegistryHive::Parse(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (lines.empty() || WithoutCr(lines[0]) != regtext::kSignature) return false;

  std::vector<std::string> header;
  auto root = std::make_unique<TRegNode>();
  TRegNode* current = nullptr;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (!line.empty() && line[0] == '[') {
      if (const auto path = regtext::ParseKeyLine(WithoutCr(line))) {
        TRegNode* node = root.get();
        for (const auto& part : *path) {
          TRegNode* child = node->Child(part);
          if (!child) child = AddChild(*node, part);
          node = child;
        }
        if (!node->ownBlock) node->header = std::string(line);
        node->ownBlock = true;
        current = node;
        continue;
      }
    }
    if (current == nullptr) {
      header.emplace_back(line);
      continue;
    }
    if (IsBlankLine(line)) continue;
    TRegEntry entry;
    if (line[0] == '#' || line[0] == ';') {
      entry.kind = TRegEntry::Kind::Meta;
      entry.raw = std::string(line);
    } else {
      // A line ending in a backslash goes on in the next one, after its leading blanks.
      std::string raw(line);
      std::string logical(WithoutCr(line));
      // (Never into a blank line or a key line: those end the value whatever it says.)
      while (!logical.empty() && logical.back() == '\\' && i + 1 < lines.size() &&
             !IsBlankLine(lines[i + 1]) && !lines[i + 1].starts_with('[')) {
        logical.pop_back();
        const std::string_view next = lines[++i];
        raw += '\n';
        raw += next;
        const std::string_view rest = WithoutCr(next);
        const std::size_t start = rest.find_first_not_of(" \t");
        if (start != std::string_view::npos) logical += rest.substr(start);
      }
      entry.raw = std::move(raw);
      if (auto value = regtext::ParseValue(logical)) {
        entry.value = std::move(*value);
      } else {
        entry.kind = TRegEntry::Kind::Opaque;
      }
    }
    current->entries.push_back(std::move(entry));
  }
  while (!header.empty() && IsBlankLine(header.back()))
    header.pop_back();
  headerLines_ = std::move(header);
  root_ = std::move(root);
  return true;
}

std::string TRegistryHive::Serialise() const {
  std::string out;
  for (const auto& line : headerLines_) {
    out += line;
    out += '\n';
  }
  // A block for the root itself ("[]") is not something Wine writes, but it is kept all the same.
  if (root_->ownBlock || !root_->entries.empty()) {
    out += '\n';
    out += root_->header.empty() ? "[]" : root_->header;
    out += '\n';
    for (const auto& entry : root_->entries) {
      out += entry.raw.empty() ? regtext::FormatValue(entry.value) : entry.raw;
      out += '\n';
    }
  }
  for (const auto& child : root_->children)
    SerialiseNode(*child, out);
  return out;
}

void TRegistryHive::SerialiseNode(const TRegNode& node, std::string& out) const {
  // Keys with neither values nor a block of their own are implied by their sub-keys.
  if (node.ownBlock || node.HasValues() || node.children.empty()) {
    out += '\n';
    out += node.header.empty() ? regtext::FormatKeyLine(PathOf(node), 0) : node.header;
    out += '\n';
    for (const auto& entry : node.entries) {
      out += entry.raw.empty() ? regtext::FormatValue(entry.value) : entry.raw;
      out += '\n';
    }
  }
  for (const auto& child : node.children)
    SerialiseNode(*child, out);
}

TRegNode* TRegistryHive::Find(const TRegPath& path, bool followLast) {
  bool created = false;
  return Walk(path, false, followLast, 0, created, 0);
}

bool TRegistryHive::IsLink(const TRegNode& node) {
  return std::any_of(node.entries.begin(), node.entries.end(), [](const TRegEntry& e) {
    return e.kind == TRegEntry::Kind::Meta && (e.raw == "#link" || e.raw == "#link\r");
  });
}

std::u16string TRegistryHive::LinkRoot() const {
  constexpr std::string_view kComment = ";; All keys relative to ";
  for (const auto& line : headerLines_) {
    if (!line.starts_with(kComment)) continue;
    std::string root = line.substr(kComment.size());
    while (!root.empty() && (root.back() == '\r' || root.back() == ' '))
      root.pop_back();
    std::string single;
    for (std::size_t i = 0; i < root.size(); ++i) {
      if (root[i] == '\\' && i + 1 < root.size() && root[i + 1] == '\\') ++i;
      single += root[i];
    }
    return u"\\Registry" + Utf8ToUtf16(single);
  }
  return u"\\Registry\\Machine";
}

TRegNode* TRegistryHive::Follow(TRegNode* node, bool create, int64_t unix100ns, bool& created,
                                int depth) {
  if (!IsLink(*node)) return node;
  const TRegEntry* value = node->FindValue(u"SymbolicLinkValue");
  if (!value || depth > 16) return nullptr;
  const std::u16string target = regtext::FromBytes(value->value.Data);
  const std::u16string root = LinkRoot() + u"\\";
  if (target.size() <= root.size() || CompareNoCase(target.substr(0, root.size()), root) != 0) {
    return nullptr;  // another file's key: not ours to follow
  }
  TRegPath path;
  std::size_t start = root.size();
  for (;;) {
    const std::size_t end = target.find(u'\\', start);
    std::u16string part = target.substr(start, end - start);
    if (!part.empty() && part.back() == 0) part.pop_back();
    if (!part.empty()) path.push_back(std::move(part));
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  return Walk(path, create, true, unix100ns, created, depth + 1);
}

TRegNode* TRegistryHive::Walk(const TRegPath& path, bool create, bool followLast, int64_t unix100ns,
                              bool& created, int depth) {
  TRegNode* node = root_.get();
  for (std::size_t i = 0; i < path.size(); ++i) {
    TRegNode* child = node->Child(path[i]);
    if (!child) {
      if (!create) return nullptr;
      child = AddChild(*node, path[i]);
      if (node != root_.get()) Touch(*node, unix100ns);
      Touch(*child, unix100ns);
      created = true;
    } else if (followLast || i + 1 < path.size()) {
      child = Follow(child, create, unix100ns, created, depth);
      if (!child) return nullptr;
    }
    node = child;
  }
  return node;
}

TRegNode* TRegistryHive::AddChild(TRegNode& parent, std::u16string name) {
  auto child = std::make_unique<TRegNode>();
  child->name = std::move(name);
  child->parent = &parent;
  TRegNode* raw = child.get();
  const std::size_t at = LowerBound(parent, raw->name);
  parent.children.insert(parent.children.begin() + static_cast<std::ptrdiff_t>(at),
                         std::move(child));
  return raw;
}

TRegNode* TRegistryHive::Create(const TRegPath& path, int64_t unix100ns, bool& created) {
  created = false;
  return Walk(path, true, true, unix100ns, created, 0);
}

bool TRegistryHive::DeleteTree(const TRegPath& path, int64_t unix100ns) {
  if (path.empty()) return false;
  TRegNode* node = Find(path, false);  // a link goes, not what it points to
  if (!node || node == root_.get()) return false;
  TRegNode* parent = node->parent;
  const std::size_t at = LowerBound(*parent, node->name);
  parent->children.erase(parent->children.begin() + static_cast<std::ptrdiff_t>(at));
  if (parent != root_.get()) Touch(*parent, unix100ns);
  return true;
}

void TRegistryHive::SetValue(TRegNode& node, regtext::TValue value, int64_t unix100ns) {
  const std::u16string name = value.Name;
  auto same = [&](const TRegEntry& e) {
    return e.kind == TRegEntry::Kind::Value && CompareNoCase(e.value.Name, name) == 0;
  };
  const auto last = std::find_if(node.entries.rbegin(), node.entries.rend(), same);
  if (last != node.entries.rend()) {
    // A value that exists changes where it stands and keeps its name as written, as Wine keeps
    // it; earlier lines of the same name, which the last one overrode, go.
    value.Name = last->value.Name;
    last->raw.clear();
    last->value = std::move(value);
    const auto kept = node.entries.begin() + (node.entries.rend() - last - 1);
    node.entries.erase(std::remove_if(node.entries.begin(), kept, same), kept);
  } else {
    // A new one goes in the registry's order among the values, which is how Wine lists them.
    const auto at = std::find_if(node.entries.begin(), node.entries.end(), [&](const TRegEntry& e) {
      return e.kind == TRegEntry::Kind::Value && CompareNoCase(e.value.Name, name) > 0;
    });
    TRegEntry entry;
    entry.value = std::move(value);
    node.entries.insert(at, std::move(entry));
  }
  Touch(node, unix100ns);
}

bool TRegistryHive::DeleteValue(TRegNode& node, std::u16string_view name, int64_t unix100ns) {
  const auto before = node.entries.size();
  std::erase_if(node.entries, [&](const TRegEntry& e) {
    return e.kind == TRegEntry::Kind::Value && CompareNoCase(e.value.Name, name) == 0;
  });
  if (node.entries.size() == before) return false;
  Touch(node, unix100ns);
  return true;
}

TRegPath TRegistryHive::PathOf(const TRegNode& node) {
  TRegPath path;
  for (const TRegNode* n = &node; n->parent != nullptr; n = n->parent)
    path.push_back(n->name);
  std::reverse(path.begin(), path.end());
  return path;
}

void TRegistryHive::Touch(TRegNode& node, int64_t unix100ns) {
  node.header = regtext::FormatKeyLine(PathOf(node), unix100ns / 10000000);
  const std::string timeLine = regtext::FormatTimeLine(regtext::FileTimeFromUnix100ns(unix100ns));
  for (auto& entry : node.entries) {
    if (entry.kind == TRegEntry::Kind::Meta && entry.raw.starts_with("#time=")) {
      entry.raw = timeLine;
      return;
    }
  }
  TRegEntry entry;
  entry.kind = TRegEntry::Kind::Meta;
  entry.raw = timeLine;
  node.entries.insert(node.entries.begin(), std::move(entry));
}

}  // namespace tarn
