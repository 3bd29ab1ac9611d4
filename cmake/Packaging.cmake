# What `cmake --install` puts where, and the package CPack makes of it: on
# Windows a zip of the portable programs, elsewhere a Debian package.

# The user guide as one HTML page with its screenshots inside, and the
# manual page of canopex-convert at its end.
set(canopex_guide_html ${CMAKE_BINARY_DIR}/packaging/UserGuide.html)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(GLOB canopex_guide_images ${PROJECT_SOURCE_DIR}/docs/*.png)
add_custom_command(
  OUTPUT ${canopex_guide_html}
  COMMAND ${CANOPEX_PYTHON} ${PROJECT_SOURCE_DIR}/packaging/render_guide.py
          ${PROJECT_SOURCE_DIR}/docs/user-guide.md ${PROJECT_SOURCE_DIR}/docs/canopex-convert.md
          ${canopex_guide_html}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/render_guide.py ${PROJECT_SOURCE_DIR}/docs/user-guide.md
          ${PROJECT_SOURCE_DIR}/docs/canopex-convert.md ${canopex_guide_images}
  COMMENT "Rendering the user guide"
  VERBATIM)
add_custom_target(canopex_user_guide ALL DEPENDS ${canopex_guide_html})

set(CPACK_PACKAGE_NAME canopex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Canopex developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tree list report to stand file converter")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # One folder to unpack anywhere writable: the programs keep their settings
  # beside themselves.
  install(TARGETS Canopex canopex-convert RUNTIME DESTINATION .)
  install(FILES ${canopex_guide_html} ${PROJECT_SOURCE_DIR}/samples/three-stands.trl
          DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION . RENAME NOTICE.txt)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME Canopex-${PROJECT_VERSION}-win32)
  include(CPack)
  return()
endif()

include(GNUInstallDirs)
set(canopex_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/canopex)
install(TARGETS canopex canopex-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/canopex.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The desktop icon in the sizes desktops look for, drawn by the script that
# draws the Windows icon.
set(canopex_icons)
foreach(size 16 32 48 256)
  set(icon ${CMAKE_BINARY_DIR}/packaging/icons/${size}/canopex.png)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging/icons/${size})
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${CANOPEX_PYTHON} ${PROJECT_SOURCE_DIR}/resources/make_icon.py --png ${size} ${icon}
    DEPENDS ${PROJECT_SOURCE_DIR}/resources/make_icon.py
    VERBATIM)
  list(APPEND canopex_icons ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages and the changelog, compressed as Debian keeps them (-n: the
# same bytes each time).
set(canopex_compressed_files)
function(canopex_compressed source destination)
  get_filename_component(name ${source} NAME)
  set(compressed ${CMAKE_BINARY_DIR}/packaging/compressed/${name}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND gzip -9 -n -c ${source} > ${compressed}
    DEPENDS ${source})
  install(FILES ${compressed} DESTINATION ${destination})
  set(canopex_compressed_files ${canopex_compressed_files} ${compressed} PARENT_SCOPE)
endfunction()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging/compressed)
canopex_compressed(${PROJECT_SOURCE_DIR}/docs/canopex.1 ${CMAKE_INSTALL_MANDIR}/man1)
canopex_compressed(${PROJECT_SOURCE_DIR}/docs/canopex-convert.1 ${CMAKE_INSTALL_MANDIR}/man1)
canopex_compressed(${PROJECT_SOURCE_DIR}/packaging/changelog ${canopex_doc_dir})
add_custom_target(canopex_package_files ALL DEPENDS ${canopex_icons} ${canopex_compressed_files})

install(FILES ${canopex_guide_html} DESTINATION ${canopex_doc_dir} RENAME user-guide.html)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${canopex_doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/samples/three-stands.trl DESTINATION ${canopex_doc_dir}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Canopex developers <developers@canopex.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Canopex reads the tree list reports that the forest program Sylvax writes\n"
    "(.trl), finds each cut list (the trees cut in one stand in one year), drops\n"
    "trees with zero trees per acre or below a minimum diameter, and writes\n"
    "tab-separated stand files: one row per tree, or one row per species and\n"
    "1-inch diameter class. It has a window (canopex) and a command-line\n"
    "converter (canopex-convert).")
include(CPack)
