// Packed blocks carry every byte of every entry: packing must round-trip any content, a failed
// unpack must leave the block as it was, and the size guard must never reject a real stream.
#include <gtest/gtest.h>

#include <zlib.h>

#include <random>

#include "base/Exception.h"
#include "store/PackedBlock.h"
#include "store/XPException.h"

namespace tarn {
namespace {

std::string Pack(const std::string& content) {
  TMemoryStream s;
  s.WriteBuffer(content.data(), content.size());
  PackBlock(s, kBestCompression);
  EXPECT_EQ(s.Position(), 0);
  return std::string(s.View());
}

std::string Unpack(const std::string& block) {
  TMemoryStream s;
  s.WriteBuffer(block.data(), block.size());
  UnpackBlock(s);
  EXPECT_EQ(s.Position(), 0);
  return std::string(s.View());
}

TEST(PackedBlockTest, RoundTripsContentOfEveryShape) {
  std::mt19937 rng(3);
  std::string noise(300000, ' ');
  for (char& c : noise)
    c = static_cast<char>(rng());
  std::string text;
  while (text.size() < 200000)
    text += "The quick brown fox " + std::to_string(rng() % 1000) + "\n";
  for (const std::string& content : {std::string(1, 'x'), std::string(100, '\0'), noise, text}) {
    const std::string block = Pack(content);
    EXPECT_EQ(StatedLength(reinterpret_cast<const uint8_t*>(block.data())),
              static_cast<int64_t>(content.size()));
    EXPECT_EQ(static_cast<uint8_t>(block[8]), 0x78);
    EXPECT_EQ(static_cast<uint8_t>(block[9]), 0xDA);
    // The stream is exactly what zlib's own level-9 packer makes.
    uLongf n = compressBound(static_cast<uLong>(content.size()));
    std::string expected(n, '\0');
    compress2(reinterpret_cast<Bytef*>(expected.data()), &n,
              reinterpret_cast<const Bytef*>(content.data()), static_cast<uLong>(content.size()),
              9);
    EXPECT_EQ(block.substr(8), expected.substr(0, n));
    EXPECT_EQ(Unpack(block), content);
  }
  // Empty content stays empty both ways.
  EXPECT_EQ(Pack(""), "");
  EXPECT_EQ(Unpack(""), "");
}

TEST(PackedBlockTest, TheSizeGuardAdmitsTheMostCompressibleContent) {
  // Zeros pack close to deflate's limit of 1032:1.
  const std::string zeros(16 << 20, '\0');
  const std::string block = Pack(zeros);
  EXPECT_GT(zeros.size(), (block.size() - 8) * 1000);
  EXPECT_LE(zeros.size(), MaxInflatedSize(block.size() - 8));
  EXPECT_EQ(Unpack(block), zeros);
}

TEST(PackedBlockTest, AFailedUnpackKeepsTheBlock) {
  std::string block = Pack(std::string(5000, 'k'));
  block[block.size() - 1] ^= 1;  // checksum
  TMemoryStream s;
  s.WriteBuffer(block.data(), block.size());
  EXPECT_THROW(UnpackBlock(s), EInflateError);
  EXPECT_EQ(std::string(s.View()), block);
  // A length field cut short, and a length that cannot be.
  EXPECT_THROW(Unpack(block.substr(0, 7)), EContainerDamaged);
  std::string claim = Pack("abc");
  claim[7] = '\x01';  // 2^56 bytes
  EXPECT_THROW(Unpack(claim), EContainerDamaged);
  // A zlib stream cut before its end.
  EXPECT_THROW(Unpack(block.substr(0, block.size() - 2)), EReadError);
}

}  // namespace
}  // namespace tarn
