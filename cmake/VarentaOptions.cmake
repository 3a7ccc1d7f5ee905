# One interface target carries the strictness settings; every target of the project links it.
add_library(varenta_options INTERFACE)

target_compile_definitions(varenta_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_FOREACH
  QT_NO_KEYWORDS
  QT_DISABLE_DEPRECATED_BEFORE=0x060400
)

target_compile_options(varenta_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wcast-qual -Wformat=2 -Wimplicit-fallthrough
)
if(VARENTA_WERROR)
  target_compile_options(varenta_options INTERFACE -Werror)
endif()

if(VARENTA_SANITIZE)
  target_compile_options(varenta_options INTERFACE
    -fsanitize=${VARENTA_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(varenta_options INTERFACE -fsanitize=${VARENTA_SANITIZE})
endif()

# The fuzz build instruments every target for libFuzzer's coverage and runs it under the
# address and undefined-behaviour sanitizers; only the fuzz targets link libFuzzer's main.
if(VARENTA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VARENTA_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++-14)")
  endif()
  target_compile_options(varenta_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=all)
  target_link_options(varenta_options INTERFACE -fsanitize=address,undefined)
endif()
