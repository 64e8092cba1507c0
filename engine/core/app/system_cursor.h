// The arrow picture built into the program (engine/core/app/data/system_cursor.png), written out as the
// system cursor's file.
#pragma once

#include <cstddef>

// In the user data folder: the program's own folder may be read-only.
inline constexpr char kSystemCursorFile[] = "user:__systemcursor__.png";
extern const unsigned char kSystemCursorData[];
extern const size_t kSystemCursorSize;
