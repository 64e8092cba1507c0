// Constant texts the framework and the game read from the first instant.
#pragma once

// The "LUA_PATH" of script states made for sprites and script wrappers.
inline constexpr const char kDefaultScriptPath[] = "assets/?;?;../?;../../?";
// Names shared by the game's screens and game data.
inline constexpr const char kTransitionWindowName[] = "swtTransitionWindow";
inline constexpr const char kMagicGameName[] = "dtMagicGame";
inline constexpr const char kIdFieldName[] = "_id_";
