// The schedule file's byte layout and scramble, with the writer's random values chosen.

#include "ScheduleCodec.h"
#include "ScheduleRules.h"
#include "ScriptedRandom.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace nerav;

namespace {

ScheduleEntry Entry(const std::string &name, std::uint8_t playTimes = 1,
                    std::uint8_t volume = DefaultVolume)
{
    ScheduleEntry entry;
    EXPECT_TRUE(EncodeEntryName(name, entry)) << name;
    entry.playTimes = playTimes;
    entry.volume = volume;
    return entry;
}

AdvanceSchedule Schedule(std::vector<ScheduleEntry> details, std::uint8_t weekDay = 3)
{
    AdvanceSchedule schedule;
    schedule.startYear = 6;
    schedule.startMonth = 12;
    schedule.startDay = 28;
    schedule.stopYear = 7;
    schedule.stopMonth = 1;
    schedule.stopDay = 5;
    schedule.stopHour = 23;
    schedule.stopMinute = 59;
    schedule.stopSecond = 59;
    schedule.weekDay = weekDay;
    schedule.details = std::move(details);
    return schedule;
}

// Draws that give key block length L, key position O and key length K, the key block byte
// blockByte(p) at each position p, and zero for every filler.
ScriptedRandom Script(int blockLength, int keyOffset, int keyLength,
                      const std::function<int(int)> &blockByte)
{
    std::deque<double> script(5, 0.0);
    script.push_back(ScriptedRandom::For(blockLength - 100, 155));
    script.push_back(ScriptedRandom::For(keyOffset, blockLength - 50));
    script.push_back(ScriptedRandom::For(keyLength - 30, 20));
    script.insert(script.end(), 3 + 4 + 8, 0.0);
    for (int p = 0; p < blockLength; ++p)
        script.push_back(ScriptedRandom::For(blockByte(p), 127));
    return ScriptedRandom(script, 0.0);
}

ScheduleBytes Encode(const ScheduleDocument &document, RandomReal &random)
{
    const ScheduleEncodeResult result = EncodeSchedule(document, random);
    EXPECT_TRUE(result.ok) << result.reason;
    return result.bytes;
}

ScheduleDocument TwoKindsDocument()
{
    ScheduleDocument document;
    document.basicEntries = {Entry("clip.jpg", 1, 5), Entry("1234567890123456.JPEG", 100, 12)};
    document.advanceSchedules = {
            Schedule({Entry("a.b.c", 0, 0)}),
            Schedule({Entry("song.mp3", 3), Entry("clip.", 2), Entry(".avi", 9)}, EveryDay)};
    return document;
}

} // namespace

TEST(ScheduleCodec, WorkedExample)
{
    const int key[] = {5, 100, 17};
    ScriptedRandom random = Script(100, 0, 30, [&](int p) { return p < 3 ? key[p] : 0; });
    ScheduleDocument document;
    document.basicEntries = {Entry("a.jpg")};

    const ScheduleBytes bytes = Encode(document, random);

    ASSERT_GT(bytes.size(), 153u);
    EXPECT_EQ(bytes[150], 0x28);
    EXPECT_EQ(bytes[151], 0x95);
    EXPECT_EQ(bytes[152], 0x52);
    EXPECT_EQ(bytes[153], 0x00); // the second name byte is 0 and key[3] is 0
}

TEST(ScheduleCodec, HeaderHoldsMagicVersionAndCounts)
{
    SeededRandom random(7);
    const ScheduleBytes bytes = Encode(TwoKindsDocument(), random);

    EXPECT_EQ(0, std::memcmp(bytes.data(), "NERAV0100KERNEL0000061018", 25));
    EXPECT_EQ(bytes[40], 2);
    EXPECT_EQ(bytes[41], 2);
    EXPECT_GE(bytes[30], 100);
    EXPECT_LE(bytes[32], bytes[30] - 50);
    EXPECT_GE(bytes[34], 30);
    EXPECT_LE(bytes[34], 50);
    for (int p = 0; p < bytes[30]; ++p)
        EXPECT_LE(bytes[50 + p], 127) << "key block byte " << p;
}

