# The resources every module carries, as embed_resources() takes them (type, id, file): the
# factory bank, the 28 skin bitmaps and their set at twice the size (id + 2000, for screens
# above 100 %). The Windows resource script lists the same files.
set(SPATIALISER_RESOURCES FXBANK 200 ${CMAKE_SOURCE_DIR}/resources/factory.fxb)
set(SPATIALISER_SKIN_FILES)
foreach(id RANGE 101 128)
  math(EXPR double_id "${id} + 2000")
  list(APPEND SPATIALISER_RESOURCES BITMAP ${id} ${CMAKE_SOURCE_DIR}/resources/skin/${id}.bmp
                                    BITMAP ${double_id} ${CMAKE_SOURCE_DIR}/resources/skin/2x/${id}.bmp)
  list(APPEND SPATIALISER_SKIN_FILES ${CMAKE_SOURCE_DIR}/resources/skin/${id}.bmp
                                     ${CMAKE_SOURCE_DIR}/resources/skin/2x/${id}.bmp)
endforeach()
