// The built-in script layer "gScreenInit" (screen_init.lua), embedded at build time.
#pragma once

#include <cstddef>

extern const unsigned char kScreenInitData[];
extern const size_t kScreenInitSize;
