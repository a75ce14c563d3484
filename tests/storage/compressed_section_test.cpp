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
TEST(CompressedSection, ExpansionIsJudgedByTheCountOnlyAndCompressionMustFitWhole) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "a window title, C:\\Program Files\\app.exe" + std::to_string(i * 7919);
  std::string packed = test::Deflate(text);
  packed.back() ^= '\xFF';
  std::vector<uint8_t> raw(text.size() + 64);
  const auto size = static_cast<uint32_t>(packed.size()), capacity = static_cast<uint32_t>(raw.size());
  EXPECT_EQ(ExpandBlock(U8(packed), size, raw.data(), capacity), static_cast<int32_t>(text.size()));
  EXPECT_EQ(std::string(raw.begin(), raw.begin() + text.size()), text);
  EXPECT_LT(ExpandBlock(U8(packed), size / 2, raw.data(), capacity), static_cast<int32_t>(text.size()));

  uint8_t four[4];
  EXPECT_EQ(CompressBlock(U8(std::string(300, 'x')), 300, four, 4), 0);
  // Random bytes do not compress: 200 KB of them need more than raw + 64, and still save whole.
  std::string noise(200'000, '\0');
  uint32_t state = 12345;
  for (char& c : noise) c = static_cast<char>((state = state * 1103515245 + 12345) >> 23);
  test::FakeEnv env;
  FileWriter writer(env);
  EXPECT_FALSE(writer.Write("x", 1)) << "not open";
  ASSERT_TRUE(writer.Open(u"/app/f"));
  ASSERT_TRUE(WriteSection(U8(noise), static_cast<uint32_t>(noise.size()), writer));
  ASSERT_TRUE(writer.Commit());
  FileReader reader(env);
  Section section;
  ASSERT_TRUE(reader.Open(u"/app/f"));
  ASSERT_TRUE(ReadSection(reader, {false, 0, 64, 64, true, kMaxSectionRawBytes}, &section));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(section.data.data()), noise.size()), noise);
}

// Length words are judged against the file and the reader's rules before anything is allocated;
// the expansion must give the announced length exactly, or anything at all for lenient readers.
TEST(CompressedSection, LengthsAndExpansionAreJudgedByTheReadersRules) {
  test::FakeEnv env;
  Section section;
  const std::string packed = test::Deflate("hello");
  const uint32_t size = static_cast<uint32_t>(packed.size()), ratio = size * 1032 + 1024;
  const SectionRules exact{false, 0, 64, 64, true, kMaxSectionRawBytes}, lenient{true, 64, 64, 64, false, 5};
  const struct {
    std::string file;
    SectionRules rules;
    bool reads;
  } cases[] = {
      {"", exact, false},
      {std::string("\x05\0\0\0", 4), exact, false},
      {test::ByteBuilder().U32(size).U32(6).Append(packed).str(), exact, false},  // announces one byte more
      {test::ByteBuilder().U32(size).U32(6).Append(packed).str(), {false, 64, 64, 64, false, 6}, true},
      {test::ByteBuilder().U32(size).U32(5).Append(packed).str(), lenient, true},  // at the reader's maximum
      {test::ByteBuilder().U32(size).U32(6).Append(packed).str(), lenient, false},
      {test::ByteBuilder().U32(size).U32(ratio).Append(packed).str(), {false, 0, 64, 64, false, ~0u}, true},
      {test::ByteBuilder().U32(size).U32(5).Text(std::string(size, 'x')).str(), lenient, false},  // expands to nothing
      {test::ByteBuilder().Section("hello").str(), exact, true},
      // Beyond deflate's ratio, zero or negative packed length, beyond the file, zero or negative raw length.
      {test::ByteBuilder().U32(size).U32(ratio + 1).Append(packed).str(), {false, 0, 64, 64, false, ~0u}, false},
      {test::ByteBuilder().U32(0).U32(5).Append(packed).str(), exact, false},
      {test::ByteBuilder().U32(0x80000000u).U32(5).Append(packed).str(), exact, false},
      {test::ByteBuilder().U32(size + 1).U32(5).Append(packed).str(), exact, false},
      {test::ByteBuilder().U32(size).U32(0).Append(packed).str(), exact, false},
      {test::ByteBuilder().U32(size).U32(0x80000005u).Append(packed).str(), {true, 0, 64, 64, false, ~0u}, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    env.PutFile(u"/app/s", cases[i].file);
    FileReader reader(env);
    ASSERT_TRUE(reader.Open(u"/app/s"));
    EXPECT_EQ(ReadSection(reader, cases[i].rules, &section), cases[i].reads) << i;
  }
  // The valid section (the last one read) arrived with its slack zeroed.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(section.data.data()), 5), "hello");
  EXPECT_EQ(section.data.size(), 5u + 64);
  EXPECT_EQ(section.data.data()[68], 0);
  FileReader closed(env);
  EXPECT_FALSE(ReadSection(closed, exact, &section));
}

}  // namespace
}  // namespace qm
