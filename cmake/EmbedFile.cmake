# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -DHEADER=path/of/its.h -P EmbedFile.cmake
# Writes a C++ source that defines `const unsigned char <SYMBOL>Data[]` and `const size_t <SYMBOL>Size`.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 16 row_pattern)
string(REGEX REPLACE "(${row_pattern})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.\n#include \"${HEADER}\"\n\n"
  "const unsigned char ${SYMBOL}Data[] = {\n${bytes}\n};\nconst size_t ${SYMBOL}Size = ${size};\n")
