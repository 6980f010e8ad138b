# add_plugin_module(<target> <output name> <sources...>)
#
# The module gets the shell's entry point (shell/entry.cpp, exported as `main`) and the framework;
# its sources define createEffectInstance (shell/PluginFactory.h).
# A VST 2.x module that exports its entry point `main` and nothing else (the 64-bit Windows module
# also `VSTPluginMain`, which 64-bit Windows hosts look for first).
function(add_plugin_module target output_name)
  add_library(${target} MODULE ${ARGN} ${CMAKE_SOURCE_DIR}/shell/entry.cpp)
  target_link_libraries(${target} PRIVATE shell)
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${output_name}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
      target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/shell/exports-win64.def)
    else()
      target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/shell/exports-win32.def)
    endif()
  else()
    # A Linux module's editor lives inside an X11 host (platform/CMakeLists.txt).
    set_target_properties(${target} PROPERTIES SPATIALISER_PLATFORM x11)
    # Share no symbol with the host or with other plug-ins loaded beside this one.
    target_compile_options(${target} PRIVATE -fno-gnu-unique)
    target_link_options(${target} PRIVATE
      -Wl,--version-script=${CMAKE_SOURCE_DIR}/shell/exports.map
      -Wl,--exclude-libs,ALL)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/shell/exports.map)
    if(NOT SPATIALISER_SANITIZE)
      # The sanitizer runtimes must see the real allocator, so only plain builds carry their own runtime.
      target_link_options(${target} PRIVATE -static-libstdc++ -static-libgcc -Wl,--no-undefined)
    endif()
  endif()
endfunction()
