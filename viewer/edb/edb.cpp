// The engine's operations: the open-database list, the current database and
// the per-thread last error code.
#include "viewer/edb/edb.h"

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

#include "common/gbk_text.h"
#include "viewer/edb/database.h"
#include "viewer/edb/edb_format.h"
#include "viewer/edb/error_texts.h"
#include "viewer/edb/full_path.h"
#include "viewer/edb/thread_error.h"

namespace raz::edb {
namespace {

constexpr std::size_t kMaxFullPath = 260;

struct OpenDatabaseEntry {
  std::string name;
  std::unique_ptr<Database> db;
};

// Entries are held by pointer so that the current one stays put as the list changes.
std::vector<std::unique_ptr<OpenDatabaseEntry>>& OpenList() {
  static std::vector<std::unique_ptr<OpenDatabaseEntry>> list;
  return list;
}

OpenDatabaseEntry* g_current = nullptr;
FullPathMaker g_full_path_maker = &MakeFullPath;

// Sets the code and passes a result through.
template <typename T>
T Leave(std::int32_t code, T result) {
  SetThreadError(code);
  return result;
}

// Runs an operation that allocates; when memory runs out (or a size passes
// what a container can hold) leaves -2 and returns `failed`.
template <typename T, typename Operation>
T OrOutOfMemory(T failed, Operation&& operation) {
  try {
    return operation();
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  return Leave(code::kOutOfMemory, std::move(failed));
}

// Reads field `index` (0-based) of `db`'s current record into `value`, leaving
// its code in `error`; when memory runs out, the empty value and -2.
void ReadInto(Database& db, std::size_t index, FieldValue& value, std::int32_t& error) {
  try {
    db.Read(index, value, &error);
    return;
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  value = FieldValue{};
  error = code::kOutOfMemory;
}

// The current database, or null with -67 left in `error`.
Database* Current(std::int32_t& error) {
  error = g_current == nullptr ? code::kNoCurrentDatabase : code::kOk;
  return g_current == nullptr ? nullptr : g_current->db.get();
}
Database* Current() {
  std::int32_t error = code::kOk;
  Database* db = Current(error);
  SetThreadError(error);
  return db;
}

// Applies the suffix rules: no dot after the last backslash adds ".EDB", a
// trailing dot adds "EDB".
std::string WithSuffix(std::string_view name) {
  std::size_t backslash = FindLastBackslash(name);
  std::string_view file_part = backslash == kNoPos ? name : name.substr(backslash + 1);
  std::string result(name);
  if (FindLastSingleByte(file_part, '.') == kNoPos) {
    result += ".EDB";
  } else if (name.back() == '.') {
    result += "EDB";
  }
  return result;
}

// The database's name: its file name without extension (never empty).
std::string NameOf(const std::string& full_path) {
  std::string file_name = full_path.substr(format::FileNameStart(full_path));
  std::size_t dot = FindLastSingleByte(file_name, '.');
  std::string stem = dot == kNoPos ? file_name : file_name.substr(0, dot);
  if (!stem.empty()) return stem;
  return file_name.empty() ? full_path : file_name;
}

void Remove(OpenDatabaseEntry* entry) {
  if (entry == g_current) g_current = nullptr;
  std::vector<std::unique_ptr<OpenDatabaseEntry>>& list = OpenList();
  list.erase(std::remove_if(list.begin(), list.end(),
                            [entry](const std::unique_ptr<OpenDatabaseEntry>& e) { return e.get() == entry; }),
             list.end());
}

bool OpenChecked(std::string_view file_name, const std::optional<std::string>& password) {
  if (file_name.empty()) return Leave(code::kFileNotFound, false);
  if (file_name.find('\0') != std::string_view::npos) return Leave(code::kBadPath, false);
  std::string full;
  if (!g_full_path_maker(WithSuffix(file_name), &full) || full.empty() || full.size() > kMaxFullPath) {
    return Leave(code::kBadPath, false);
  }
  std::vector<std::unique_ptr<OpenDatabaseEntry>>& list = OpenList();
  for (const auto& entry : list) {
    if (EqualsAsciiNoCase(entry->db->path(), full)) return Leave(code::kAlreadyOpen, false);
  }
  std::int32_t open_code = code::kOk;
  std::unique_ptr<Database> db = Database::Open(full, password, &open_code);
  if (!db) return Leave(open_code, false);
  list.push_back(std::make_unique<OpenDatabaseEntry>(OpenDatabaseEntry{NameOf(full), std::move(db)}));
  g_current = list.back().get();
  return Leave(code::kOk, true);
}

}  // namespace

void SetFullPathMaker(FullPathMaker maker) { g_full_path_maker = maker ? maker : &MakeFullPath; }

bool OpenDatabase(std::string_view file_name, const std::optional<std::string>& password) {
  return OrOutOfMemory(false, [&] { return OpenChecked(file_name, password); });
}

std::string CurrentDatabaseName() {
  if (Current() == nullptr) return {};
  return g_current->name;
}

void CloseDatabase(const std::optional<std::string>& name) {
  SetThreadError(code::kOk);
  if (!name) {
    if (g_current != nullptr) Remove(g_current);
    return;
  }
  for (const auto& entry : OpenList()) {
    if (EqualsAsciiNoCase(entry->name, *name)) {
      Remove(entry.get());
      return;
    }
  }
  SetThreadError(code::kNotOpen);
}

std::int32_t LastErrorCode() { return ThreadError(); }

std::string LastErrorText() { return std::string(ErrorText(ThreadError())); }

std::int32_t RecordCount() {
  Database* db = Current();
  if (db == nullptr) return 0;
  std::int32_t count_code = code::kOk;
  std::int64_t count = db->RefreshRecordCount(&count_code);
  SetThreadError(count_code);
  return static_cast<std::int32_t>(std::min<std::int64_t>(count, INT32_MAX));
}

std::int32_t FieldCount() {
  Database* db = Current();
  return db ? static_cast<std::int32_t>(db->fields().size()) : 0;
}

std::string FieldName(std::int32_t index) {
  Database* db = Current();
  if (db == nullptr || index < 1 || std::size_t(index) > db->fields().size()) return {};
  return db->fields()[std::size_t(index) - 1].name;
}

void GoToFirstRecord() {
  if (Database* db = Current()) db->set_position(0);
}

bool SkipRecords(std::int32_t n) {
  Database* db = Current();
  if (db == nullptr) return false;
  std::int64_t count = db->record_count();
  std::int64_t position = db->position();
  if (n > 0) {
    if (count == 0 || position >= count) return Leave(code::kPastLastRecord, false);
    db->set_position(std::min<std::int64_t>(position + n, count));
  } else if (n < 0) {
    if (count == 0 || position <= 0) return Leave(code::kBeforeFirstRecord, false);
    db->set_position(std::max<std::int64_t>(position + n, 0));
  }
  return true;
}

// The thread's code is set once per read: reads come once per cell.
void ReadField(std::string_view name, FieldValue& value) {
  std::int32_t error = code::kOk;
  Database* db = Current(error);
  const std::ptrdiff_t index = db ? db->FindField(name) : -1;
  if (index >= 0) {
    ReadInto(*db, static_cast<std::size_t>(index), value, error);
  } else {
    value = FieldValue{};
    if (db != nullptr) error = code::kNoSuchField;
  }
  SetThreadError(error);
}

void ReadField(std::int32_t index, FieldValue& value) {
  std::int32_t error = code::kOk;
  Database* db = Current(error);
  if (db != nullptr && index >= 1 && std::size_t(index) <= db->fields().size()) {
    ReadInto(*db, static_cast<std::size_t>(index) - 1, value, error);
  } else {
    value = FieldValue{};
    if (db != nullptr) error = code::kNoSuchField;
  }
  SetThreadError(error);
}

FieldValue ReadField(std::string_view name) {
  FieldValue value;
  ReadField(name, value);
  return value;
}

FieldValue ReadField(std::int32_t index) {
  FieldValue value;
  ReadField(index, value);
  return value;
}

}  // namespace raz::edb
