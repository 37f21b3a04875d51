#include "tests/shared/edb_writer.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>

#include "viewer/edb/edb_format.h"
#include "viewer/edb/sha256.h"

namespace raz::edb::testing {
namespace {

std::uint32_t WidthOf(const FieldSpec& field) {
  std::uint32_t fixed = format::FixedWidth(static_cast<std::uint32_t>(field.kind));
  return fixed != 0 ? fixed : field.width;
}

bool NeedsAux(const std::vector<FieldSpec>& fields) {
  for (const FieldSpec& field : fields) {
    if (field.kind == FieldKind::kMemo || field.kind == FieldKind::kByteSet) return true;
  }
  return false;
}

}  // namespace

EdbWriter::EdbWriter(const std::string& path, std::vector<FieldSpec> fields,
                     const std::string& password, std::string_view salt)
    : fields_(std::move(fields)) {
  for (const FieldSpec& field : fields_) {
    offsets_.push_back(record_size_);
    record_size_ += WidthOf(field);
  }
  record_.resize(record_size_);
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) return;
  if (NeedsAux(fields_)) {
    aux_ = std::fopen(format::AuxiliaryPath(path).c_str(), "wb");
    if (aux_ == nullptr) return;
    unsigned char aux_header[format::kAuxHeaderSize] = {};
    std::memcpy(aux_header, format::kAuxMagic, 4);
    format::StoreU32(aux_header + format::kVersionAt, format::kVersion);
    std::fwrite(aux_header, 1, sizeof aux_header, aux_);
  }

  unsigned char header[format::kHeaderSize] = {};
  std::memcpy(header, format::kMagic, 4);
  format::StoreU32(header + format::kVersionAt, format::kVersion);
  format::StoreU32(header + format::kFieldCountAt, static_cast<std::uint32_t>(fields_.size()));
  format::StoreU32(header + format::kRecordSizeAt, record_size_);
  if (!password.empty()) {
    format::StoreU32(header + format::kFlagsAt, format::kFlagProtected);
    std::string salt16(salt.substr(0, format::kSaltSize));
    salt16.resize(format::kSaltSize, '\0');
    std::memcpy(header + format::kSaltAt, salt16.data(), format::kSaltSize);
    Sha256Digest verifier = Pbkdf2Sha256(password, salt16, format::kVerifierIterations);
    std::memcpy(header + format::kVerifierAt, verifier.data(), verifier.size());
  }
  std::fwrite(header, 1, sizeof header, file_);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    unsigned char d[format::kDescriptorSize] = {};
    std::memcpy(d, fields_[i].name.data(), std::min(fields_[i].name.size(), format::kNameSize));
    format::StoreU32(d + format::kTypeAt, static_cast<std::uint32_t>(fields_[i].kind));
    format::StoreU32(d + format::kOffsetAt, offsets_[i]);
    format::StoreU32(d + format::kWidthAt, WidthOf(fields_[i]));
    std::fwrite(d, 1, sizeof d, file_);
  }
  ok_ = true;
}

EdbWriter::~EdbWriter() { Finish(); }

std::uint32_t EdbWriter::WriteChain(std::string_view data) {
  if (data.empty() || aux_ == nullptr) return 0;
  std::uint32_t first = next_block_;
  for (std::size_t at = 0; at < data.size(); at += format::kBlockDataSize) {
    unsigned char block[format::kBlockSize] = {};
    std::size_t take = std::min(format::kBlockDataSize, data.size() - at);
    bool last = at + take == data.size();
    format::StoreU32(block, last ? 0 : next_block_ + 1);
    std::memcpy(block + 4, data.data() + at, take);
    std::fwrite(block, 1, sizeof block, aux_);
    ++next_block_;
  }
  return first;
}

