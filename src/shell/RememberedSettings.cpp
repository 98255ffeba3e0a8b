#include "RememberedSettings.h"
// Placeholder until the settings land.
