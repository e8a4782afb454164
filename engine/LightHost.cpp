// The one host of the lights. The main window sets it while it lives; tests
// set a window-less host of their own.
#include "engine/LightHost.h"

TLightHost* LightHost = nullptr;
