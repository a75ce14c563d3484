#include "storage/compressed_section.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/byte_builder.h"
#include "support/fake_env.h"

namespace qm {
namespace {

const uint8_t* U8(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// A wrong checksum is not noticed: the full length still comes out. A stream cut in half gives less.
TEST(CompressedSection, ExpansionIsJudgedByTheCountOnly) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "a window title, C:\\Program Files\\app.exe" + std::to_string(i * 7919);
  std::string packed = test::Deflate(text);
  packed.back() ^= '\xFF';
  std::vector<uint8_t> raw(text.size() + 64);
  const auto size = static_cast<uint32_t>(packed.size()), capacity = static_cast<uint32_t>(raw.size());
  EXPECT_EQ(ExpandBlock(U8(packed), size, raw.data(), capacity), static_cast<int32_t>(text.size()));
  EXPECT_EQ(std::string(raw.begin(), raw.begin() + text.size()), text);
  EXPECT_LT(ExpandBlock(U8(packed), size / 2, raw.data(), capacity), static_cast<int32_t>(text.size()));
}

TEST(CompressedSection, DataThatDoesNotFitFails) {
  uint8_t packed[4];
  EXPECT_EQ(CompressBlock(U8(std::string(300, 'x')), 300, packed, 4), 0);
}

// Random bytes do not compress: 200 KB of them need more than raw + 64, and still save whole.
TEST(CompressedSection, IncompressibleDataSavesAndReadsBack) {
  std::string noise(200'000, '\0');
  uint32_t state = 12345;
  for (char& c : noise) c = static_cast<char>((state = state * 1103515245 + 12345) >> 23);
  test::FakeEnv env;
  FileWriter writer(env);
  ASSERT_TRUE(writer.Open(u"/app/f"));
  ASSERT_TRUE(WriteSection(U8(noise), static_cast<uint32_t>(noise.size()), writer));
  ASSERT_TRUE(writer.Commit());
  FileReader reader(env);
  Section section;
  ASSERT_TRUE(reader.Open(u"/app/f"));
  ASSERT_TRUE(ReadSection(reader, {false, 0, 64, 64, true, kMaxSectionRawBytes}, &section));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(section.data.data()), noise.size()), noise);
}

class SectionReading : public ::testing::Test {
 protected:
  bool Read(const std::string& file, const SectionRules& rules) {
    env.PutFile(u"/app/s", file);
    FileReader reader(env);
    return reader.Open(u"/app/s") && ReadSection(reader, rules, &section);
  }
  std::string WithLengths(uint32_t packedLength, uint32_t rawLength) {
    return test::ByteBuilder().U32(packedLength).U32(rawLength).Append(packed).str();
  }
  test::FakeEnv env;
  Section section;
  const std::string packed = test::Deflate("hello");
  const uint32_t size = static_cast<uint32_t>(packed.size());
  const SectionRules exact{false, 0, 64, 64, true, kMaxSectionRawBytes};
};

TEST_F(SectionReading, ValidSectionArrivesWithZeroedSlack) {
  ASSERT_TRUE(Read(WithLengths(size, 5), exact));
  EXPECT_EQ(section.rawLength, 5u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(section.data.data()), 5), "hello");
  EXPECT_EQ(section.data.size(), 69u);
  EXPECT_EQ(section.data.data()[68], 0);
}

TEST_F(SectionReading, MissingOrImplausibleLengthWordsFailBeforeAllocating) {
  EXPECT_FALSE(Read("", exact));
  EXPECT_FALSE(Read(std::string("\x05\0\0\0", 4), exact));
  // Zero or negative packed length, beyond the file, zero raw length, beyond any maximum, beyond deflate's ratio.
  const std::pair<uint32_t, uint32_t> lengths[] = {{0, 5},    {0x80000000u, 5},    {size + 1, 5},
                                                   {size, 0}, {size, 0xFFFFFFF0u}, {size, 60u << 20}};
  for (const auto& [p, r] : lengths) EXPECT_FALSE(Read(WithLengths(p, r), exact)) << p << " " << r;
  EXPECT_FALSE(Read(WithLengths(size, 0x80000005u), {true, 0, 64, 64, true, kMaxSectionRawBytes}));
  EXPECT_FALSE(Read(WithLengths(size, 5), {false, 0, 64, 64, true, 4}));  // beyond the reader's maximum
}

TEST_F(SectionReading, ExpansionIsJudgedByTheReadersRule) {
  // The announced raw length is one more than the data: exact readers fail, lenient ones accept.
  EXPECT_FALSE(Read(WithLengths(size, 6), exact));
  EXPECT_TRUE(Read(WithLengths(size, 6), {true, 64, 64, 64, false, kMaxSectionRawBytes}));
  EXPECT_EQ(section.produced, 5u);
}

}  // namespace
}  // namespace qm
