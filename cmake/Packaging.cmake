# What `cmake --install` puts where, and the release packages CPack makes from it: on Linux a
# .deb with both programs, a desktop entry, an icon and the manual page; on Windows a zip with the
# command line, the window, the README and the example board.
if(WIN32)
  install(TARGETS quorlin-cli quorlin RUNTIME DESTINATION .)
  install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/examples/demo.pcb DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "quorlin-${PROJECT_VERSION}-windows-x64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  include(GNUInstallDirs)
  install(TARGETS quorlin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(TARGET quorlin)
    install(TARGETS quorlin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/quorlin.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/quorlin.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/quorlin.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)
  endif()
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/quorlin-cli.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quorlin developers <developers@quorlin.invalid>")
  set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
  # The libraries the programs link (Qt 6, the C++ runtime) as Debian names them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
set(CPACK_PACKAGE_NAME quorlin)
set(CPACK_PACKAGE_VENDOR "Quorlin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tango PCB files and netlists to ARES; SDF netlist comparator")
set(CPACK_PACKAGE_DESCRIPTION
    "Converts Tango ASCII PCB files to ARES region files and Tango netlists to SDF, and compares SDF netlists. A desktop window (quorlin) and a command line (quorlin-cli).")
set(CPACK_STRIP_FILES ON)
include(CPack)
