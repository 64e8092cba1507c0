#include "engine/scripthost/file_reader.h"

#include "engine/core/files/file.h"
#include "engine/script/auxlib.h"

static bool ReadThroughFileLayer(const char* filename, bool binary, std::string* bytes) {
  TFile file;
  if (!file.Open(filename, binary ? kFileReadBinary : kFileReadText)) return false;
  char buff[4096];
  int32_t n;
  while ((n = file.Read(buff, sizeof buff)) > 0) bytes->append(buff, static_cast<size_t>(n));
  return true;
}

void InstallFileLayerReader(lua_State* state) { luaL_setfilereader(state, ReadThroughFileLayer); }
