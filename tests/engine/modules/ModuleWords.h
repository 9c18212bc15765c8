// Table words of the test modules: a text as the pointer word the tables
// hold.
#pragma once

#include "engine/PluginSDK.h"

inline PModuleWord T(const char* text) { return reinterpret_cast<PModuleWord>(text); }
