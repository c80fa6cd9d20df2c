# flite ships no pkg-config file: find its headers and the voices we offer.
find_path(FLITE_INCLUDE_DIR flite/flite.h REQUIRED)
add_library(narrix_flite INTERFACE)
target_include_directories(narrix_flite SYSTEM INTERFACE ${FLITE_INCLUDE_DIR}/flite)
# The voices (libflite_cmu_us_*.so.1) are opened with dlopen when first used, not linked: relocating
# their data at every start costs a few milliseconds before main().
foreach(lib flite_usenglish flite_cmulex flite)
  find_library(FLITE_LIB_${lib} ${lib} REQUIRED)
  target_link_libraries(narrix_flite INTERFACE ${FLITE_LIB_${lib}})
endforeach()
target_link_libraries(narrix_flite INTERFACE m ${CMAKE_DL_LIBS})