TEST(ScheduleCodec, KeyPositionAndBodyOffset)
{
    // Block byte p is p % 100 + 1, so the key is 38, 39, ... from position 37 on.
    ScriptedRandom random = Script(120, 37, 42, [](int p) { return p % 100 + 1; });
    ScheduleDocument document;
    document.basicEntries = {Entry("abcdefghijklmnop.jpg"), Entry("qrstuvwxyzabcdef.mp3")};

    const ScheduleBytes bytes = Encode(document, random);

    EXPECT_EQ(bytes[30], 120);
    EXPECT_EQ(bytes[32], 37);
    EXPECT_EQ(bytes[34], 42);
    EXPECT_EQ(bytes[87], 38); // key[0]
    EXPECT_EQ(bytes[128], 79); // key[41]
    EXPECT_EQ(bytes[170], '#' + 38);
    EXPECT_EQ(bytes[171], '1' + 39);
    // Body byte 41 uses key[41]; body byte 42 wraps to key[0]. They are name bytes 9, 10 and 11
    // of the second entry, which starts at body byte 32.
    EXPECT_EQ(bytes[170 + 41], 'Z' + 79);
    EXPECT_EQ(bytes[170 + 42], 'A' + 38);
    EXPECT_EQ(bytes[170 + 43], 'B' + 39);
}

TEST(ScheduleCodec, ScrambleByteWrapsKeyIndexAtKeyLength)
{
    int keyIndex = 40;
    EXPECT_EQ(ScrambleByte(10, 20, 42, keyIndex), std::optional<std::uint8_t>(30));
    EXPECT_EQ(keyIndex, 41);
    EXPECT_EQ(UnscrambleByte(30, 20, 42, keyIndex), std::optional<std::uint8_t>(10));
    EXPECT_EQ(keyIndex, 0);
    EXPECT_EQ(ScrambleByte(128, 127, 42, keyIndex), std::optional<std::uint8_t>(255));
    EXPECT_EQ(ScrambleByte(129, 127, 42, keyIndex), std::nullopt);
    EXPECT_EQ(UnscrambleByte(4, 5, 42, keyIndex), std::nullopt);
    keyIndex = 0;
    UnscrambleByte(9, 1, 0, keyIndex); // a key length of 0 must not run the index away
    EXPECT_EQ(keyIndex, 0);
}

TEST(ScheduleCodec, NoBasicMarkerWithoutBasicEntries)
{
    ScriptedRandom random = Script(100, 10, 30, [](int p) { return p; });
    ScheduleDocument document;
    document.advanceSchedules = {Schedule({Entry("x.jpg")})};

    const ScheduleBytes bytes = Encode(document, random);

    EXPECT_EQ(bytes[40], 0);
    EXPECT_EQ(bytes[150], '#' + 10);
    EXPECT_EQ(bytes[151], '2' + 11);
    EXPECT_EQ(bytes[152], 6 + 12); // startYear
    EXPECT_EQ(bytes.size(), 50u + 100 + 17 + 30);
}

TEST(ScheduleCodec, BasicEntriesOnlyEndAfterLastEntry)
{
    SeededRandom random(3);
    ScheduleDocument document;
    document.basicEntries = {Entry("a.jpg"), Entry("b.jpg"), Entry("c.jpg")};

    const ScheduleBytes bytes = Encode(document, random);

    EXPECT_EQ(bytes.size(), 50u + bytes[30] + 2 + 3 * 30);
    const ScheduleDecodeResult read = DecodeSchedule(bytes);
    ASSERT_TRUE(read.ok) << read.reason;
    EXPECT_TRUE(read.document.SameContentAs(document));
}

TEST(ScheduleCodec, AdvanceScheduleWithoutEntriesIsItsHeaderAlone)
{
    SeededRandom random(4);
    ScheduleDocument document;
    document.advanceSchedules = {Schedule({}), Schedule({Entry("y.mp3")}), Schedule({})};

    const ScheduleBytes bytes = Encode(document, random);

    EXPECT_EQ(bytes.size(), 50u + bytes[30] + 17 + 17 + 30 + 17);
    const ScheduleDecodeResult read = DecodeSchedule(bytes);
    ASSERT_TRUE(read.ok) << read.reason;
    EXPECT_TRUE(read.document.SameContentAs(document));
}

TEST(ScheduleCodec, FileLengthFormula)
{
    SeededRandom random(5);
    const ScheduleDocument document = TwoKindsDocument();
    for (int save = 0; save < 20; ++save) {
        const ScheduleBytes bytes = Encode(document, random);
        EXPECT_EQ(bytes.size(), 50u + bytes[30] + (2 + 2 * 30) + (17 + 30) + (17 + 3 * 30));
        EXPECT_EQ(bytes.size(), ScheduleFileLength(document, bytes[30]));
    }
}

TEST(ScheduleCodec, TwoSavesDifferButReadBackTheSame)
{
    SeededRandom first(11);
    SeededRandom second(12);
    ScheduleDocument document = TwoKindsDocument();
    document.basicEntries[0].reserved = {1, 2, 3, 4, 5, 6}; // kept as stored

    const ScheduleBytes a = Encode(document, first);
    const ScheduleBytes b = Encode(document, second);

    EXPECT_NE(a, b);
    EXPECT_EQ(0, std::memcmp(a.data(), b.data(), 25));
    EXPECT_EQ(a[40], b[40]);
    EXPECT_EQ(a[41], b[41]);
    const ScheduleDecodeResult readA = DecodeSchedule(a);
    const ScheduleDecodeResult readB = DecodeSchedule(b);
    ASSERT_TRUE(readA.ok && readB.ok);
    EXPECT_TRUE(readA.document.SameContentAs(document));
    EXPECT_TRUE(readB.document.SameContentAs(document));
}

