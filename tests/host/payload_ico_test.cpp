// The icon files the programs carry, read back as Windows reads them: the
// directory, then each image's bitmap header and the bitmap sizes it implies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "payload/generator/ico_writer.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadPayload(const std::string& name) {
  std::ifstream in(std::string(RAZ_PAYLOAD_DIR) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

unsigned U16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16; }

struct Entry {
  unsigned width, height, colours, bits;
  std::uint32_t bytes, offset;
};

// Reads the directory and checks every image against its entry; returns the entries.
std::vector<Entry> ParseIcon(const Bytes& file) {
  std::vector<Entry> entries;
  if (file.size() < 6) {
    ADD_FAILURE() << "file too short";
    return entries;
  }
  EXPECT_EQ(U16(file, 0), 0u);
  EXPECT_EQ(U16(file, 2), 1u) << "resource type must be icon";
  const unsigned count = U16(file, 4);
  std::uint32_t expected_offset = 6 + 16 * count;
  for (unsigned i = 0; i < count; ++i) {
    const std::size_t d = 6 + 16 * i;
    Entry e{file.at(d), file.at(d + 1), file.at(d + 2), U16(file, d + 6), U32(file, d + 8), U32(file, d + 12)};
    EXPECT_EQ(file.at(d + 3), 0) << "reserved, image " << i;
    EXPECT_EQ(U16(file, d + 4), 1u) << "planes, image " << i;
    EXPECT_EQ(e.offset, expected_offset) << "images follow each other, image " << i;
    expected_offset = e.offset + e.bytes;

    const std::size_t h = e.offset;
    EXPECT_EQ(U32(file, h), 40u) << "BITMAPINFOHEADER, image " << i;
    EXPECT_EQ(U32(file, h + 4), e.width);
    EXPECT_EQ(U32(file, h + 8), 2 * e.height) << "height counts XOR and AND bitmaps, image " << i;
    EXPECT_EQ(U16(file, h + 12), 1u);
    EXPECT_EQ(U16(file, h + 14), e.bits) << "image " << i;
    EXPECT_EQ(U32(file, h + 16), 0u) << "uncompressed, image " << i;
    const std::uint32_t palette = e.bits <= 8 ? 4u << e.bits : 0;
    const std::uint32_t xor_row = (e.width * e.bits + 31) / 32 * 4, and_row = (e.width + 31) / 32 * 4;
    EXPECT_EQ(e.bytes, 40 + palette + (xor_row + and_row) * e.height) << "image " << i;
    EXPECT_EQ(e.colours, e.bits == 4 ? 16u : 0u) << "image " << i;
    entries.push_back(e);
  }
  EXPECT_EQ(expected_offset, file.size()) << "nothing after the last image";
  return entries;
}

std::vector<unsigned> Sizes(const std::vector<Entry>& entries) {
  std::vector<unsigned> sizes;
  for (const Entry& e : entries) sizes.push_back(e.width == e.height ? e.width : 0);
  return sizes;
}

std::vector<unsigned> Bits(const std::vector<Entry>& entries) {
  std::vector<unsigned> bits;
  for (const Entry& e : entries) bits.push_back(e.bits);
  return bits;
}

TEST(PayloadIcoTest, CarriedTypeIconsHaveTheirFixedForm) {
  const Bytes ec = ReadPayload("icons/ec.ico");
  for (const char* name : {"icons/ec.ico", "icons/edb.ico", "icons/fne.ico"}) {
    SCOPED_TRACE(name);
    const Bytes file = ReadPayload(name);
    ASSERT_EQ(file.size(), 15086u);
    const std::vector<Entry> entries = ParseIcon(file);
    EXPECT_EQ(Sizes(entries), (std::vector<unsigned>{48, 32, 16}));
    EXPECT_EQ(Bits(entries), (std::vector<unsigned>{32, 32, 32}));
    // One layout for all three: same directory, same headers.
    for (std::size_t i = 0; i < 54; ++i) ASSERT_EQ(file[i], ec[i]) << "directory byte " << i;
    for (const Entry& e : entries)
      EXPECT_TRUE(std::equal(file.begin() + e.offset, file.begin() + e.offset + 40, ec.begin() + e.offset));
  }
  EXPECT_NE(ReadPayload("icons/ec.ico"), ReadPayload("icons/edb.ico"));
  EXPECT_NE(ReadPayload("icons/edb.ico"), ReadPayload("icons/fne.ico"));

  const Bytes lib = ReadPayload("icons/lib.ico");
  ASSERT_EQ(lib.size(), 22486u);
  const std::vector<Entry> entries = ParseIcon(lib);
  EXPECT_EQ(Sizes(entries), (std::vector<unsigned>{48, 32, 16, 48, 32, 16}));
  EXPECT_EQ(Bits(entries), (std::vector<unsigned>{8, 8, 8, 32, 32, 32}));
}