void EdbWriter::AddRecord(const std::vector<FieldValue>& values) {
  if (!ok_) return;
  std::fill(record_.begin(), record_.end(), 0);
  for (std::size_t i = 0; i < fields_.size() && i < values.size(); ++i) {
    const FieldValue& v = values[i];
    unsigned char* p = record_.data() + offsets_[i];
    switch (fields_[i].kind) {
      case FieldKind::kByte:
      case FieldKind::kBool:
        p[0] = fields_[i].kind == FieldKind::kBool ? v.boolean : static_cast<unsigned char>(v.integer);
        break;
      case FieldKind::kInt16:
        p[0] = static_cast<unsigned char>(v.integer);
        p[1] = static_cast<unsigned char>(v.integer >> 8);
        break;
      case FieldKind::kInt32:
      case FieldKind::kOpaque: format::StoreU32(p, static_cast<std::uint32_t>(v.integer)); break;
      case FieldKind::kInt64: format::StoreU64(p, static_cast<std::uint64_t>(v.integer)); break;
      case FieldKind::kFloat: {
        float f = static_cast<float>(v.real);
        std::uint32_t bits;
        std::memcpy(&bits, &f, 4);
        format::StoreU32(p, bits);
        break;
      }
      case FieldKind::kDouble:
      case FieldKind::kDateTime: {
        std::uint64_t bits;
        std::memcpy(&bits, &v.real, 8);
        format::StoreU64(p, bits);
        break;
      }
      case FieldKind::kText:
        std::memcpy(p, v.bytes.data(), std::min<std::size_t>(v.bytes.size(), fields_[i].width));
        break;
      case FieldKind::kByteSet:
      case FieldKind::kMemo:
        format::StoreU32(p, WriteChain(v.bytes));
        format::StoreU32(p + 4, static_cast<std::uint32_t>(v.bytes.size()));
        break;
      case FieldKind::kNone: break;
    }
  }
  if (!record_.empty()) std::fwrite(record_.data(), 1, record_.size(), file_);
  ++records_;
}

bool EdbWriter::Finish() {
  bool ok = ok_;
  ok_ = false;
  if (file_ != nullptr) {
    unsigned char count[4];
    format::StoreU32(count, records_);
    ok = ok && std::fseek(file_, long(format::kRecordCountAt), SEEK_SET) == 0 &&
         std::fwrite(count, 1, 4, file_) == 4;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
  }
  if (aux_ != nullptr) {
    ok = std::fclose(aux_) == 0 && ok;
    aux_ = nullptr;
  }
  return ok;
}

FieldValue IntValue(std::int64_t v) {
  FieldValue value;
  value.integer = v;
  return value;
}

FieldValue RealValue(double v) {
  FieldValue value;
  value.real = v;
  return value;
}

FieldValue BoolValue(bool v) {
  FieldValue value;
  value.boolean = v;
  return value;
}

FieldValue BytesValue(std::string_view v) {
  FieldValue value;
  value.bytes = std::string(v);
  return value;
}

ScratchDir::ScratchDir() {
  std::random_device random;
  std::filesystem::path base = std::filesystem::temp_directory_path();
  for (;;) {
    std::filesystem::path candidate = base / ("edbtest-" + std::to_string(random()));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = candidate.string();
      return;
    }
    if (error) return;  // no temporary directory: path() stays empty
  }
}

ScratchDir::~ScratchDir() {
  std::error_code error;
  if (!path_.empty()) std::filesystem::remove_all(path_, error);
}

std::string ScratchDir::File(std::string_view name) const {
  return (std::filesystem::path(path_) / std::string(name)).string();
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  std::fclose(file);
  return bytes;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

bool WriteOneNumberDatabase(const std::string& path, std::int64_t number, const std::string& password) {
  EdbWriter writer(path, {{"数量", FieldKind::kInt32}}, password);
  writer.AddRecord({IntValue(number)});
  return writer.Finish();
}

bool WriteEightKindsDatabase(const std::string& path, int records) {
  EdbWriter writer(path, {{"编号", FieldKind::kInt32},
                          {"名称", FieldKind::kText, 16},
                          {"金额", FieldKind::kDouble},
                          {"有效", FieldKind::kBool},
                          {"日期", FieldKind::kDateTime},
                          {"总量", FieldKind::kInt64},
                          {"比例", FieldKind::kFloat},
                          {"等级", FieldKind::kByte}});
  for (int i = 0; i < records; ++i) {
    writer.AddRecord({IntValue(i), BytesValue("名称" + std::to_string(i)), RealValue(i * 1.25), BoolValue(i % 3 == 0),
                      RealValue(40000.0 + i / 1440.0), IntValue(i * 1000003LL),
                      RealValue(static_cast<float>(i) / 7.0f), IntValue(i % 256)});
  }
  return writer.Finish();
}

}  // namespace raz::edb::testing
