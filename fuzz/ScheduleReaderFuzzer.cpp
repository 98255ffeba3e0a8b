// libFuzzer target for the schedule reader.

#include "ScheduleReaderCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    nerav::CheckScheduleReader(data, size);
    return 0;
}
