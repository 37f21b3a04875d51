// libFuzzer target: opens its input as a database with its auxiliary file and
// reads every field of every record, by name and by index.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/edb_fuzz_input.h"
#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"

using namespace raz::edb;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static testing::ScratchDir dir;
  static const std::string path = dir.File("fuzz.edb");
  static const std::string aux_path = dir.File("fuzz.edt");

  fuzz::FuzzFiles files = fuzz::SplitInput(std::string_view(reinterpret_cast<const char*>(data), size));
  testing::WriteFileBytes(path, files.database);
  testing::WriteFileBytes(aux_path, files.auxiliary);

  if (!OpenDatabase(path)) return 0;
  std::int32_t records = RecordCount();
  std::int32_t fields = FieldCount();
  if (records < 0 || fields < 0) __builtin_trap();
  GoToFirstRecord();
  for (std::int32_t i = 0; i <= records; ++i) {  // one more: the read past the end
    for (std::int32_t j = 0; j <= fields + 1; ++j) {
      FieldValue by_name = ReadField(FieldName(j));
      FieldValue by_index = ReadField(j);
      if (by_name.bytes.size() > (16u << 20) || by_index.bytes.size() > (16u << 20)) __builtin_trap();
    }
    SkipRecords(1);
  }
  SkipRecords(-records);
  CurrentDatabaseName();
  LastErrorText();
  CloseDatabase();
  return 0;
}
