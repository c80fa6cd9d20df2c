# flite ships no pkg-config file: find its headers and the voices we offer.
find_path(FLITE_INCLUDE_DIR flite/flite.h REQUIRED)
add_library(narrix_flite INTERFACE)
target_include_directories(narrix_flite SYSTEM INTERFACE ${FLITE_INCLUDE_DIR}/flite)
foreach(lib flite_cmu_us_slt flite_cmu_us_kal flite_cmu_us_kal16 flite_cmu_us_rms flite_cmu_us_awb
            flite_usenglish flite_cmulex flite)
  find_library(FLITE_LIB_${lib} ${lib} REQUIRED)
  target_link_libraries(narrix_flite INTERFACE ${FLITE_LIB_${lib}})
endforeach()
target_link_libraries(narrix_flite INTERFACE m)
