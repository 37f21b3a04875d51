// Writes the fuzzer's seed inputs: databases made by the test writer, each
// joined with its auxiliary file. Usage: edb_seeds <output directory>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/fuzz/edb_fuzz_input.h"
#include "tests/shared/edb_hostile_shapes.h"
#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb_format.h"

using namespace raz::edb;
using namespace raz::edb::testing;

namespace {

// Writes a seed from the database that `write` makes at the path it is given.
template <typename Write>
bool SeedFrom(const std::string& out, const std::string& name, Write&& write) {
  ScratchDir dir;
  const std::string path = dir.File("seed.edb");
  if (!write(path)) return false;
  std::string input = fuzz::JoinInput(ReadFileBytes(path), ReadFileBytes(format::AuxiliaryPath(path)));
  return WriteFileBytes(out + "/" + name, input);
}

bool Seed(const std::string& out, const std::string& name, const std::vector<FieldSpec>& fields,
          const std::vector<std::vector<FieldValue>>& rows, const std::string& password = "") {
  return SeedFrom(out, name, [&](const std::string& path) {
    EdbWriter writer(path, fields, password);
    for (const auto& row : rows) writer.AddRecord(row);
    return writer.Finish();
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: edb_seeds <output directory> [<directory for huge tables>]\n");
    return 2;
  }
  const std::string out = argv[1];
  const std::vector<FieldSpec> every_kind = {
      {"byte", FieldKind::kByte},     {"short", FieldKind::kInt16},  {"int", FieldKind::kInt32},
      {"long", FieldKind::kInt64},    {"float", FieldKind::kFloat},  {"double", FieldKind::kDouble},
      {"bool", FieldKind::kBool},     {"when", FieldKind::kDateTime}, {"raw", FieldKind::kOpaque},
      {"名称", FieldKind::kText, 10}, {"bin", FieldKind::kByteSet},  {"memo", FieldKind::kMemo}};
  std::vector<std::vector<FieldValue>> rows;
  for (int i = 0; i < 3; ++i) {
    rows.push_back({IntValue(200 + i), IntValue(-300 * i), IntValue(70000 * i), IntValue(-1 - i),
                    RealValue(1.5 * i), RealValue(-2.25 * i), BoolValue(i % 2 == 1),
                    RealValue(42065.5 + i), IntValue(i), BytesValue("文本" + std::to_string(i)),
                    BytesValue(std::string(i * 300, char(i))), BytesValue(std::string(i * 400, 'm'))});
  }
  bool ok = true;
  ok &= Seed(out, "empty", {}, {});
  ok &= Seed(out, "fields-no-records", {{"a", FieldKind::kInt32}, {"b", FieldKind::kText, 4}}, {});
  ok &= Seed(out, "protected", {{"secret", FieldKind::kText, 8}}, {{BytesValue("x")}}, "password");
  ok &= Seed(out, "memo-and-bytes", {{"m", FieldKind::kMemo}, {"b", FieldKind::kByteSet}},
             {{BytesValue(std::string(700, 'q')), BytesValue("\x01\x00\x02")}, {BytesValue(""), BytesValue("z")}});
  ok &= Seed(out, "every-kind", every_kind, rows);
  ok &= Seed(out, "same-names", {{"Id", FieldKind::kInt32}, {"ID", FieldKind::kInt16}},
             {{IntValue(1), IntValue(2)}});
  // Small tables of overlapping fields and shared chains, the shapes that
  // describe huge tables in small files.
  ok &= SeedFrom(out, "overlapping-bytes", [](const std::string& p) { return WriteOverlappingByteFields(p, 24, 1500); });
  ok &= SeedFrom(out, "overlapping-texts", [](const std::string& p) { return WriteOverlappingTextFields(p, 16, 200); });
  ok &= SeedFrom(out, "shared-memo", [](const std::string& p) { return WriteSharedMemoChain(p, 16, 3000); });
  ok &= SeedFrom(out, "memos-one-byte-apart", [](const std::string& p) { return WriteMemosOneByteApart(p, 24, 40, 8); });
  ok &= SeedFrom(out, "random-chains", [](const std::string& p) { return WriteRandomChains(p, 8, 20, 40, 1200); });
  ok &= SeedFrom(out, "entering-one-chain", [](const std::string& p) { return WriteMemosEnteringOneChain(p, 8, 3, 20000); });
  if (argc == 3) {
    // Full-size files that describe huge tables (up to 17 MB): too large to
    // mutate, they are replayed once each.
    const std::string huge = argv[2];
    ok &= SeedFrom(huge, "overlapping-bytes", [](const std::string& p) { return WriteOverlappingByteFields(p); });
    ok &= SeedFrom(huge, "overlapping-texts", [](const std::string& p) { return WriteOverlappingTextFields(p); });
    ok &= SeedFrom(huge, "shared-memo", [](const std::string& p) { return WriteSharedMemoChain(p); });
    ok &= SeedFrom(huge, "memos-one-byte-apart", [](const std::string& p) { return WriteMemosOneByteApart(p); });
    ok &= SeedFrom(huge, "random-chains", [](const std::string& p) { return WriteRandomChains(p); });
    ok &= SeedFrom(huge, "entering-one-chain", [](const std::string& p) { return WriteMemosEnteringOneChain(p); });
  }
  return ok ? 0 : 1;
}
