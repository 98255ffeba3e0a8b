#include "ScheduleCodec.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace nerav {

namespace {

constexpr std::size_t KeyBlockLengthOffset = 30;
constexpr std::size_t KeyOffsetOffset = 32;
constexpr std::size_t KeyLengthOffset = 34;

// A random value scaled to 0..scale and rounded to the nearest integer. A generator that
// strays outside [0, 1) is held inside it, so the ranges of the format always hold.
int RandomScaled(RandomReal &random, double scale)
{
    double r = random.next();
    if (!(r >= 0.0))
        r = 0.0;
    if (r >= 1.0)
        r = std::nextafter(1.0, 0.0);
    return static_cast<int>(std::floor(r * scale + 0.5));
}

std::uint8_t HeaderFiller(RandomReal &random)
{
    return static_cast<std::uint8_t>(RandomScaled(random, 255));
}

std::uint8_t BodyFiller(RandomReal &random)
{
    return static_cast<std::uint8_t>(RandomScaled(random, 127));
}

// Scrambles body bytes into the file with one running key index.
class BodyWriter
{
public:
    BodyWriter(ScheduleBytes &bytes, const std::vector<std::uint8_t> &key)
        : m_bytes(bytes), m_key(key)
    {
    }

    void Write(std::uint8_t plainByte)
    {
        if (!m_failure.empty())
            return;
        const std::uint8_t keyByte = m_key[static_cast<std::size_t>(m_keyIndex)];
        const std::optional<std::uint8_t> stored =
                ScrambleByte(plainByte, keyByte, static_cast<int>(m_key.size()), m_keyIndex);
        if (!stored) {
            FailOverflow(plainByte, keyByte);
            return;
        }
        m_bytes.push_back(*stored);
    }

    // A whole record at once; byte by byte only when a byte overflows, to report it where it is.
    template<std::size_t N>
    void Write(const std::array<std::uint8_t, N> &record)
    {
        if (m_failure.empty()) {
            std::array<std::uint8_t, N> stored;
            int keyIndex = m_keyIndex;
            bool overflow = false;
            for (std::size_t n = 0; n < N; ++n) {
                const int sum = record[n] + m_key[static_cast<std::size_t>(keyIndex)];
                overflow |= sum > 255;
                stored[n] = static_cast<std::uint8_t>(sum);
                if (++keyIndex >= static_cast<int>(m_key.size()))
                    keyIndex = 0;
            }
            if (!overflow) {
                m_bytes.insert(m_bytes.end(), stored.begin(), stored.end());
                m_keyIndex = keyIndex;
                return;
            }
        }
        for (std::uint8_t byte : record)
            Write(byte);
    }

    void WriteEntry(const ScheduleEntry &entry, RandomReal &random)
    {
        std::array<std::uint8_t, EntryRecordSize> record;
        auto next = std::copy(entry.fileName.begin(), entry.fileName.end(), record.begin());
        next = std::copy(entry.fileExt.begin(), entry.fileExt.end(), next);
        *next++ = entry.playTimes;
        next = std::copy(entry.reserved.begin(), entry.reserved.end(), next);
        *next++ = entry.volume;
        *next++ = BodyFiller(random);
        *next = BodyFiller(random);
        Write(record);
    }

    const std::string &failure() const { return m_failure; }

private:
    // Messages are built out of line, so the per-byte path stays small.
    [[gnu::cold, gnu::noinline]] void FailOverflow(std::uint8_t plainByte, std::uint8_t keyByte)
    {
        m_failure = "the byte " + std::to_string(plainByte) + " at file offset " +
                std::to_string(m_bytes.size()) + " plus its key byte " + std::to_string(keyByte) +
                " exceeds 255: the schedule holds a character the player cannot read";
    }

