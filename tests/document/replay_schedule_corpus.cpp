// Runs every file of a folder through the schedule reader's checks, as the fuzz target does.

#include "ScheduleReaderCheck.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: replay_schedule_corpus FOLDER\n";
        return 2;
    }
    int count = 0;
    for (const auto &item : std::filesystem::directory_iterator(argv[1])) {
        if (!item.is_regular_file())
            continue;
        std::ifstream file(item.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                              std::istreambuf_iterator<char>());
        nerav::CheckScheduleReader(bytes.data(), bytes.size());
        ++count;
    }
    std::cout << "replayed " << count << " files\n";
    return count > 0 ? 0 : 1;
}
