#pragma once

// Everything one run of the program shares: the remembered settings, the text
// tables and the platform services. The program makes one; every test makes its own.

#include "InterfaceText.h"
#include "Platform.h"
#include "Settings.h"

namespace nerav {

struct AppContext
{
    explicit AppContext(const Platform &services) : platform(services) { }

    Settings settings;
    InterfaceText text;
    Platform platform;
};

} // namespace nerav