    ScheduleBytes &m_bytes;
    const std::vector<std::uint8_t> &m_key;
    int m_keyIndex = 0;
    std::string m_failure;
};

std::string CountProblem(const ScheduleDocument &document)
{
    if (document.basicEntries.size() > MaxCountInFile)
        return "the schedule has " + std::to_string(document.basicEntries.size()) +
                " basic entries; a schedule file holds at most 255";
    if (document.advanceSchedules.size() > MaxCountInFile)
        return "the schedule has " + std::to_string(document.advanceSchedules.size()) +
                " advance schedules; a schedule file holds at most 255";
    for (std::size_t i = 0; i < document.advanceSchedules.size(); ++i) {
        const std::size_t count = document.advanceSchedules[i].details.size();
        if (count > MaxCountInFile)
            return "advance schedule " + std::to_string(i + 1) + " has " + std::to_string(count) +
                    " entries; a schedule file holds at most 255";
    }
    return {};
}

void WriteHeader(ScheduleBytes &bytes, const ScheduleDocument &document, RandomReal &random,
                 int &blockLength, int &keyOffset, int &keyLength)
{
    bytes.insert(bytes.end(), ScheduleMagic, ScheduleMagic + 5);
    bytes.insert(bytes.end(), ScheduleVersion, ScheduleVersion + 20);
    for (int n = 0; n < 5; ++n)
        bytes.push_back(HeaderFiller(random));
    blockLength = RandomScaled(random, 155) + 100;
    keyOffset = RandomScaled(random, blockLength - 50);
    keyLength = RandomScaled(random, 20) + 30;
    for (int value : {blockLength, keyOffset, keyLength}) {
        bytes.push_back(static_cast<std::uint8_t>(value));
        bytes.push_back(HeaderFiller(random));
    }
    for (int n = 0; n < 4; ++n)
        bytes.push_back(HeaderFiller(random));
    bytes.push_back(static_cast<std::uint8_t>(document.basicEntries.size()));
    bytes.push_back(static_cast<std::uint8_t>(document.advanceSchedules.size()));
    for (int n = 0; n < 8; ++n)
        bytes.push_back(HeaderFiller(random));
}

std::vector<std::uint8_t> WriteKeyBlock(ScheduleBytes &bytes, RandomReal &random, int blockLength,
                                        int keyOffset, int keyLength)
{
    std::vector<std::uint8_t> key;
    for (int p = 0; p < blockLength; ++p) {
        const std::uint8_t byte = BodyFiller(random);
        if (p >= keyOffset && p < keyOffset + keyLength)
            key.push_back(byte);
        bytes.push_back(byte);
    }
    return key;
}

void WriteBody(BodyWriter &body, const ScheduleDocument &document, RandomReal &random)
{
    if (!document.basicEntries.empty()) {
        body.Write('#');
        body.Write('1');
        for (const ScheduleEntry &entry : document.basicEntries)
            body.WriteEntry(entry, random);
    }
    for (const AdvanceSchedule &schedule : document.advanceSchedules) {
        for (std::uint8_t byte :
             {std::uint8_t('#'), std::uint8_t('2'), schedule.startYear, schedule.startMonth,
              schedule.startDay, schedule.startHour, schedule.startMinute, schedule.startSecond,
              schedule.stopYear, schedule.stopMonth, schedule.stopDay, schedule.stopHour,
              schedule.stopMinute, schedule.stopSecond, schedule.weekDay})
            body.Write(byte);
        body.Write(BodyFiller(random));
        body.Write(static_cast<std::uint8_t>(schedule.details.size()));
        for (const ScheduleEntry &entry : schedule.details)
            body.WriteEntry(entry, random);
    }
}

// Reads a file's bytes front to back without ever passing their end; the first problem stops
// it and is kept with its offset.
class ByteReader
{
public:
    ByteReader(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) { }

    bool failed() const { return !m_reason.empty(); }
    std::size_t position() const { return m_position; }
    const std::string &reason() const { return m_reason; }
    std::size_t failureOffset() const { return m_failureOffset; }

    void Fail(const std::string &reason, std::size_t offset)
    {
        if (failed())
            return;
        m_reason = reason;
        m_failureOffset = offset;
    }

    // What is being read, for the message when the file ends too early.
    void SetPart(std::string part)
    {
        m_part = std::move(part);
        m_entry = 0;
    }

    // Entry n of count, of advance schedule `schedule` of scheduleCount (0: a basic entry).
    // Kept as numbers and spelled out only for a message: a file holds up to some 25,000 entries.
    void SetEntryPart(std::size_t entry, std::size_t count, std::size_t schedule,
                      std::size_t scheduleCount)
    {
        m_entry = entry;
        m_entryCount = count;
        m_schedule = schedule;
        m_scheduleCount = scheduleCount;
    }

    std::string Part() const
    {
        if (m_entry == 0)
            return m_part;
        const std::string entry =
                "entry " + std::to_string(m_entry) + " of " + std::to_string(m_entryCount);
        if (m_schedule == 0)
            return "basic " + entry;
        return entry + " of advance schedule " + std::to_string(m_schedule) + " of " +
                std::to_string(m_scheduleCount);
    }

    std::uint8_t Plain()
    {
        if (failed())
            return 0;
        if (m_position >= m_size) {
            FailAtEnd();
            return 0;
        }
        return m_data[m_position++];
    }

    void Skip(std::size_t count)
    {
        for (std::size_t n = 0; n < count && !failed(); ++n)
            Plain();
    }

    void SetKey(std::vector<std::uint8_t> key) { m_key = std::move(key); }

