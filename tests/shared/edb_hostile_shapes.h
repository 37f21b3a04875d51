// Writes small .edb files whose overlapping fields and shared memo chains
// describe very large tables, for the tests and benchmarks that check the
// viewer refuses them without running out of memory or time. Not part of any
// program.
#pragma once

#include <cstdint>
#include <string>

#include "viewer/edb/edb_format.h"

namespace raz::edb::testing {

// `fields` one-byte fields, all at offset 0 of a one-byte record, and
// `records` records. The defaults make 4,096 x 1,048,576 cells in a file of
// 1,343,600 bytes.
bool WriteOverlappingByteFields(const std::string& path, std::uint32_t fields = 4096,
                                std::uint32_t records = 1u << 20);

// `fields` text fields of `width` bytes, all at offset 0, and one record whose
// bytes are all non-zero, so every cell is `width` bytes long. The defaults
// make 1,024 cells of 1 MiB in a file of 1,122,416 bytes.
bool WriteOverlappingTextFields(const std::string& path, std::uint32_t fields = 1024,
                                std::uint32_t width = 1u << 20);

// `fields` memo fields, all at offset 0 of one record, whose one slot points
// to a single chain of consecutive blocks holding `memo_bytes` non-zero bytes
// in the auxiliary file. The defaults make a 4,728-byte database beside a
// 16,909,856-byte auxiliary file; 8,650,000 memo bytes give an 8.7 MB one.
bool WriteSharedMemoChain(const std::string& path, std::uint32_t fields = 64,
                          std::uint32_t memo_bytes = format::kMaxValueSize);

// `records` records of `fields` memo fields, each with a slot of its own that
// enters one chain of `memo_bytes` bytes (as WriteSharedMemoChain's) a
// further 1/`fields` of its blocks along, so that no two cells of a record
// are alike. The defaults make 2 x 64 cells of 8.65 MB down to 0.14 MB (554 MB
// of text) from 8.7 MB of both files.
bool WriteMemosEnteringOneChain(const std::string& path, std::uint32_t fields = 64, std::uint32_t records = 2,
                                std::uint32_t memo_bytes = 8650000);

// `fields` memo fields laid one byte apart (field i at offset i, width 8) in
// records of the bytes 01 00 00 00 repeated, beside an auxiliary file of
// `blocks` zero blocks: each record has four distinct slots, each naming a
// block of zeros or one past the file. The defaults make 4,096 x 2,333 cells
// in 9,998,427 bytes of both files.
bool WriteMemosOneByteApart(const std::string& path, std::uint32_t fields = 4096, std::uint32_t records = 2333,
                            std::uint32_t blocks = 256);

// `fields` fields, memos and byte sets in turn, each with a slot of its own,
// whose slots name random blocks with random lengths below `max_length` in an
// auxiliary file of `blocks` blocks of non-zero bytes, each leading to a
// random block (or, rarely, ending the chain). The defaults make 64 x 10,000
// cells of about 256 bytes in 9,732,752 bytes of both files.
bool WriteRandomChains(const std::string& path, std::uint32_t fields = 64, std::uint32_t records = 10000,
                       std::uint32_t blocks = 9000, std::uint32_t max_length = 512, std::uint32_t seed = 1);

}  // namespace raz::edb::testing
