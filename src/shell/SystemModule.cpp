#include "SystemModule.h"
// Placeholder until the path helpers land.
