# `cmake --install <build>` puts the Linux plug-ins where hosts look for a user's plug-ins:
# spatialiser.so into ~/.vst and the bundle spatialiser.lv2 into ~/.lv2. With `--prefix P` they go
# to P/lib/vst and P/lib/lv2, the system-wide places. The home folder is the one of the user who
# installs. A prefix is "not given" while it is the one configured: a new build folder configures
# the configuring user's home, so that any --prefix given at install time (/usr/local too) counts.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR NOT TARGET spatialiser)
  return()
endif()

if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX "$ENV{HOME}" CACHE PATH "Where `cmake --install` puts the plug-ins" FORCE)
endif()

set(lv2_bundle "")
if(TARGET spatialiser_dsp)
  set(lv2_bundle ${SPATIALISER_LV2_BUNDLE})
endif()

install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"${CMAKE_INSTALL_PREFIX}\")
    set(vst_folder \"\$ENV{HOME}/.vst\")
    set(lv2_folder \"\$ENV{HOME}/.lv2\")
  else()
    set(vst_folder \"\${CMAKE_INSTALL_PREFIX}/lib/vst\")
    set(lv2_folder \"\${CMAKE_INSTALL_PREFIX}/lib/lv2\")
  endif()
  file(INSTALL \"$<TARGET_FILE:spatialiser>\" DESTINATION \"\${vst_folder}\" USE_SOURCE_PERMISSIONS)
  if(NOT \"${lv2_bundle}\" STREQUAL \"\")
    # A bundle left from an earlier install would keep files this one no longer has.
    file(REMOVE_RECURSE \"\${lv2_folder}/spatialiser.lv2\")
    file(INSTALL \"${lv2_bundle}\" DESTINATION \"\${lv2_folder}\" USE_SOURCE_PERMISSIONS)
  endif()
")
