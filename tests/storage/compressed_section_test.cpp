#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/compressed_section.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"

namespace qm {
namespace {

const uint8_t* U8(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

TEST(CompressedSection, EmptyBlockMakesAnEightByteStreamThatExpandsToNothing) {
  uint8_t packed[64] = {};
  ASSERT_EQ(CompressBlock(nullptr, 0, packed, 64), 8);
  uint8_t raw[64] = {};
  EXPECT_EQ(ExpandBlock(packed, 8, raw, 64), 0);
}

TEST(CompressedSection, RoundTripAndDamageIsJudgedByTheCount) {
  const std::string block(1000, 'a');
  std::vector<uint8_t> packed(1064);
  const int32_t n = CompressBlock(U8(block), 1000, packed.data(), 1064);
  ASSERT_GT(n, 0);
  ASSERT_LT(n, 100);
  std::vector<uint8_t> raw(1064);
  ASSERT_EQ(ExpandBlock(packed.data(), n, raw.data(), 1064), 1000);
  EXPECT_EQ(std::string(raw.begin(), raw.begin() + 1000), block);

  // A wrong checksum is not noticed here; the full length still comes out.
  std::vector<uint8_t> damaged(packed.begin(), packed.begin() + n);
  damaged[n - 1] ^= 0xFF;
  EXPECT_EQ(ExpandBlock(damaged.data(), n, raw.data(), 1064), 1000);

  // A stream cut in half gives less than the raw length.
  const std::string text = "a window title, another title, C:\\Program Files\\app.exe";
  std::string big;
  for (int i = 0; i < 200; ++i) big += text + std::to_string(i * 7919);
  std::vector<uint8_t> bigPacked(big.size() + 64);
  const int32_t m = CompressBlock(U8(big), static_cast<uint32_t>(big.size()), bigPacked.data(), big.size() + 64);
  std::vector<uint8_t> out(big.size() + 64);
  EXPECT_LT(ExpandBlock(bigPacked.data(), m / 2, out.data(), big.size() + 64), static_cast<int32_t>(big.size()));
}

TEST(CompressedSection, TooSmallCapacityFailsAndWritesNothing) {
  const std::string block(300, 'x');
  uint8_t packed[4];
  EXPECT_EQ(CompressBlock(U8(block), 300, packed, 4), 0);

  // Random bytes do not compress: 200 KB of them need more than raw + 64.
  std::string noise(200'000, '\0');
  uint32_t state = 12345;
  for (char& c : noise) c = static_cast<char>((state = state * 1103515245 + 12345) >> 23);
  test::FakeEnv env;
  FileWriter writer(env);
  ASSERT_TRUE(writer.Open(u"/app/f"));
  EXPECT_FALSE(WriteSection(U8(noise), static_cast<uint32_t>(noise.size()), writer));
  EXPECT_EQ(env.FileBytes(u"/app/f.tmp").size(), 0u);
}

class SectionReading : public ::testing::Test {
 protected:
  bool Read(const std::string& file, const SectionRules& rules) {
    env.PutFile(u"/app/s", file);
    FileReader reader(env);
    return reader.Open(u"/app/s") && ReadSection(reader, rules, &section);
  }
  test::FakeEnv env;
  Section section;
  const SectionRules exact{false, 0, 64, 64, true, kMaxSectionRawBytes};
};

TEST_F(SectionReading, ValidSectionArrivesWithZeroedSlack) {
  ASSERT_TRUE(Read(test::ByteBuilder().Section("hello").str(), exact));
  EXPECT_EQ(section.rawLength, 5u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(section.data.data()), 5), "hello");
  EXPECT_EQ(section.data.size(), 69u);
  EXPECT_EQ(section.data.data()[68], 0);
}

TEST_F(SectionReading, MissingOrImplausibleLengthWordsFailBeforeAllocating) {
  EXPECT_FALSE(Read("", exact));
  EXPECT_FALSE(Read(std::string("\x05\0\0\0", 4), exact));
  const std::string packed = test::Deflate("hello");
  auto withLengths = [&](uint32_t p, uint32_t r) { return test::ByteBuilder().U32(p).U32(r).Append(packed).str(); };
  EXPECT_FALSE(Read(withLengths(0, 5), exact));
  EXPECT_FALSE(Read(withLengths(0x80000000u, 5), exact));                       // negative packed length
  EXPECT_FALSE(Read(withLengths(static_cast<uint32_t>(packed.size()) + 1, 5), exact));  // beyond the file
  EXPECT_FALSE(Read(withLengths(static_cast<uint32_t>(packed.size()), 0), exact));
  EXPECT_FALSE(Read(withLengths(static_cast<uint32_t>(packed.size()), 0xFFFFFFF0u), exact));  // beyond any maximum
  EXPECT_FALSE(Read(withLengths(static_cast<uint32_t>(packed.size()), 60u << 20), exact));  // beyond deflate's ratio
  const SectionRules signedRaw{true, 0, 64, 64, true, kMaxSectionRawBytes};
  EXPECT_FALSE(Read(withLengths(static_cast<uint32_t>(packed.size()), 0x80000005u), signedRaw));
}

TEST_F(SectionReading, ExpansionIsJudgedByTheReadersRule) {
  // The announced raw length is one more than the data: exact readers fail, lenient ones accept.
  const std::string packed = test::Deflate("hello");
  const std::string file = test::ByteBuilder().U32(static_cast<uint32_t>(packed.size())).U32(6).Append(packed).str();
  EXPECT_FALSE(Read(file, exact));
  const SectionRules lenient{true, 64, 64, 64, false, kMaxSectionRawBytes};
  EXPECT_TRUE(Read(file, lenient));
  EXPECT_EQ(section.produced, 5u);
}

}  // namespace
}  // namespace qm
