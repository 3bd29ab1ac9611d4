# CLI11, the command-line parser of canopex-convert and the tools, as one
# target: canopex_cli11. It is header-only (Debian's libcli11-dev). The
# Windows build gets only its CLI/ folder: the rest of /usr/include belongs to
# the build machine.
add_library(canopex_cli11 INTERFACE)
if(CMAKE_CROSSCOMPILING)
  set(cli11_headers /usr/include/CLI)
  if(NOT EXISTS ${cli11_headers}/CLI.hpp)
    message(FATAL_ERROR "CLI11 not found in ${cli11_headers}: install libcli11-dev")
  endif()
  set(cli11_include ${CMAKE_BINARY_DIR}/cli11-include)
  file(MAKE_DIRECTORY ${cli11_include})
  file(CREATE_LINK ${cli11_headers} ${cli11_include}/CLI SYMBOLIC)
  target_include_directories(canopex_cli11 SYSTEM INTERFACE ${cli11_include})
else()
  find_package(CLI11 2.1 CONFIG REQUIRED)
  target_link_libraries(canopex_cli11 INTERFACE CLI11::CLI11)
endif()
