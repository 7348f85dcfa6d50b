#include "settings.h"

CommanderSettings g_settings;
