// The player's file-name rule, the editor's calendar and date/time order, the pre-save checks.

#include "ScheduleRules.h"

#include <gtest/gtest.h>

using namespace nerav;

namespace {

std::string Field(const std::uint8_t *bytes, std::size_t size)
{
    return std::string(reinterpret_cast<const char *>(bytes), size);
}

struct NameCase
{
    const char *text;
    bool accepted;
    const char *base; // stored base, up to 16 bytes
    const char *ext;
};

class FileNameRule : public testing::TestWithParam<NameCase>
{
};

} // namespace

TEST_P(FileNameRule, AcceptsAndStores)
{
    const NameCase &c = GetParam();
    ScheduleEntry entry;
    entry.fileName.fill('Q'); // a longer name stored before is cleared
    entry.fileExt.fill('Q');
    const ScheduleEntry before = entry;

    EXPECT_EQ(FileNameAccepted(c.text), c.accepted);
    ASSERT_EQ(EncodeEntryName(c.text, entry), c.accepted);
    if (!c.accepted) {
        EXPECT_EQ(entry, before);
        return;
    }
    std::string base(c.base);
    std::string ext(c.ext);
    base.resize(16, '\0');
    ext.resize(4, '\0');
    EXPECT_EQ(Field(entry.fileName.data(), 16), base);
    EXPECT_EQ(Field(entry.fileExt.data(), 4), ext);
    EXPECT_EQ(DecodeEntryName(entry), std::string(c.base) + "." + c.ext);
}

INSTANTIATE_TEST_SUITE_P(
        Names, FileNameRule,
        testing::Values(NameCase {"clip.jpg", true, "CLIP", "JPG"},
                        NameCase {"  clip.jpg  ", true, "CLIP", "JPG"},
                        NameCase {"", false, "", ""}, NameCase {"   ", false, "", ""},
                        NameCase {"1234567890123456.jpeg", true, "1234567890123456", "JPEG"},
                        NameCase {"12345678901234567.jpg", false, "", ""},
                        NameCase {"12345678901234567", false, "", ""},
                        NameCase {"1234567890123456", true, "1234567890123456", ""},
                        NameCase {"clip.mpeg4", false, "", ""},
                        NameCase {"my clip.jpg", false, "", ""},
                        NameCase {"clip(1).jpg", false, "", ""},
                        NameCase {"caf\xc3\xa9.jpg", false, "", ""},
                        NameCase {"a.b.c", true, "A.B", "C"}, NameCase {"clip.", true, "CLIP", ""},
                        NameCase {".jpg", true, "", "JPG"}, NameCase {".", true, "", ""},
                        NameCase {"Under_score-9.Mp3", true, "UNDER_SCORE-9", "MP3"},
                        NameCase {"tab\t.jpg", false, "", ""}));

namespace {

struct ReasonCase
{
    const char *text;
    FileNameProblem problem;
    std::size_t position; // of the first foreign character, in the text as given
};

class FileNameReason : public testing::TestWithParam<ReasonCase>
{
};

} // namespace

TEST_P(FileNameReason, NamesTheBrokenRule)
{
    const ReasonCase &c = GetParam();
    const FileNameCheck check = CheckFileNameRule(c.text);
    EXPECT_EQ(check.problem, c.problem);
    if (c.problem == FileNameProblem::ForeignCharacter) {
        EXPECT_EQ(check.position, c.position);
    }
    EXPECT_EQ(bool(check), FileNameAccepted(c.text));
}

INSTANTIATE_TEST_SUITE_P(
        Reasons, FileNameReason,
        testing::Values(ReasonCase {"clip.jpg", FileNameProblem::None, 0},
                        ReasonCase {"", FileNameProblem::Empty, 0},
                        ReasonCase {"   ", FileNameProblem::Empty, 0},
                        ReasonCase {"1234567890123456.jpeg", FileNameProblem::None, 0},
                        ReasonCase {"12345678901234567.jpg", FileNameProblem::BaseTooLong, 0},
                        ReasonCase {"12345678901234567", FileNameProblem::BaseTooLong, 0},
                        ReasonCase {"clip.mpeg4", FileNameProblem::ExtensionTooLong, 0},
                        ReasonCase {"  my clip.jpg", FileNameProblem::ForeignCharacter, 4},
                        ReasonCase {"clip(1).jpg", FileNameProblem::ForeignCharacter, 4},
                        ReasonCase {"caf\xc3\xa9.jpg", FileNameProblem::ForeignCharacter, 3},
                        // A foreign character is told before a length.
                        ReasonCase {"12345678901234567~.mpeg4", FileNameProblem::ForeignCharacter,
                                    17}));