    std::uint8_t Unscrambled()
    {
        const std::size_t offset = m_position;
        const std::uint8_t stored = Plain();
        if (failed())
            return 0;
        const std::uint8_t keyByte = m_key[static_cast<std::size_t>(m_keyIndex)];
        const std::optional<std::uint8_t> plain =
                UnscrambleByte(stored, keyByte, static_cast<int>(m_key.size()), m_keyIndex);
        if (!plain) {
            FailBelowKey(stored, offset, keyByte);
            return 0;
        }
        return *plain;
    }

    // A whole record at once when it lies inside the file and no stored byte is below its key
    // byte (every file the program writes); otherwise byte by byte, to report the problem where
    // it is.
    template<std::size_t N>
    void Unscrambled(std::array<std::uint8_t, N> &record)
    {
        if (!failed() && m_size - m_position >= N) {
            const std::uint8_t *stored = m_data + m_position;
            int keyIndex = m_keyIndex;
            bool belowKey = false;
            for (std::size_t n = 0; n < N; ++n) {
                const std::uint8_t keyByte = m_key[static_cast<std::size_t>(keyIndex)];
                belowKey |= stored[n] < keyByte;
                record[n] = static_cast<std::uint8_t>(stored[n] - keyByte);
                if (++keyIndex >= static_cast<int>(m_key.size()))
                    keyIndex = 0;
            }
            if (!belowKey) {
                m_position += N;
                m_keyIndex = keyIndex;
                return;
            }
        }
        for (std::uint8_t &byte : record)
            byte = Unscrambled();
    }

private:
    // Messages are built out of line, so the per-byte paths stay small.
    [[gnu::cold, gnu::noinline]] void FailAtEnd()
    {
        Fail("the file ends at byte " + std::to_string(m_size) + " inside " + Part(), m_size);
    }

    [[gnu::cold, gnu::noinline]] void FailBelowKey(std::uint8_t stored, std::size_t offset,
                                                   std::uint8_t keyByte)
    {
        Fail("the stored byte " + std::to_string(stored) + " at offset " + std::to_string(offset) +
                     " is smaller than its key byte " + std::to_string(keyByte) + " (in " + Part() +
                     ")",
             offset);
    }

    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
    std::vector<std::uint8_t> m_key;
    int m_keyIndex = 0;
    std::string m_part = "the header";
    std::size_t m_entry = 0;
    std::size_t m_entryCount = 0;
    std::size_t m_schedule = 0;
    std::size_t m_scheduleCount = 0;
    std::string m_reason;
    std::size_t m_failureOffset = 0;
};

template<std::size_t N>
const std::uint8_t *CopyField(const std::uint8_t *from, std::array<std::uint8_t, N> &field)
{
    std::copy(from, from + N, field.begin());
    return from + N;
}

ScheduleEntry ReadEntry(ByteReader &reader)
{
    std::array<std::uint8_t, EntryRecordSize> record;
    reader.Unscrambled(record);
    ScheduleEntry entry;
    const std::uint8_t *next = CopyField(record.data(), entry.fileName);
    next = CopyField(next, entry.fileExt);
    entry.playTimes = *next++;
    next = CopyField(next, entry.reserved);
    entry.volume = *next; // two filler bytes follow
    return entry;
}

AdvanceSchedule ReadAdvanceHeader(ByteReader &reader, std::size_t &detailCount)
{
    AdvanceSchedule schedule;
    reader.Unscrambled();
    reader.Unscrambled();
    for (std::uint8_t *field :
         {&schedule.startYear, &schedule.startMonth, &schedule.startDay, &schedule.startHour,
          &schedule.startMinute, &schedule.startSecond, &schedule.stopYear, &schedule.stopMonth,
          &schedule.stopDay, &schedule.stopHour, &schedule.stopMinute, &schedule.stopSecond,
          &schedule.weekDay})
        *field = reader.Unscrambled();
    reader.Unscrambled();
    detailCount = reader.Unscrambled();
    return schedule;
}

// Reads the key block and checks that the key lies inside it.
void ReadKey(ByteReader &reader, std::size_t blockLength, std::size_t keyOffset,
             std::size_t keyLength)
{
    if (keyLength == 0) {
        reader.Fail("the key length at offset 34 is 0", KeyLengthOffset);
        return;
    }
    if (keyOffset + keyLength > blockLength) {
        reader.Fail("the key (position " + std::to_string(keyOffset) + ", length " +
                            std::to_string(keyLength) + ") does not lie inside the key block of " +
                            std::to_string(blockLength) + " bytes",
                    KeyOffsetOffset);
        return;
    }
    reader.SetPart("the key block");
    std::vector<std::uint8_t> block;
    for (std::size_t p = 0; p < blockLength && !reader.failed(); ++p)
        block.push_back(reader.Plain());
    if (reader.failed())
        return;
    std::vector<std::uint8_t> key(block.begin() + static_cast<std::ptrdiff_t>(keyOffset),
                                  block.begin() +
                                          static_cast<std::ptrdiff_t>(keyOffset + keyLength));
    reader.SetKey(std::move(key));
}

void ReadBody(ByteReader &reader, ScheduleDocument &document, std::size_t basicCount,
              std::size_t advanceCount)
{
    if (basicCount > 0) {
        reader.SetPart("the basic marker");
        reader.Unscrambled();
        reader.Unscrambled();
    }
    document.basicEntries.reserve(basicCount);
    for (std::size_t n = 0; n < basicCount && !reader.failed(); ++n) {
        reader.SetEntryPart(n + 1, basicCount, 0, 0);
        document.basicEntries.push_back(ReadEntry(reader));
    }
    for (std::size_t s = 0; s < advanceCount && !reader.failed(); ++s) {
        reader.SetPart("the header of advance schedule " + std::to_string(s + 1) + " of " +
                       std::to_string(advanceCount));
        std::size_t detailCount = 0;
        AdvanceSchedule schedule = ReadAdvanceHeader(reader, detailCount);
        schedule.details.reserve(detailCount);
        for (std::size_t n = 0; n < detailCount && !reader.failed(); ++n) {
            reader.SetEntryPart(n + 1, detailCount, s + 1, advanceCount);
            schedule.details.push_back(ReadEntry(reader));
        }
        document.advanceSchedules.push_back(std::move(schedule));
    }
}

} // namespace

