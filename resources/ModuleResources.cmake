# The resources every module carries, as embed_resources() takes them (type, id, file): the
# factory bank and the 28 skin bitmaps. The Windows resource script lists the same files.
set(SPATIALISER_RESOURCES FXBANK 200 ${CMAKE_SOURCE_DIR}/resources/factory.fxb)
set(SPATIALISER_SKIN_FILES)
foreach(id RANGE 101 128)
  list(APPEND SPATIALISER_RESOURCES BITMAP ${id} ${CMAKE_SOURCE_DIR}/resources/skin/${id}.bmp)
  list(APPEND SPATIALISER_SKIN_FILES ${CMAKE_SOURCE_DIR}/resources/skin/${id}.bmp)
endforeach()
