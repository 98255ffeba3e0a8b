#pragma once

// The schedule file's bytes: a plain 50-byte header, a random key block that hides the key, and
// a body in which every byte has a key byte added to it. Works on bytes only, so the format can
// be built, tested and fuzzed without any file system or Qt.

#include "RandomReal.h"
#include "ScheduleDocument.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nerav {

using ScheduleBytes = std::vector<std::uint8_t>;

constexpr char ScheduleMagic[] = "NERAV";
constexpr char ScheduleVersion[] = "0100KERNEL0000061018";
constexpr std::size_t ScheduleHeaderSize = 50;
constexpr std::size_t EntryRecordSize = 30;
constexpr std::size_t AdvanceHeaderSize = 17;
constexpr std::size_t MaxCountInFile = 255; // counts are stored as one byte each

// The largest file a schedule can take: the longest key block, 255 basic entries and 255
// advance schedules of 255 entries each. Readers need never read more than this.
constexpr std::size_t MaxScheduleFileSize = ScheduleHeaderSize + 255 + 2 +
        EntryRecordSize * MaxCountInFile +
        MaxCountInFile * (AdvanceHeaderSize + EntryRecordSize * MaxCountInFile);

// Adds the key byte to a plain body byte and advances the key index, which wraps to 0 at K.
// No value when the sum does not fit a byte.
std::optional<std::uint8_t> ScrambleByte(std::uint8_t plainByte, std::uint8_t keyByte,
                                         int keyLength, int &keyIndex);

// Subtracts the key byte from a stored body byte and advances the key index like ScrambleByte.
// No value when the stored byte is smaller than the key byte.
std::optional<std::uint8_t> UnscrambleByte(std::uint8_t storedByte, std::uint8_t keyByte,
                                           int keyLength, int &keyIndex);

struct ScheduleEncodeResult
{
    bool ok = false;
    ScheduleBytes bytes; // the whole file on success
    std::string reason; // why not, on failure
};

struct ScheduleDecodeResult
{
    bool ok = false;
    ScheduleDocument document; // the content read, on success; empty otherwise
    std::string reason; // what is wrong, on failure
    std::size_t offset = 0; // byte offset of the problem, on failure
};

// The file for a document, with a new key and new filler drawn from random.
ScheduleEncodeResult EncodeSchedule(const ScheduleDocument &document, RandomReal &random);

// A new document read from a file's bytes. Never reads outside the bytes given; bytes after
// the last record are ignored.
ScheduleDecodeResult DecodeSchedule(const std::uint8_t *data, std::size_t size);
ScheduleDecodeResult DecodeSchedule(const ScheduleBytes &bytes);

// Length of the file EncodeSchedule writes for a document with a key block of blockLength bytes.
std::size_t ScheduleFileLength(const ScheduleDocument &document, std::size_t blockLength);

} // namespace nerav
