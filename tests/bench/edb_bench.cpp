// Times the viewer's way of loading a database (GoToFirstRecord, ReadField by
// index into one value for every field, SkipRecords(1)) over 1,000,000
// records of 8 fields, and the same by name with a new value each time, and
// compares them with reading the file's bytes. Prints its figures.
// Target: the viewer's scan within 0.15 s, also under Wine.
//   edb_bench          the figures above
//   edb_bench PATH     the viewer's scan of the database at PATH, timed
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/shared/edb_writer.h"
#include "viewer/edb/edb.h"

namespace {

using raz::edb::FieldKind;
using raz::edb::FieldValue;
namespace t = raz::edb::testing;

constexpr int kRecords = 1000000;
constexpr int kRounds = 3;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

bool WriteDatabase(const std::string& path) {
  t::EdbWriter writer(path, {{"id", FieldKind::kInt32},
                             {"serial", FieldKind::kInt64},
                             {"qty", FieldKind::kInt16},
                             {"grade", FieldKind::kByte},
                             {"price", FieldKind::kDouble},
                             {"when", FieldKind::kDateTime},
                             {"paid", FieldKind::kBool},
                             {"name", FieldKind::kText, 20}});
  std::vector<FieldValue> row(8);
  for (int i = 0; i < kRecords; ++i) {
    row[0] = t::IntValue(i);
    row[1] = t::IntValue(std::int64_t(i) * 1000003);
    row[2] = t::IntValue(i % 30000);
    row[3] = t::IntValue(i % 256);
    row[4] = t::RealValue(i * 0.25);
    row[5] = t::RealValue(42000.0 + i / 1440.0);
    row[6] = t::BoolValue(i % 2 == 0);
    row[7] = t::BytesValue("客户" + std::to_string(i));
    writer.AddRecord(row);
  }
  return writer.Finish();
}

// The viewer's loop (or, `by_name`, the engine's plain interface); returns a
// checksum so nothing is optimised away.
std::int64_t Scan(const std::string& path, bool by_name, std::int32_t expected = kRecords) {
  if (!raz::edb::OpenDatabase(path)) {
    std::fprintf(stderr, "open failed: %d\n", raz::edb::LastErrorCode());
    std::exit(1);
  }
  std::int32_t records = raz::edb::RecordCount();
  std::int32_t fields = raz::edb::FieldCount();
  std::vector<std::string> names;
  for (std::int32_t j = 1; j <= fields; ++j) names.push_back(raz::edb::FieldName(j));
  std::int64_t sum = 0;
  raz::edb::GoToFirstRecord();
  FieldValue v;
  for (std::int32_t i = 0; i < records; ++i) {
    for (std::int32_t j = 1; j <= fields; ++j) {
      if (by_name) {
        v = raz::edb::ReadField(names[j - 1]);
      } else {
        raz::edb::ReadField(j, v);
      }
      sum += v.integer + static_cast<std::int64_t>(v.real) + v.boolean + std::int64_t(v.bytes.size());
    }
    raz::edb::SkipRecords(1);
  }
  raz::edb::CloseDatabase();
  if (expected >= 0 && records != expected) {
    std::fprintf(stderr, "expected %d records, found %d\n", expected, records);
    std::exit(1);
  }
  return sum;
}

std::int64_t ReadBytes(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) std::exit(1);
  std::vector<char> buffer(64 * 1024);
  std::int64_t total = 0;
  std::size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) total += std::int64_t(got) + buffer[0];
  std::fclose(file);
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) {
    const auto start = std::chrono::steady_clock::now();
    const std::int64_t sum = Scan(argv[1], false, -1);
    std::printf("scan of %s: %.3f s (checksum %lld)\n", argv[1], Seconds(start), static_cast<long long>(sum));
    return 0;
  }
  t::ScratchDir dir;
  const std::string path = dir.File("bench.edb");
  auto start = std::chrono::steady_clock::now();
  if (!WriteDatabase(path)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }
  std::printf("wrote %d records x 8 fields (%zu bytes) in %.3f s\n", kRecords,
              t::ReadFileBytes(path).size(), Seconds(start));

  double best_scan = 1e9, best_by_name = 1e9, best_read = 1e9;
  std::int64_t check = 0;
  for (int round = 0; round < kRounds; ++round) {
    start = std::chrono::steady_clock::now();
    check += ReadBytes(path);
    best_read = std::min(best_read, Seconds(start));
    start = std::chrono::steady_clock::now();
    check += Scan(path, false);
    best_scan = std::min(best_scan, Seconds(start));
    start = std::chrono::steady_clock::now();
    check += Scan(path, true);
    best_by_name = std::min(best_by_name, Seconds(start));
  }
  std::printf("scan (open, 8 x ReadField by index into one value + SkipRecords per record): %.3f s (target 0.15 s)\n",
              best_scan);
  std::printf("scan by name, a new value per field:                                         %.3f s\n",
              best_by_name);
  std::printf("reading the file's bytes:                                  %.4f s\n", best_read);
  std::printf("ratio scan / read: %.1f\n", best_scan / best_read);
  std::printf("per record: %.0f ns, per field: %.1f ns (checksum %lld)\n", best_scan / kRecords * 1e9,
              best_scan / kRecords / 8 * 1e9, static_cast<long long>(check));
  return 0;
}
