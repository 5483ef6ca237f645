#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "Gbk.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace std::string_literals;

namespace {

using Form = ArchiveWriter::LengthForm;

std::string encoded(std::string_view text, Form form = Form::Shortest)
{
    std::ostringstream out;
    ArchiveWriter(out).writeString(text, form);
    return out.str();
}

std::string encodedWide(std::string_view utf16, Form form = Form::Shortest)
{
    std::ostringstream out;
    ArchiveWriter(out).writeWideString(utf16, form);
    return out.str();
}

/// Reads `bytes` from memory, as the loader reads a file.
struct Reader
{
    explicit Reader(const std::string& bytes) : source(bytes), archive(source, bytes.size()) {}
    MemorySource source;
    ArchiveReader archive;
};

std::string readString(const std::string& bytes)
{
    Reader reader(bytes);
    const ArchiveReader::String s = reader.archive.readString();
    EXPECT_EQ(reader.archive.offset(), bytes.size());
    return s.utf16 ? gbk::fromUtf16Le(s.bytes) : s.bytes;
}

} // namespace

TEST(Archive, ShortestPrefixForEachLength)
{
    EXPECT_EQ(encoded(""), std::string(1, '\0'));
    EXPECT_EQ(encoded(std::string(254, 'x')).substr(0, 1), "\xFE");
    EXPECT_EQ(encoded(std::string(255, 'x')).substr(0, 3), "\xFF\xFF\x00"s);
    EXPECT_EQ(encoded(std::string(65533, 'x')).substr(0, 3), "\xFF\xFD\xFF");
    EXPECT_EQ(encoded(std::string(65534, 'x')).substr(0, 7), "\xFF\xFF\xFF\xFE\xFF\x00\x00"s);
}

TEST(Archive, ReadsEveryLengthFormIncludingLongerThanNeeded)
{
    for (std::size_t length : {0u, 1u, 254u, 255u, 65533u, 65534u, 70000u}) {
        const std::string text(length, 'q');
        EXPECT_EQ(readString(encoded(text)), text) << length;
        EXPECT_EQ(readString(encoded(text, Form::DWord)), text) << length;
        if (length < 0xFFFE) {
            EXPECT_EQ(readString(encoded(text, Form::Word)), text) << length;
        }
    }
}

TEST(Archive, ReadsUtf16StringsInEveryLengthForm)
{
    const std::string water("\x34\x6C\x41\x00", 4); // "水A"
    EXPECT_EQ(readString(encodedWide(water)), gbkOf("水A"));
    EXPECT_EQ(readString(encodedWide(water, Form::Word)), gbkOf("水A"));
    EXPECT_EQ(readString(encodedWide(water, Form::DWord)), gbkOf("水A"));
    EXPECT_EQ(readString(encodedWide("")), "");

    std::string longText;
    for (int i = 0; i < 300; ++i)
        longText += water;
    std::string expected;
    for (int i = 0; i < 300; ++i)
        expected += gbkOf("水A");
    EXPECT_EQ(readString(encodedWide(longText)), expected);
}

TEST(Archive, LengthBeyondTheEndIsDetectedBeforeAllocating)
{
    // A 32-bit length of 4 GiB - 1 in a 7-byte input: must end, not try to allocate.
    const std::string bytes("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7);
    Reader reader(bytes);
    try {
        reader.archive.readString();
        FAIL() << "no end of archive";
    } catch (const ArchiveEnd& end) {
        EXPECT_EQ(end.offset, 0u);
    }

    const std::string wide("\xFF\xFE\xFF\xFF\xFF\xFF", 6); // UTF-16 marker, then 0xFFFF units
    Reader wideReader(wide);
    EXPECT_THROW(wideReader.archive.readString(), ArchiveEnd);
}

TEST(Archive, IntegersAreLittleEndianAndSigned)
{
    std::ostringstream out;
    ArchiveWriter writer(out);
    writer.writeInt32(-2);
    writer.writeInt32(0x01020304);
    EXPECT_EQ(out.str(), "\xFE\xFF\xFF\xFF\x04\x03\x02\x01");
    const std::string bytes = out.str();
    Reader reader(bytes);
    EXPECT_EQ(reader.archive.readInt32(), -2);
    EXPECT_EQ(reader.archive.readInt32(), 0x01020304);
    EXPECT_THROW(reader.archive.readInt32(), ArchiveEnd);
}
