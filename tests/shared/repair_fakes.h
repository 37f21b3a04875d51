// Doubles for the repair's option and file interfaces, and a registry wrapper
// that records every item operation and can refuse one chosen write. Shared by
// the host tests and the in-process Windows tests.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "registry/memory_registry.h"
#include "registry/registry_items.h"
#include "repair/repair_context.h"

namespace raz {

// Every option box in one state unless set otherwise.
class FakeOptions : public OptionState {
 public:
  explicit FakeOptions(bool checked = true) : checked_default_(checked) {}
  FakeOptions& Set(RepairOption option, bool checked, bool enabled = true) {
    state_[option] = {checked, enabled};
    return *this;
  }
  bool IsChecked(RepairOption option) const override {
    auto it = state_.find(option);
    return it == state_.end() ? checked_default_ : it->second.first;
  }
  bool IsEnabled(RepairOption option) const override {
    auto it = state_.find(option);
    return it == state_.end() || it->second.second;
  }

 private:
  bool checked_default_;
  std::map<RepairOption, std::pair<bool, bool>> state_;  // checked, enabled
};

// A file system of names only. Logs "mkdir <path>" and "install <n> <path>"
// (n: the CarriedFile's number); what it creates or installs then exists.
// The path check answers from `program_files` (Missing for a name not listed):
// the rule behind those answers belongs to the real file system's tests.
class FakeRepairFiles : public RepairFiles {
 public:
  std::set<std::string> existing;
  std::map<std::string, ProgramFileCheck> program_files;
  std::vector<std::string> log;

  // `typed` names the program file at `full`, which exists from then on.
  void AddProgram(const std::string& typed, const std::string& full) {
    program_files[typed] = {ProgramFileCheck::Outcome::Found, full};
    existing.insert(full);
  }

  bool Exists(const std::string& path) override { return existing.count(path) > 0; }
  ProgramFileCheck ProgramFile(const std::string& path) override {
    const auto found = program_files.find(path);
    return found == program_files.end() ? ProgramFileCheck{} : found->second;
  }
  bool CreateFolder(const std::string& path) override {
    log.push_back("mkdir " + path);
    return existing.insert(path).second;
  }
  void InstallCarriedFile(CarriedFile file, const std::string& target) override {
    log.push_back(Install(file, target));
    existing.insert(target);
  }
  static std::string Install(CarriedFile file, const std::string& target) {
    return "install " + std::to_string(static_cast<int>(file)) + " " + target;
  }
};

// Sets the default value of a key to a REG_SZ text (with its NUL).
inline void PlantText(MemoryRegistry& registry, const std::string& key, const std::string& text,
                      RegistryRoot root = RegistryRoot::ClassesRoot) {
  registry.SetValue(root, key, "", RegType::Sz, text + '\0');
}

// Passes every operation on to `inner` and logs writes and deletes as
// "W <root> <path>=<text>" and "D <root> <path>" (root: C for
// HKEY_CLASSES_ROOT, U for HKEY_CURRENT_USER). The n-th write under
// HKEY_CLASSES_ROOT (counted from 1) can be made to fail without storing.
class RecordingRegistry : public RegistryItems {
 public:
  explicit RecordingRegistry(RegistryItems& inner) : inner_(inner) {}

  void FailClassesRootWrite(int n) { fail_at_ = n; }
  int classes_root_writes() const { return classes_root_writes_; }
  std::vector<std::string> log;

  std::string ReadRegistryText(RegistryRoot root, std::string_view path, std::string_view fallback = {}) override {
    return inner_.ReadRegistryText(root, path, fallback);
  }
  bool WriteRegistryText(RegistryRoot root, std::string_view path, std::string_view text) override {
    log.push_back("W " + Root(root) + " " + std::string(path) + "=" + std::string(text));
    if (root == RegistryRoot::ClassesRoot && ++classes_root_writes_ == fail_at_) return false;
    return inner_.WriteRegistryText(root, path, text);
  }
  bool DeleteRegistryItem(RegistryRoot root, std::string_view path) override {
    log.push_back("D " + Root(root) + " " + std::string(path));
    return inner_.DeleteRegistryItem(root, path);
  }
  bool RegistryItemExists(RegistryRoot root, std::string_view path) override {
    return inner_.RegistryItemExists(root, path);
  }
  std::vector<std::string> SubkeyNames(RegistryRoot root, std::string_view key) override {
    ++listings;
    return inner_.SubkeyNames(root, key);
  }
  int listings = 0;  // calls of SubkeyNames

 private:
  static std::string Root(RegistryRoot root) {
    return root == RegistryRoot::ClassesRoot ? "C" : root == RegistryRoot::CurrentUser ? "U" : "?";
  }
  RegistryItems& inner_;
  int fail_at_ = 0;
  int classes_root_writes_ = 0;
};

// A repair's world in memory: every option on unless changed, no files.
struct RepairRig {
  MemoryRegistry memory;
  RecordingRegistry registry{memory};
  FakeOptions options;
  FakeRepairFiles files;
  RepairContext context() { return {registry, options, files}; }
  void Plant(const std::string& key, const std::string& text) { PlantText(memory, key, text); }
};

}  // namespace raz
