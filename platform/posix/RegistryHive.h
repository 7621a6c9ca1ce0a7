// One registry file of a prefix held in memory as a tree of keys. What the file says is kept
// line for line: a value or key this program does not change is written back exactly as it was
// read, and so are lines it does not understand.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/RegistryText.h"

namespace tarn {

using TRegPath = std::vector<std::u16string>;

// One line (or continued lines) of a key's block, in file order.
struct TRegEntry {
  enum class Kind { Meta, Value, Opaque };  // "#..."/";..." lines, values, lines not understood
  Kind kind = Kind::Value;
  std::string raw;  // the text as read; empty for a value set by this program (formatted anew)
  regtext::TValue value;
};

struct TRegNode {
  std::u16string name;
  TRegNode* parent = nullptr;
  std::vector<std::unique_ptr<TRegNode>> children;  // in the registry's case-insensitive order
  std::vector<TRegEntry> entries;
  bool ownBlock = false;  // the file had a block for this key; it is written back
  std::string header;     // the key line; empty when none was read or made yet

  TRegNode* Child(std::u16string_view childName) const;
  // The last value of that name (the one that counts), or nullptr.
  const TRegEntry* FindValue(std::u16string_view valueName) const;
  std::vector<std::u16string> ValueNames() const;
  bool HasValues() const;
};

class TRegistryHive {
 public:
  // An empty hive with Wine's header: rootComment as in ";; All keys relative to \\Machine".
  explicit TRegistryHive(std::string_view rootComment = "\\\\Machine");

  // Replaces the content with the file text; false (content unchanged) when the text is not a
  // Wine registry file.
  bool Parse(std::string_view text);
  std::string Serialise() const;

  TRegNode& Root() { return *root_; }
  // Keys that are symbolic links (Wine's "#link", as System\CurrentControlSet is) are followed
  // to their target; followLast false stops at the last key itself. Nothing for a missing key
  // or a link whose target is outside this file.
  TRegNode* Find(const TRegPath& path, bool followLast = true);
  // Finds or makes the key and its missing parents; created tells whether anything was made.
  // Nothing when the path runs into a link that leads outside this file.
  TRegNode* Create(const TRegPath& path, int64_t unix100ns, bool& created);
  static bool IsLink(const TRegNode& node);
  bool DeleteTree(const TRegPath& path, int64_t unix100ns);
  void SetValue(TRegNode& node, regtext::TValue value, int64_t unix100ns);
  bool DeleteValue(TRegNode& node, std::u16string_view name, int64_t unix100ns);
  static TRegPath PathOf(const TRegNode& node);

 private:
  TRegNode* AddChild(TRegNode& parent, std::u16string name);
  // Marks the key as changed at that time: its key line and #time line are made anew.
  void Touch(TRegNode& node, int64_t unix100ns);
  void SerialiseNode(const TRegNode& node, std::string& out) const;
  // The key a link node stands for (created when create is set), or nullptr.
  TRegNode* Follow(TRegNode* node, bool create, int64_t unix100ns, bool& created, int depth);
  TRegNode* Walk(const TRegPath& path, bool create, bool followLast, int64_t unix100ns,
                 bool& created, int depth);
  // "\Registry\Machine" or "\Registry\User\<sid>": how links name this file's root.
  std::u16string LinkRoot() const;

  std::vector<std::string> headerLines_;
  std::unique_ptr<TRegNode> root_ = std::make_unique<TRegNode>();  // stable for parent links
};

}  // namespace tarn
