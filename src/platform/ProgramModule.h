#pragma once

// The program's own modules: parts that pull in large libraries (FFmpeg, Qt Network, Qt Print
// Support) are loaded when first needed rather than linked into every start. A module lies in
// lib/<program>/modules/ of the install, or of the build folder.

#include <QString>

namespace nerav {

// Where modules lie below the install prefix, and below the build folder (NERAV_MODULE_DIR in
// the top CMakeLists.txt).
constexpr char ProgramModuleFolder[] = "lib/nerav-schedule-generator/modules";

struct ProgramModule
{
    QFunctionPointer entry = nullptr; // the named entry point; null when the module is missing
    QString reason; // why there is no entry
};

// Loads fileName from the module folder beside the running program (bin/../lib/... installed;
// in the build folder, beside the programs or one level up from the tests) and resolves its
// entry. A loaded module stays for the rest of the run.
ProgramModule LoadProgramModule(const QString &fileName, const char *entryName);

// A module's table of functions, given by its entry; null, with the reason, when the module is
// missing or of another build (its table's version differs).
template<typename Api>
struct ProgramApi
{
    const Api *api = nullptr;
    QString reason;
};

template<typename Api>
ProgramApi<Api> LoadProgramApi(const QString &fileName, const char *entryName, int version)
{
    ProgramApi<Api> loaded;
    const ProgramModule module = LoadProgramModule(fileName, entryName);
    using Entry = const Api *(*)();
    const Api *api = module.entry ? reinterpret_cast<Entry>(module.entry)() : nullptr;
    if (api && api->version == version)
        loaded.api = api;
    else
        loaded.reason = module.entry ? QStringLiteral("%1 is of another version").arg(fileName)
                                     : module.reason;
    return loaded;
}

} // namespace nerav
