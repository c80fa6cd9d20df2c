# The program's own loadable modules: libnarrix_NAME.so, opened with dlopen the first time the program
# needs what they link (src/platform/program_module.h), so that those libraries are not loaded and
# relocated at every start. In the build tree they are written to its lib/narrix, which the programs of
# the build tree find from where they are; installed, they live in the private library folder.
set(NARRIX_BUILD_MODULE_DIR ${PROJECT_BINARY_DIR}/lib/narrix)

# narrix_add_module(NAME name SOURCES ... [LIBS ...] [NO_INSTALL]): the module libnarrix_NAME.so, linked
# with no undefined symbols (it uses nothing of the program it is loaded into but what it links).
function(narrix_add_module)
  cmake_parse_arguments(MODULE "NO_INSTALL" "NAME" "SOURCES;LIBS" ${ARGN})
  set(target narrix_${MODULE_NAME})
  add_library(${target} MODULE ${MODULE_SOURCES})
  target_link_libraries(${target} PRIVATE narrix_options ${MODULE_LIBS})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  # (The fuzz build's sanitizer runtime lives in the programs, not in what they load.)
  if(NOT NARRIX_FUZZ)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
  set_target_properties(${target} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${NARRIX_BUILD_MODULE_DIR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(NOT MODULE_NO_INSTALL)
    install(TARGETS ${target} LIBRARY DESTINATION ${NARRIX_INSTALL_PKGLIBDIR})
  endif()
endfunction()