TEST(ScheduleCodec, RandomDrawsAtTheEdgesStayInRange)
{
    // Draws just below 1 give the largest values; draws a faulty generator might give outside
    // [0, 1) are held inside it.
    for (double draw : {0.0, 0.999999, 1.0, 7.5, -3.0}) {
        ScriptedRandom random({}, draw);
        const ScheduleBytes bytes = Encode(TwoKindsDocument(), random);
        ASSERT_FALSE(bytes.empty());
        const int blockLength = bytes[30];
        EXPECT_GE(blockLength, 100);
        EXPECT_LE(bytes[32], blockLength - 50);
        EXPECT_GE(bytes[34], 30);
        EXPECT_LE(bytes[34], 50);
        const ScheduleDecodeResult read = DecodeSchedule(bytes);
        ASSERT_TRUE(read.ok) << draw << ": " << read.reason;
        EXPECT_TRUE(read.document.SameContentAs(TwoKindsDocument()));
    }
    ScriptedRandom top({}, 0.999999);
    const ScheduleBytes bytes = Encode(TwoKindsDocument(), top);
    EXPECT_EQ(bytes[30], 255);
    EXPECT_EQ(bytes[32], 205);
    EXPECT_EQ(bytes[34], 50);
    EXPECT_EQ(bytes[25], 255);
    EXPECT_EQ(bytes[50], 127);
}

TEST(ScheduleCodec, EveryByteValueTheFileCanCarryReadsBack)
{
    SeededRandom random(21);
    ScheduleDocument document;
    for (int value = 0; value <= 128; ++value) {
        ScheduleEntry entry;
        entry.fileName.fill(static_cast<std::uint8_t>(value));
        entry.fileExt.fill(static_cast<std::uint8_t>(128 - value));
        entry.reserved.fill(static_cast<std::uint8_t>(value / 2));
        entry.playTimes = static_cast<std::uint8_t>(value);
        entry.volume = static_cast<std::uint8_t>(128 - value);
        document.basicEntries.push_back(entry);
    }
    const ScheduleDecodeResult read = DecodeSchedule(Encode(document, random));
    ASSERT_TRUE(read.ok) << read.reason;
    EXPECT_TRUE(read.document.SameContentAs(document));
}

TEST(ScheduleCodec, BodyByteThatDoesNotFitFailsToEncode)
{
    ScriptedRandom random({}, 0.999999); // every key byte 127
    ScheduleDocument document;
    document.basicEntries = {Entry("a.jpg")};
    document.basicEntries[0].fileName[3] = 200; // only a foreign file holds such a byte

    const ScheduleEncodeResult result = EncodeSchedule(document, random);

    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.bytes.empty());
    EXPECT_NE(result.reason.find("200"), std::string::npos) << result.reason;
}

TEST(ScheduleCodec, CountsAboveWhatAFileCarriesFailToEncode)
{
    SeededRandom random(1);
    ScheduleDocument basic;
    basic.basicEntries.resize(256);
    ScheduleDocument details;
    details.advanceSchedules = {Schedule({}), Schedule(std::vector<ScheduleEntry>(300))};

    const ScheduleEncodeResult tooManyBasic = EncodeSchedule(basic, random);
    const ScheduleEncodeResult tooManyDetails = EncodeSchedule(details, random);

    EXPECT_FALSE(tooManyBasic.ok);
    EXPECT_NE(tooManyBasic.reason.find("256 basic entries"), std::string::npos);
    EXPECT_FALSE(tooManyDetails.ok);
    EXPECT_NE(tooManyDetails.reason.find("advance schedule 2"), std::string::npos);
}

TEST(ScheduleCodec, LargestScheduleFitsTheReadLimit)
{
    // The longest key block, and a key of zeros: a count of 255 fits only under a small key byte.
    ScriptedRandom random(std::deque<double>(5 + 3 + 3 + 4 + 8, 0.999999), 0.0);
    ScheduleDocument document;
    document.basicEntries.resize(255);
    document.advanceSchedules.assign(255, Schedule(std::vector<ScheduleEntry>(255)));

    const ScheduleBytes bytes = Encode(document, random);

    EXPECT_EQ(bytes.size(), MaxScheduleFileSize);
    EXPECT_TRUE(DecodeSchedule(bytes).ok);
}
