# Script mode: the binary MODULE needs exactly the shared libraries REFERENCE needs, read from
# their dynamic sections with TOOL (readelf).
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/NeededLibraries.cmake)

needed_libraries(${MODULE} module)
needed_libraries(${REFERENCE} reference)
if(NOT module STREQUAL reference)
  message(FATAL_ERROR "${MODULE} needs ${module}; ${REFERENCE} needs ${reference}")
endif()
message(STATUS "${MODULE} needs ${module}, as ${REFERENCE} does")
