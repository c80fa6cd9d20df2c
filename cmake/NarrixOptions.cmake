# One INTERFACE target carries the language standard, warnings, Qt strictness and sanitizers.
add_library(narrix_options INTERFACE)
target_compile_features(narrix_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(narrix_options INTERFACE
  -Wall -Wextra -Wold-style-cast -Wshadow=local -Wnon-virtual-dtor -Woverloaded-virtual
  -Wimplicit-fallthrough -Wformat=2)
if(NARRIX_WERROR)
  target_compile_options(narrix_options INTERFACE -Werror)
endif()
target_compile_definitions(narrix_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_CONTEXTLESS_CONNECT QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_URL_CAST_FROM_STRING
  QT_NO_KEYWORDS QT_DISABLE_DEPRECATED_UP_TO=0x060000)
if(NARRIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(NARRIX_TSAN)
  if(NARRIX_SANITIZE)
    message(FATAL_ERROR "NARRIX_TSAN and NARRIX_SANITIZE exclude each other: use two build folders")
  endif()
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)
if(NARRIX_FUZZ)
  # Coverage instrumentation for everything the fuzz targets link; the targets add -fsanitize=fuzzer.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