std::optional<std::uint8_t> ScrambleByte(std::uint8_t plainByte, std::uint8_t keyByte,
                                         int keyLength, int &keyIndex)
{
    if (++keyIndex >= keyLength)
        keyIndex = 0;
    const int sum = plainByte + keyByte;
    if (sum > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(sum);
}

std::optional<std::uint8_t> UnscrambleByte(std::uint8_t storedByte, std::uint8_t keyByte,
                                           int keyLength, int &keyIndex)
{
    if (++keyIndex >= keyLength)
        keyIndex = 0;
    if (storedByte < keyByte)
        return std::nullopt;
    return static_cast<std::uint8_t>(storedByte - keyByte);
}

ScheduleEncodeResult EncodeSchedule(const ScheduleDocument &document, RandomReal &random)
{
    ScheduleEncodeResult result;
    const std::string countProblem = CountProblem(document);
    if (!countProblem.empty()) {
        result.reason = countProblem;
        return result;
    }
    int blockLength = 0;
    int keyOffset = 0;
    int keyLength = 0;
    WriteHeader(result.bytes, document, random, blockLength, keyOffset, keyLength);
    result.bytes.reserve(ScheduleFileLength(document, static_cast<std::size_t>(blockLength)));
    const std::vector<std::uint8_t> key =
            WriteKeyBlock(result.bytes, random, blockLength, keyOffset, keyLength);
    BodyWriter body(result.bytes, key);
    WriteBody(body, document, random);
    if (!body.failure().empty()) {
        result.reason = body.failure();
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}

ScheduleDecodeResult DecodeSchedule(const std::uint8_t *data, std::size_t size)
{
    ScheduleDecodeResult result;
    ByteReader reader(data, size);
    reader.Skip(KeyBlockLengthOffset);
    const std::size_t blockLength = reader.Plain();
    reader.Skip(1);
    const std::size_t keyOffset = reader.Plain();
    reader.Skip(1);
    const std::size_t keyLength = reader.Plain();
    reader.Skip(1 + 4);
    const std::size_t basicCount = reader.Plain();
    const std::size_t advanceCount = reader.Plain();
    reader.Skip(8);
    if (!reader.failed())
        ReadKey(reader, blockLength, keyOffset, keyLength);
    ScheduleDocument document;
    document.advanceSchedules.reserve(advanceCount);
    if (!reader.failed())
        ReadBody(reader, document, basicCount, advanceCount);
    if (reader.failed()) {
        result.reason = reader.reason();
        result.offset = reader.failureOffset();
        return result;
    }
    result.ok = true;
    result.document = std::move(document);
    return result;
}

ScheduleDecodeResult DecodeSchedule(const ScheduleBytes &bytes)
{
    return DecodeSchedule(bytes.data(), bytes.size());
}

std::size_t ScheduleFileLength(const ScheduleDocument &document, std::size_t blockLength)
{
    std::size_t length = ScheduleHeaderSize + blockLength;
    if (!document.basicEntries.empty())
        length += 2 + EntryRecordSize * document.basicEntries.size();
    for (const AdvanceSchedule &schedule : document.advanceSchedules)
        length += AdvanceHeaderSize + EntryRecordSize * schedule.details.size();
    return length;
}

} // namespace nerav
