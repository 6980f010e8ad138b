# embed_resources(<target> <type> <id> <file> [<type> <id> <file> ...])
#
# Linux builds carry their resources inside the module, as Windows builds do through a resource
# script: the files become byte arrays in a generated source listed by embeddedResources()
# (platform/drawing/embedded_resources.h).
function(embed_resources target)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_embedded_resources.cpp)
  set(files)
  set(args ${ARGN})
  list(LENGTH args count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 2 ${last} 3)
    list(GET args ${i} file)
    list(APPEND files ${file})
  endforeach()
  string(REPLACE ";" "|" packed "${args}")
  add_custom_command(
    OUTPUT ${generated}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${generated} -DRESOURCES=${packed}
            -P ${CMAKE_SOURCE_DIR}/cmake/GenerateEmbeddedResources.cmake
    DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/GenerateEmbeddedResources.cmake
    COMMENT "Embedding resources into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${generated})
endfunction()
