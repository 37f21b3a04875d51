// Writes .edb databases (and their auxiliary files) for tests, the benchmark
// and the fuzzer's seeds. Not part of any program.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/edb/edb.h"

namespace raz::edb::testing {

struct FieldSpec {
  std::string name;  // GBK; at most 40 bytes are stored
  FieldKind kind = FieldKind::kText;
  std::uint32_t width = 0;  // stored width of a text field in bytes
};

// Streams records into a new database file. Fields are laid out one after
// another in the record; memo and byte-set values go into the auxiliary file
// as chains of consecutive blocks.
class EdbWriter {
 public:
  // Creates the files; an empty password makes an unprotected database.
  EdbWriter(const std::string& path, std::vector<FieldSpec> fields,
            const std::string& password = "", std::string_view salt = "salt-of-16-bytes");
  ~EdbWriter();
  EdbWriter(const EdbWriter&) = delete;
  EdbWriter& operator=(const EdbWriter&) = delete;

  // Appends one record; values[i] is read by the kind of field i (integer,
  // real, boolean or bytes); missing values are zero or empty. Text longer
  // than its width is cut.
  void AddRecord(const std::vector<FieldValue>& values);

  // Writes the record count and closes the files; true when all went well.
  bool Finish();

 private:
  std::uint32_t WriteChain(std::string_view data);

  std::vector<FieldSpec> fields_;
  std::vector<std::uint32_t> offsets_;
  std::uint32_t record_size_ = 0;
  std::FILE* file_ = nullptr;
  std::FILE* aux_ = nullptr;
  std::uint32_t records_ = 0;
  std::uint32_t next_block_ = 1;
  bool ok_ = false;
  std::vector<unsigned char> record_;
};

// Value makers for AddRecord.
FieldValue IntValue(std::int64_t v);
FieldValue RealValue(double v);
FieldValue BoolValue(bool v);
FieldValue BytesValue(std::string_view v);

// A fresh directory under the system's temporary directory, removed with
// everything in it at the end of its life. Its path has no dot.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  // path() joined with `name`.
  std::string File(std::string_view name) const;

 private:
  std::string path_;
};

// The smallest useful database: one field 数量 (32-bit integer), one record;
// protected when `password` is not empty.
bool WriteOneNumberDatabase(const std::string& path, std::int64_t number, const std::string& password = "");

// The viewer's benchmark table: `records` records of 8 fields, one of each
// common kind (32-bit integer, text, double, bool, date-time, 64-bit integer,
// float, byte).
bool WriteEightKindsDatabase(const std::string& path, int records);

// Whole-file helpers for tests that damage or grow files.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, std::string_view bytes);

}  // namespace raz::edb::testing
