#pragma once

// The earlier name of Settings.h, kept for the main-window code that still includes it.

#include "Settings.h"
