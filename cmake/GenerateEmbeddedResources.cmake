# Script mode: writes OUTPUT, a C++ source holding the files of RESOURCES (type|id|file|...).
string(REPLACE "|" ";" resources "${RESOURCES}")
list(LENGTH resources count)
math(EXPR last "${count} - 1")
set(arrays "")
set(entries "")
set(index 0)
foreach(i RANGE 0 ${last} 3)
  math(EXPR id_at "${i} + 1")
  math(EXPR file_at "${i} + 2")
  list(GET resources ${i} type)
  list(GET resources ${id_at} id)
  list(GET resources ${file_at} file)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const unsigned char resource${index}[${size}] = {${bytes}};\n")
  string(APPEND entries "    {\"${type}\", ${id}, resource${index}, ${size}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT} "// Generated at build time from the module's resource files.
#include \"platform/drawing/embedded_resources.h\"

namespace {
${arrays}
const platform::soft::EmbeddedResource resources[] = {
${entries}};
}  // namespace

const platform::soft::EmbeddedResource* platform::soft::embeddedResources(size_t& count) {
    count = sizeof resources / sizeof resources[0];
    return resources;
}
")
