// The reader on damaged and foreign bytes: it fails with a reason and an offset inside the
// input, or reads cleanly; it never reads past the end.

#include "ScheduleCodec.h"
#include "ScheduleRules.h"
#include "ScriptedRandom.h"

#include <gtest/gtest.h>

using namespace nerav;

namespace {

ScheduleDocument SmallDocument()
{
    ScheduleDocument document;
    ScheduleEntry entry;
    EncodeEntryName("clip.jpg", entry);
    entry.playTimes = 2;
    entry.volume = 7;
    document.basicEntries = {entry};
    AdvanceSchedule schedule;
    schedule.stopHour = 1;
    EncodeEntryName("song.mp3", entry);
    schedule.details = {entry};
    document.advanceSchedules = {schedule};
    return document;
}

ScheduleBytes SmallFile()
{
    ScriptedRandom random({}, 0.3); // a key block of 147 bytes: the file stays small
    return EncodeSchedule(SmallDocument(), random).bytes;
}

// Copies the bytes into a buffer of exactly their size, so a read past the end shows under
// the address sanitizer.
ScheduleDecodeResult DecodeExact(const ScheduleBytes &bytes, std::size_t size)
{
    std::vector<std::uint8_t> exact(bytes.begin(), bytes.begin() + static_cast<long>(size));
    return DecodeSchedule(exact.data(), exact.size());
}

ScheduleBytes Header(std::uint8_t blockLength, std::uint8_t keyOffset, std::uint8_t keyLength,
                     std::uint8_t basicCount, std::uint8_t advanceCount)
{
    ScheduleBytes bytes(50, 0);
    bytes[30] = blockLength;
    bytes[32] = keyOffset;
    bytes[34] = keyLength;
    bytes[40] = basicCount;
    bytes[41] = advanceCount;
    return bytes;
}

} // namespace

TEST(ScheduleReader, EveryTruncationFailsAtTheEnd)
{
    const ScheduleBytes bytes = SmallFile();
    ASSERT_FALSE(bytes.empty());
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const ScheduleDecodeResult result = DecodeExact(bytes, size);
        ASSERT_FALSE(result.ok) << size;
        EXPECT_EQ(result.offset, size);
        EXPECT_NE(result.reason.find("the file ends at byte " + std::to_string(size)),
                  std::string::npos)
                << result.reason;
    }
    EXPECT_TRUE(DecodeExact(bytes, bytes.size()).ok);
}

TEST(ScheduleReader, BytesAfterTheLastRecordAreIgnored)
{
    ScheduleBytes bytes = SmallFile();
    bytes.insert(bytes.end(), 1000, 0xAB);
    const ScheduleDecodeResult result = DecodeSchedule(bytes);
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_TRUE(result.document.SameContentAs(SmallDocument()));
}

TEST(ScheduleReader, EverySingleBitFlipReadsCleanlyOrFailsInside)
{
    const ScheduleBytes original = SmallFile();
    int failures = 0;
    for (std::size_t offset = 0; offset < original.size(); ++offset) {
        for (int bit = 0; bit < 8; ++bit) {
            ScheduleBytes bytes = original;
            bytes[offset] ^= static_cast<std::uint8_t>(1 << bit);
            const ScheduleDecodeResult result = DecodeExact(bytes, bytes.size());
            if (result.ok)
                continue;
            ++failures;
            EXPECT_FALSE(result.reason.empty());
            EXPECT_LE(result.offset, bytes.size()) << result.reason;
            EXPECT_TRUE(result.document.SameContentAs(ScheduleDocument()));
        }
    }
    EXPECT_GT(failures, 0); // flips in the counts and key fields must be caught
}

struct CorruptCase
{
    const char *name;
    ScheduleBytes bytes;
    std::size_t offset;
    const char *reasonPart;
};

class CorruptFile : public testing::TestWithParam<CorruptCase>
{
};

TEST_P(CorruptFile, FailsWithReasonAndOffset)
{
    const CorruptCase &c = GetParam();
    const ScheduleDecodeResult result = DecodeExact(c.bytes, c.bytes.size());
    ASSERT_FALSE(result.ok);
    EXPECT_EQ(result.offset, c.offset) << result.reason;
    EXPECT_NE(result.reason.find(c.reasonPart), std::string::npos) << result.reason;
}

namespace {

ScheduleBytes WithKeyBlock(ScheduleBytes bytes, std::size_t blockLength, std::uint8_t value)
{
    bytes.insert(bytes.end(), blockLength, value);
    return bytes;
}

ScheduleBytes Append(ScheduleBytes bytes, std::initializer_list<std::uint8_t> more)
{
    bytes.insert(bytes.end(), more);
    return bytes;
}

const unsigned char PngStart[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0,    0,    0,
                                  13,   'I', 'H', 'D', 'R',  0,    0,    1,    0,    0,    0,
                                  1,    0,   8,   6,   0,    0,    0,    0x5C, 0x72, 0xA8, 0x66};

std::vector<CorruptCase> CorruptCases()
{
    const ScheduleBytes png(std::begin(PngStart), std::end(PngStart));
    const std::string text = "NERAV schedule notes\nnothing to see here\n";
    ScheduleBytes longText(text.begin(), text.end());
    while (longText.size() < 400)
        longText.insert(longText.end(), text.begin(), text.end());
    return {
            {"empty", {}, 0, "ends at byte 0 inside the header"},
            {"png", png, 33, "inside the header"},
            {"text", longText, 32, "does not lie inside the key block"},
            {"keyLengthZero", WithKeyBlock(Header(100, 0, 0, 1, 0), 100, 0), 34, "is 0"},
            {"keyPastBlock", WithKeyBlock(Header(100, 60, 41, 1, 0), 100, 0), 32,
             "does not lie inside the key block"},
            {"keyBlockShort", WithKeyBlock(Header(200, 0, 30, 1, 0), 120, 0), 170,
             "inside the key block"},
            {"storedBelowKey", Append(WithKeyBlock(Header(100, 0, 30, 1, 0), 100, 9), {50, 8}), 151,
             "stored byte 8 at offset 151 is smaller than its key byte 9"},
            {"announcedEntryMissing",
             Append(WithKeyBlock(Header(100, 0, 30, 2, 0), 100, 0), {'#', '1'}), 152,
             "basic entry 1 of 2"},
            {"announcedScheduleMissing", WithKeyBlock(Header(100, 0, 30, 0, 3), 100, 0), 150,
             "advance schedule 1 of 3"},
    };
}

} // namespace

INSTANTIATE_TEST_SUITE_P(ScheduleReader, CorruptFile, testing::ValuesIn(CorruptCases()),
                         [](const testing::TestParamInfo<CorruptCase> &info) {
                             return info.param.name;
                         });

TEST(ScheduleReader, ForeignFileWithSmallBlockReadsWhenKeyFits)
{
    // Only the writer keeps L at 100 or more; a reader takes any key that lies in its block.
    const ScheduleBytes bytes = WithKeyBlock(Header(10, 0, 1, 0, 1), 10, 0);
    const ScheduleDecodeResult result =
            DecodeSchedule(Append(bytes, {'#', '2', 7, 1, 1, 0, 0, 0, 7, 1, 2, 0, 0, 0, 7, 0, 0}));
    ASSERT_TRUE(result.ok) << result.reason;
    ASSERT_EQ(result.document.advanceCount(), 1);
    EXPECT_EQ(result.document.advanceSchedules[0].stopDay, 2);
}
