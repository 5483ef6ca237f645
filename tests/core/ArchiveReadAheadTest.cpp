// Large archives are read on a second thread while they are parsed: every byte must still
// arrive in order, whatever the chunk sizes the source hands out, and a failure of the source
// must reach the parser.

#include "ArchiveReader.h"
#include "ArchiveWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {

/// Bytes from memory, at most `chunk` at a time, failing once `failAt` bytes have gone.
class ChoppySource : public ByteSource
{
public:
    ChoppySource(const std::string& bytes, std::size_t chunk, std::size_t failAt = SIZE_MAX)
        : m_Bytes(bytes), m_Chunk(chunk), m_FailAt(failAt)
    {
    }

    std::size_t read(char* into, std::size_t max) override
    {
        if (m_Offset >= m_FailAt)
            throw std::runtime_error("the disk went away");
        if (std::this_thread::get_id() != m_Owner)
            readElsewhere = true;
        const std::size_t n = std::min({max, m_Chunk, m_Bytes.size() - m_Offset});
        std::copy_n(m_Bytes.data() + m_Offset, n, into);
        m_Offset += n;
        return n;
    }

    bool readElsewhere = false; ///< some read ran on another thread than the source's maker

private:
    const std::thread::id m_Owner = std::this_thread::get_id();
    const std::string& m_Bytes;
    std::size_t m_Chunk;
    std::size_t m_FailAt;
    std::size_t m_Offset = 0;
};

/// Text `i` of the test archive: lengths around every buffer-size boundary, some long.
std::string textNumber(int i)
{
    const std::size_t length = i % 97 == 0 ? 70000 + i : static_cast<std::size_t>(i * 37 % 300);
    return std::string(length, static_cast<char>('a' + i % 26));
}

constexpr int kTexts = 6000;

/// An integer and a text, kTexts times: about 3 MiB, enough to be read ahead.
std::string archive()
{
    std::ostringstream out;
    ArchiveWriter writer(out);
    for (int i = 0; i < kTexts; ++i) {
        writer.writeInt32(i);
        writer.writeString(textNumber(i));
    }
    return out.str();
}

} // namespace

TEST(ArchiveReadAhead, EveryValueArrivesInOrderWhateverTheSourceHandsOut)
{
    const std::string bytes = archive();
    ASSERT_GT(bytes.size(), 2u << 20);
    for (std::size_t chunk :
         {std::size_t{1000}, ArchiveReader::kBufferSize, std::size_t{1} << 30}) {
        ChoppySource source(bytes, chunk);
        ArchiveReader reader(source, bytes.size());
        for (int i = 0; i < kTexts; ++i) {
            ASSERT_EQ(reader.readInt32(), i) << "chunk " << chunk;
            ASSERT_EQ(reader.readString().bytes, textNumber(i)) << "chunk " << chunk;
        }
        EXPECT_EQ(reader.remaining(), 0u);
        EXPECT_THROW(reader.readInt32(), ArchiveEnd);
    }
}

TEST(ArchiveReadAhead, AReaderToldNotToReadAheadReadsOnItsOwnThread)
{
    const std::string bytes = archive();
    ChoppySource source(bytes, ArchiveReader::kBufferSize);
    ArchiveReader reader(source, bytes.size(), false);
    for (int i = 0; i < kTexts; ++i) {
        ASSERT_EQ(reader.readInt32(), i);
        ASSERT_EQ(reader.readString().bytes, textNumber(i));
    }
    EXPECT_FALSE(source.readElsewhere);
}

TEST(ArchiveReadAhead, AFailureOfTheSourceReachesTheParser)
{
    const std::string bytes = archive();
    ChoppySource source(bytes, ArchiveReader::kBufferSize, 2u << 20);
    ArchiveReader reader(source, bytes.size());
    int read = 0;
    try {
        for (; read < kTexts; ++read) {
            reader.readInt32();
            reader.readString();
        }
        FAIL() << "the failure was lost";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "the disk went away");
    }
    EXPECT_GT(read, 0);
    EXPECT_LT(read, kTexts);
}

TEST(ArchiveReadAhead, AThreadStoppedJustAfterItsRequestIsTakenBackStillEnds)
{
    // A request taken back and a stop, both just as the thread sees the request: the thread
    // must still see the stop, or the reader's end waits for it for ever. The race is narrow,
    // so it is run for a second, on a thread of its own so that a hang fails the test instead
    // of stopping the suite.
    static std::atomic<bool> ended{false};
    std::thread([] {
        const std::string bytes(1, 'x');
        char into[1];
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (std::chrono::steady_clock::now() < until) {
            ChoppySource source(bytes, 1);
            ReadAhead ahead(source);
            // A first request that the thread serves leaves it spinning for the next.
            while (!source.readElsewhere) {
                ahead.start(into, sizeof into);
                ahead.wait();
            }
            ahead.start(into, sizeof into);
        }
        ended = true;
    }).detach();
    // Long enough for a round on a busy machine.
    for (int waited = 0; waited < 600 && !ended; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(ended) << "a thread reading ahead never ended";
}