TEST(PayloadIcoTest, ProgramAndOptionIconsHaveTheirDepths) {
  const std::vector<Entry> repair = ParseIcon(ReadPayload("icons/ravelmend.ico"));
  EXPECT_EQ(Sizes(repair), (std::vector<unsigned>{16, 32, 48}));
  EXPECT_EQ(Bits(repair), (std::vector<unsigned>{4, 4, 4}));
  const std::vector<Entry> viewer = ParseIcon(ReadPayload("icons/tallyscope.ico"));
  EXPECT_EQ(Sizes(viewer), (std::vector<unsigned>{48, 32, 16}));
  EXPECT_EQ(Bits(viewer), (std::vector<unsigned>{32, 32, 32}));

  const std::pair<const char*, unsigned> options[] = {
      {"icons/type_e.ico", 4},    {"icons/type_e8.ico", 4},   {"icons/type_ec.ico", 32},
      {"icons/type_edb.ico", 32}, {"icons/type_fne.ico", 32}, {"icons/type_lib.ico", 32},
  };
  for (const auto& [name, bits] : options) {
    SCOPED_TRACE(name);
    const std::vector<Entry> entries = ParseIcon(ReadPayload(name));
    EXPECT_EQ(Sizes(entries), (std::vector<unsigned>{16}));
    EXPECT_EQ(Bits(entries), (std::vector<unsigned>{bits}));
  }
}

// One opaque red pixel at the top-left corner of an otherwise clear image.
payload::Image RedCorner() {
  payload::Image image(16, 16);
  image.at(0, 0) = payload::Opaque(255, 0, 0);
  return image;
}

TEST(PayloadIcoTest, BitmapsAreBottomUpWithMaskSetWhereClear) {
  const Bytes ico = payload::EncodeIco({{RedCorner(), 32}, {RedCorner(), 4}});
  ASSERT_EQ(ParseIcon(ico).size(), 2u);

  // 32 bits: BGRA rows of 64 bytes, the top row stored last.
  const std::size_t colour = U32(ico, 6 + 12) + 40, mask = colour + 16 * 64;
  EXPECT_EQ(ico[colour + 15 * 64 + 0], 0);
  EXPECT_EQ(ico[colour + 15 * 64 + 1], 0);
  EXPECT_EQ(ico[colour + 15 * 64 + 2], 255);
  EXPECT_EQ(ico[colour + 15 * 64 + 3], 255);
  EXPECT_EQ(ico[colour + 3], 0) << "clear pixels keep alpha 0";
  EXPECT_EQ(ico[mask + 15 * 4], 0x7F) << "AND bit clear only under the red pixel";
  EXPECT_EQ(ico[mask + 0], 0xFF);

  // 4 bits: the standard palette's red is entry 9, in the high nibble of the
  // last stored row; clear pixels use entry 0 (black) under a set mask bit.
  const std::size_t header = U32(ico, 6 + 16 + 12);
  const std::size_t palette = header + 40, pixels = palette + 64, mask4 = pixels + 16 * 8;
  EXPECT_EQ(ico[palette + 9 * 4 + 2], 255);
  EXPECT_EQ(ico[pixels + 15 * 8], 0x90);
  EXPECT_EQ(ico[pixels], 0x00);
  EXPECT_EQ(ico[mask4 + 15 * 4], 0x7F);
}

}  // namespace
