#include "registry/memory_registry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/gbk_text.h"

namespace raz {

struct MemoryRegistry::Key {
  struct Value {
    std::string name;
    RegType type;
    std::string bytes;
  };
  std::string name;
  std::map<std::string, std::unique_ptr<Key>> subkeys;  // by AsciiLower(name)
  std::map<std::string, Value> values;                  // by AsciiLower(name)
};

namespace {

// Key path components, split at backslashes that stand as characters of their
// own; empty components (doubled or trailing backslashes) are skipped.
std::vector<std::string> KeyComponents(std::string_view key) {
  std::vector<std::string> parts;
  while (!key.empty()) {
    const std::size_t cut = FindFirstSingleByte(key, '\\');
    const std::string_view part = key.substr(0, cut);
    if (!part.empty()) parts.emplace_back(part);
    if (cut == kNoPos) break;
    key.remove_prefix(cut + 1);
  }
  return parts;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[3];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02x", c);
    out += buf;
  }
  return out;
}

}  // namespace

std::string ExpandFromEnvironment(const std::string& text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t open = text.find('%', i);
    const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) break;
    out.append(text, i, open - i);
    const std::string name = text.substr(open + 1, close - open - 1);
    const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
    if (value) {
      out += value;
    } else {
      out.append(text, open, close - open + 1);
    }
    i = close + 1;
  }
  out.append(text, i, std::string::npos);
  return out;
}

MemoryRegistry::MemoryRegistry() : MemoryRegistry(ExpandFromEnvironment) {}
MemoryRegistry::MemoryRegistry(Expander expander) : expander_(std::move(expander)) {}
MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Key* MemoryRegistry::Find(RegistryRoot root, std::string_view key) const {
  auto it = roots_.find(root);
  if (it == roots_.end()) return nullptr;
  Key* k = it->second.get();
  for (const std::string& part : KeyComponents(key)) {
    auto sub = k->subkeys.find(AsciiLower(part));
    if (sub == k->subkeys.end()) return nullptr;
    k = sub->second.get();
  }
  return k;
}

MemoryRegistry::Key* MemoryRegistry::Create(RegistryRoot root, std::string_view key) {
  auto& slot = roots_[root];
  if (!slot) slot = std::make_unique<Key>();
  Key* k = slot.get();
  for (const std::string& part : KeyComponents(key)) {
    auto& sub = k->subkeys[AsciiLower(part)];
    if (!sub) {
      sub = std::make_unique<Key>();
      sub->name = part;
    }
    k = sub.get();
  }
  return k;
}

std::string MemoryRegistry::ReadRegistryText(RegistryRoot root, std::string_view path, std::string_view fallback) {
  const RegistryItemPath item = SplitRegistryItemPath(path);
  const Key* k = Find(root, item.key);
  if (!k) return std::string(fallback);
  auto v = k->values.find(AsciiLower(item.value));
  if (v == k->values.end() || v->second.bytes.empty()) return std::string(fallback);
  const std::string& bytes = v->second.bytes;
  const std::string text = bytes.substr(0, bytes.find('\0'));
  switch (v->second.type) {
    case RegType::Sz:
      return text;
    case RegType::ExpandSz:
      return expander_(text);
    default:
      return std::string(fallback);
  }
}

bool MemoryRegistry::WriteRegistryText(RegistryRoot root, std::string_view path, std::string_view text) {
  if (read_only_) return false;
  const RegistryItemPath item = SplitRegistryItemPath(path);
  std::string bytes(text.substr(0, text.find('\0')));
  bytes.push_back('\0');
  SetValue(root, item.key, item.value, RegType::Sz, std::move(bytes));
  return true;
}

bool MemoryRegistry::DeleteRegistryItem(RegistryRoot root, std::string_view path) {
  if (read_only_) return false;
  const RegistryItemPath item = SplitRegistryItemPath(path);
  if (Key* k = Find(root, item.key)) {
    if (k->values.erase(AsciiLower(item.value)) > 0) return true;
  }
  // Fall back to the key named by the whole path; only a key without subkeys
  // goes, and never a root itself.
  std::vector<std::string> parts = KeyComponents(path.substr(0, path.find('\0')));
  if (parts.empty()) return false;
  const std::string leaf = AsciiLower(parts.back());
  parts.pop_back();
  std::string parent_path;
  for (const std::string& p : parts) parent_path += p + "\\";
  Key* parent = Find(root, parent_path);
  if (!parent) return false;
  auto it = parent->subkeys.find(leaf);
  if (it == parent->subkeys.end() || !it->second->subkeys.empty()) return false;
  parent->subkeys.erase(it);
  return true;
}

bool MemoryRegistry::RegistryItemExists(RegistryRoot root, std::string_view path) {
  const RegistryItemPath item = SplitRegistryItemPath(path);
  const Key* k = Find(root, item.key);
  return k && k->values.count(AsciiLower(item.value)) > 0;
}

std::vector<std::string> MemoryRegistry::SubkeyNames(RegistryRoot root, std::string_view key) {
  std::vector<std::string> names;
  if (const Key* k = Find(root, key)) {
    for (const auto& [lower, sub] : k->subkeys) names.push_back(sub->name);
  }
  return names;
}

void MemoryRegistry::SetValue(RegistryRoot root, std::string_view key, std::string_view name, RegType type,
                              std::string bytes) {
  Key* k = Create(root, key);
  auto& v = k->values[AsciiLower(name)];
  if (v.name.empty()) v.name = std::string(name);
  v.type = type;
  v.bytes = std::move(bytes);
}

bool MemoryRegistry::KeyExists(RegistryRoot root, std::string_view key) const { return Find(root, key) != nullptr; }

std::optional<std::string> MemoryRegistry::StoredBytes(RegistryRoot root, std::string_view key,
                                                       std::string_view name) const {
  const Key* k = Find(root, key);
  if (!k) return std::nullopt;
  const auto v = k->values.find(AsciiLower(name));
  if (v == k->values.end()) return std::nullopt;
  return v->second.bytes;
}

std::vector<std::string> MemoryRegistry::Dump(RegistryRoot root, std::string_view key) const {
  std::vector<std::string> lines;
  const Key* start = Find(root, key);
  if (!start) return lines;
  std::string prefix(key);
  while (!prefix.empty() && prefix.back() == '\\') prefix.pop_back();
  auto walk = [&](auto&& self, const Key* k, const std::string& at) -> void {
    if (k->values.empty() && !at.empty()) lines.push_back(at + "|");
    for (const auto& [lower, v] : k->values) {
      std::string data = v.bytes;
      if (v.type == RegType::Sz || v.type == RegType::ExpandSz) {
        data = data.substr(0, data.find('\0'));
      } else {
        data = Hex(data);
      }
      lines.push_back(at + "|" + v.name + "|" + std::to_string(static_cast<unsigned>(v.type)) + "|" + data);
    }
    for (const auto& [lower, sub] : k->subkeys) self(self, sub.get(), at.empty() ? sub->name : at + "\\" + sub->name);
  };
  walk(walk, start, prefix);
  std::sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
    return AsciiLower(a) < AsciiLower(b);
  });
  return lines;
}

}  // namespace raz
