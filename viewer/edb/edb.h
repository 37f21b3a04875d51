// The .edb database engine of Tallyscope.
//
// The engine keeps a list of open databases, one of which may be current, and
// one last error code per thread. Every operation except LastErrorCode and
// LastErrorText sets that code anew: 0 on success, a negative code on failure
// (LastErrorText gives its text). Texts are GBK byte strings.
//
// The list of open databases belongs to the process and is meant to be used
// from one thread (the viewer's); the last error code is per thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace raz::edb {

// The kind of a field value follows its field's stored type code.
enum class FieldKind : std::int32_t {
  kNone = 0,      // no field was read (no such field, or no current database)
  kByte = 1,      // unsigned 8-bit integer, in `integer`
  kInt16 = 2,     // in `integer`
  kInt32 = 3,     // in `integer`
  kInt64 = 4,     // in `integer`
  kFloat = 5,     // single precision, widened exactly into `real`
  kDouble = 6,    // in `real`
  kBool = 7,      // in `boolean`
  kDateTime = 8,  // days since 30 December 1899 (OLE Automation date), in `real`
  kOpaque = 9,    // a 4-byte value of a kind of its own; its raw bits in `integer`
  kText = 10,     // GBK bytes in `bytes`
  kByteSet = 11,  // raw bytes in `bytes`
  kMemo = 12,     // GBK bytes in `bytes`
};

// The typed result of ReadField. A failed read yields the kind's empty value:
// everything zero, false or empty.
struct FieldValue {
  FieldKind kind = FieldKind::kNone;
  std::int64_t integer = 0;
  double real = 0.0;
  bool boolean = false;
  std::string bytes;
};

// Error codes the engine leaves (LastErrorText has a text for every code from
// 0 down to -80; these are the ones its operations use).
namespace code {
constexpr std::int32_t kOk = 0;
constexpr std::int32_t kFileGeneral = -1;
constexpr std::int32_t kOutOfMemory = -2;
constexpr std::int32_t kFileNotFound = -3;
constexpr std::int32_t kBadPath = -4;
constexpr std::int32_t kTooManyOpenFiles = -5;
constexpr std::int32_t kAccessDenied = -6;
constexpr std::int32_t kInvalidFile = -7;
constexpr std::int32_t kBadSeek = -10;
constexpr std::int32_t kHardwareIo = -11;
constexpr std::int32_t kSharingViolation = -12;
constexpr std::int32_t kLockViolation = -13;
constexpr std::int32_t kDiskFull = -14;
constexpr std::int32_t kEndOfFile = -15;
constexpr std::int32_t kOpenFailed = -21;
constexpr std::int32_t kNotDatabase = -22;
constexpr std::int32_t kVersionTooHigh = -23;
constexpr std::int32_t kBeforeFirstRecord = -25;
constexpr std::int32_t kPastLastRecord = -26;
constexpr std::int32_t kNoSuchField = -31;
constexpr std::int32_t kAlreadyOpen = -38;
constexpr std::int32_t kNotOpen = -39;
constexpr std::int32_t kNoCurrentDatabase = -67;
constexpr std::int32_t kNoCurrentRecord = -68;
constexpr std::int32_t kBadPassword = -78;
}  // namespace code

// Opens a database file and makes it current. An empty name fails with -3; a
// name with no dot after its last backslash gets ".EDB", one ending in a dot
// gets "EDB". The same full path open twice (in any letter case) fails with
// -38; a protected database opened without its password fails with -78. A
// failed open changes neither the list nor the current database.
bool OpenDatabase(std::string_view file_name,
                  const std::optional<std::string>& password = std::nullopt);

// The current database's name (its file name without extension); empty and
// -67 when none is current.
std::string CurrentDatabaseName();

// Without a name closes the current database, with one the open database of
// that name (letter case ignored; -39 when none has it). Closing the current
// database leaves none current. With no current database and no name nothing
// happens (code 0).
void CloseDatabase(const std::optional<std::string>& name = std::nullopt);

// The code the last operation on this thread left; reading it changes nothing.
std::int32_t LastErrorCode();
// The text for LastErrorCode, or "未知错误" for a code the table lacks.
std::string LastErrorText();

// Records stored in the current database's file, read afresh at each call:
// never more than the file holds, 0 for a negative stored count.
std::int32_t RecordCount();
std::int32_t FieldCount();
// Name of the field at a 1-based place; empty outside 1..FieldCount.
std::string FieldName(std::int32_t index);

// Moves to the first record (position 0), also in an empty database.
void GoToFirstRecord();
// Moves n records on (n < 0: back). Forward fails with -26 when there are no
// records or the position is past the last record; the position stops one
// past the last record. Backward fails with -25 at the first record and stops
// there. True when the code is 0.
bool SkipRecords(std::int32_t n = 1);

// Reads a field of the current record: by name (letter case ignored, the first
// match in stored order wins) or by 1-based index.
FieldValue ReadField(std::string_view name);
FieldValue ReadField(std::int32_t index);
// The same into `value`, whose buffer is reused: a load that reads every
// field of every record allocates only for values longer than any before.
void ReadField(std::string_view name, FieldValue& value);
void ReadField(std::int32_t index, FieldValue& value);

}  // namespace raz::edb
