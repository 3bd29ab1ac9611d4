# wxWidgets 3.2 on GTK 3 for the Linux program, as the target canopex_wx,
# with GTK itself for the few widget settings wx does not reach.
find_package(wxWidgets 3.2 REQUIRED COMPONENTS core base)
find_package(PkgConfig REQUIRED)
pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)

add_library(canopex_wx INTERFACE)
# System headers: their warnings are not the project's.
target_include_directories(canopex_wx SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
target_compile_definitions(canopex_wx INTERFACE ${wxWidgets_DEFINITIONS})
target_compile_options(canopex_wx INTERFACE ${wxWidgets_CXX_FLAGS})
target_link_libraries(canopex_wx INTERFACE ${wxWidgets_LIBRARIES} PkgConfig::GTK3)
