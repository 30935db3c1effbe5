# One interface target carries the warning, floating-point and sanitizer flags for every target.
add_library(quorlin_warnings INTERFACE)
target_compile_options(quorlin_warnings INTERFACE -Wall -Wextra
  # Byte-exact outputs depend on floating-point operations happening in the written order.
  -ffp-contract=off)
# The test command and CI turn warnings into errors; another compiler may warn where ours does not.
option(QUORLIN_WERROR "Treat warnings as errors" OFF)
if(QUORLIN_WERROR)
  target_compile_options(quorlin_warnings INTERFACE -Werror)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 reports std::string copies as overlapping memcpy at -O2 (a known false positive).
  target_compile_options(quorlin_warnings INTERFACE -Wno-restrict)
endif()
if(QUORLIN_SANITIZE)
  target_compile_options(quorlin_warnings INTERFACE -fsanitize=address,undefined
    -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(quorlin_warnings INTERFACE -fsanitize=address,undefined)
endif()
