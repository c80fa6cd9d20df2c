# flite ships no pkg-config file: find its headers and the voices we offer.
find_path(FLITE_INCLUDE_DIR flite/flite.h REQUIRED)
add_library(narrix_flite INTERFACE)
target_include_directories(narrix_flite SYSTEM INTERFACE ${FLITE_INCLUDE_DIR}/flite)
# libflite and the voices (libflite_cmu_us_*.so.1, which bring flite's English lexicon and rules) are
# opened with dlopen when the first voice is used, not linked: loading and relocating them (and ALSA,
# which libflite brings) at every start costs milliseconds before the window shows.
find_library(FLITE_LIB_flite flite REQUIRED)
target_link_libraries(narrix_flite INTERFACE m ${CMAKE_DL_LIBS})
