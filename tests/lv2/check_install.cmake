# cmake -DBUILD=<build folder> -DSCRATCH=<empty folder> -P check_install.cmake
#
# Installs once without a prefix, for a user whose home is SCRATCH/home, and once with
# --prefix SCRATCH/prefix, and checks that the VST module and the whole LV2 bundle arrive in
# ~/.vst and ~/.lv2, then in lib/vst and lib/lv2.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/home)

function(expect_installed vst_folder lv2_folder)
  foreach(file ${vst_folder}/spatialiser.so ${lv2_folder}/spatialiser.lv2/manifest.ttl
               ${lv2_folder}/spatialiser.lv2/spatialiser.ttl ${lv2_folder}/spatialiser.lv2/presets.ttl
               ${lv2_folder}/spatialiser.lv2/spatialiser_dsp.so ${lv2_folder}/spatialiser.lv2/spatialiser_ui.so
               ${lv2_folder}/spatialiser.lv2/spatialiser_ui.ttl)
    if(NOT EXISTS ${file})
      message(FATAL_ERROR "not installed: ${file}")
    endif()
  endforeach()
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${SCRATCH}/home ${CMAKE_COMMAND} --install ${BUILD}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install without a prefix failed: ${result}")
endif()
expect_installed(${SCRATCH}/home/.vst ${SCRATCH}/home/.lv2)

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${SCRATCH}/prefix
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install --prefix failed: ${result}")
endif()
expect_installed(${SCRATCH}/prefix/lib/vst ${SCRATCH}/prefix/lib/lv2)
if(EXISTS ${SCRATCH}/prefix/.vst OR EXISTS ${SCRATCH}/home/lib)
  message(FATAL_ERROR "an install went to both kinds of place")
endif()
file(REMOVE_RECURSE ${SCRATCH})
