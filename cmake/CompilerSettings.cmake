# Flags every target of the project shares.

option(CANOPEX_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

add_library(canopex_warnings INTERFACE)
target_compile_options(canopex_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(CANOPEX_WARNINGS_AS_ERRORS)
  target_compile_options(canopex_warnings INTERFACE -Werror)
endif()
# GCC 12 at -O3 reports -Wrestrict inside std::string's assignment of a
# literal, a false alarm of the compiler's own (fixed in GCC 13).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(canopex_warnings INTERFACE $<$<CONFIG:Release>:-Wno-restrict>)
endif()

# Results must be the same double-precision arithmetic in every build: no
# fused multiply-add, and on 32-bit x86 the SSE unit instead of the x87's
# 80-bit registers (with which floor(5.51 + 0.49) gives 5).
add_compile_options(-ffp-contract=off)
if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(MINGW)
  # One self-contained .exe: no MinGW runtime DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()