TEST(FileNameRule, DecodeStopsAtFirstZeroAndDisplayClosesUp)
{
    ScheduleEntry entry;
    entry.fileName = {'A', 'B', 0, 'C'};
    entry.fileExt = {'J', 0, 'G', 0};
    EXPECT_EQ(DecodeEntryName(entry), "AB.J");
    EXPECT_EQ(EntryDisplayName(entry), "ABC.JG");

    entry.fileName.fill('Z'); // all 16 bytes, no terminating zero
    entry.fileExt.fill(0);
    EXPECT_EQ(DecodeEntryName(entry), "ZZZZZZZZZZZZZZZZ.");
    EXPECT_TRUE(FileNameAccepted(DecodeEntryName(entry)));
}

TEST(Calendar, LeapYearsAndMonthLengths)
{
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2008));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_FALSE(IsLeapYear(2007));
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2007, 2), 28);
    EXPECT_EQ(DaysInMonth(2007, 4), 30);
    EXPECT_EQ(DaysInMonth(2007, 12), 31);
    EXPECT_EQ(DaysInMonth(2007, 13), 0);
}

TEST(DateTimeOrder, DatesMayBeEqualTimesMustIncrease)
{
    AdvanceSchedule s;
    s.startYear = 7;
    s.stopYear = 7;
    s.startMonth = s.stopMonth = 1;
    s.startDay = 1;
    s.stopDay = 2;
    s.startHour = 22;
    s.stopHour = 6;
    EXPECT_TRUE(DateOrderValid(s));
    EXPECT_FALSE(TimeOrderValid(s)); // times are compared without the dates

    s.stopDay = 1;
    s.startHour = 0;
    s.stopHour = 0;
    s.stopSecond = 1;
    EXPECT_TRUE(DateOrderValid(s));
    EXPECT_TRUE(TimeOrderValid(s));
    s.stopSecond = 0;
    EXPECT_FALSE(TimeOrderValid(s));

    s.startYear = 6;
    s.startMonth = 12;
    s.startDay = 31;
    EXPECT_TRUE(DateOrderValid(s));
    s.startYear = 8;
    s.startMonth = 1;
    s.startDay = 1;
    EXPECT_FALSE(DateOrderValid(s));
}

TEST(PreSaveCheck, OrderOfChecks)
{
    ScheduleDocument document;
    EXPECT_EQ(CheckBeforeSave(document).problem, PreSaveProblem::EmptySchedule);

    document.advanceSchedules.resize(3);
    for (AdvanceSchedule &schedule : document.advanceSchedules)
        schedule.details.resize(1);
    document.advanceSchedules[1].details.clear();
    document.advanceSchedules[2].details.clear();
    const PreSaveCheck check = CheckBeforeSave(document);
    EXPECT_EQ(check.problem, PreSaveProblem::AdvanceWithoutEntries);
    EXPECT_EQ(check.schedulePosition, 2);

    document.advanceSchedules.resize(1);
    EXPECT_TRUE(CheckBeforeSave(document));
}

TEST(PreSaveCheck, SizeEstimateMustStayBelowThirtyThousand)
{
    ScheduleDocument document;
    document.basicEntries.resize(250);
    document.advanceSchedules.resize(20);
    for (AdvanceSchedule &schedule : document.advanceSchedules)
        schedule.details.resize(50);
    EXPECT_EQ(ScheduleSizeEstimate(document), 37850);
    EXPECT_EQ(CheckBeforeSave(document).problem, PreSaveProblem::TooLarge);

    // Near the limit: 29,975 passes, 30,005 does not.
    ScheduleDocument edge;
    edge.basicEntries.resize(247);
    edge.advanceSchedules.resize(1);
    edge.advanceSchedules[0].details.resize(750);
    EXPECT_EQ(ScheduleSizeEstimate(edge), 29975);
    EXPECT_TRUE(CheckScheduleSize(edge));
    edge.advanceSchedules.resize(3);
    EXPECT_EQ(ScheduleSizeEstimate(edge), 30005);
    EXPECT_FALSE(CheckScheduleSize(edge));
}
