# Concatenates text files into one C++ byte array, so that the English string
# table is parsed by the same reader as a language module on disk.
# Variables: OUTPUT, SYMBOL, INPUTS (semicolon separated, in order).
set(content "")
foreach(f IN LISTS INPUTS)
  file(READ "${f}" hex HEX)
  string(APPEND content "${hex}0a")
endforeach()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from resources/strings; edit those files instead.\n"
  "#include <cstddef>\n"
  "extern const unsigned char ${SYMBOL}[] = {\n${bytes}0x00};\n"
  "extern const std::size_t ${SYMBOL}Size = sizeof(${SYMBOL}) - 1;\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
