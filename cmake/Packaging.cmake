# What `cmake --install` puts where, and the release packages made from it: on Linux a .deb laid
# out as Debian's own packages are (programs, desktop entry and AppStream metainfo, icons, manual
# pages, copyright and changelog); on Windows a zip of one folder and an installer (the `msi`
# target, made with wixl), each with both programs, the licence and the user's README.

# The licence, written once in LICENSE: its copyright line and its terms.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE QUORLIN_LICENSE)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${QUORLIN_LICENSE}")
set(QUORLIN_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*\n(Permission)" "\\1" QUORLIN_LICENSE_TERMS "${QUORLIN_LICENSE}")
string(STRIP "${QUORLIN_LICENSE_TERMS}" QUORLIN_LICENSE_TERMS)

set(CPACK_PACKAGE_NAME quorlin)
set(CPACK_PACKAGE_VENDOR "Quorlin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert Tango PCB files and netlists for ARES")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(QUORLIN_PACKAGE_FILES ${CMAKE_BINARY_DIR}/packaging)
  # Text files for Windows: CR LF line ends, a .txt name Notepad opens.
  configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${QUORLIN_PACKAGE_FILES}/LICENSE.txt @ONLY
                 NEWLINE_STYLE CRLF)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/README-windows.txt
                 ${QUORLIN_PACKAGE_FILES}/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(TARGETS quorlin-cli quorlin RUNTIME DESTINATION .)
  install(FILES ${QUORLIN_PACKAGE_FILES}/LICENSE.txt ${QUORLIN_PACKAGE_FILES}/README.txt
          ${CMAKE_SOURCE_DIR}/examples/demo.pcb DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "quorlin-${PROJECT_VERSION}-windows-x64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

  # The installer: both programs in Program Files\Quorlin, a Start menu entry for the window, the
  # licence and the README; Windows lists it among the installed programs, to be removed there.
  find_program(QUORLIN_WIXL wixl)
  if(QUORLIN_WIXL)
    set(QUORLIN_MSI ${CMAKE_BINARY_DIR}/quorlin-${PROJECT_VERSION}-windows-x64.msi)
    configure_file(${CMAKE_SOURCE_DIR}/src/app/win32/quorlin.ico
                   ${QUORLIN_PACKAGE_FILES}/quorlin.ico COPYONLY)
    add_custom_command(OUTPUT ${QUORLIN_MSI}
      COMMAND ${QUORLIN_WIXL} -a x64 -o ${QUORLIN_MSI} -D Version=${PROJECT_VERSION}
              ${CMAKE_SOURCE_DIR}/packaging/quorlin.wxs
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
      DEPENDS quorlin-cli quorlin ${CMAKE_SOURCE_DIR}/packaging/quorlin.wxs
              ${QUORLIN_PACKAGE_FILES}/LICENSE.txt ${QUORLIN_PACKAGE_FILES}/README.txt
      VERBATIM)
    add_custom_target(msi DEPENDS ${QUORLIN_MSI})
  endif()
else()
  include(GNUInstallDirs)
  set(QUORLIN_PACKAGE_FILES ${CMAKE_BINARY_DIR}/packaging)
  set(QUORLIN_DOC ${CMAKE_INSTALL_DATADIR}/doc/quorlin)
  # Dates from SOURCE_DATE_EPOCH when it is set, else the last commit's: a package of one commit
  # comes out the same, and configuring again changes no file.
  if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE QUORLIN_COMMIT_TIME OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET)
    if(QUORLIN_COMMIT_TIME)
      set(ENV{SOURCE_DATE_EPOCH} ${QUORLIN_COMMIT_TIME})
    endif()
  endif()
  string(TIMESTAMP QUORLIN_RELEASE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  string(TIMESTAMP QUORLIN_RELEASE_DAY "%Y-%m-%d" UTC)
  string(TIMESTAMP QUORLIN_RELEASE_MONTH "%B %Y" UTC)
  # Whoever builds the release gives the maintainer, "Name <address>" (scripts/package takes it
  # from DEBFULLNAME and DEBEMAIL, or from git): the project has no mail domain of its own.
  set(QUORLIN_MAINTAINER "" CACHE STRING "The package's maintainer: Name <address>")

  install(TARGETS quorlin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set(QUORLIN_PAGES quorlin-cli)
  if(TARGET quorlin)
    install(TARGETS quorlin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/quorlin.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/quorlin.metainfo.xml.in
                   ${QUORLIN_PACKAGE_FILES}/quorlin.metainfo.xml @ONLY)
    install(FILES ${QUORLIN_PACKAGE_FILES}/quorlin.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/quorlin.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/quorlin.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps)
    list(APPEND QUORLIN_PAGES quorlin)
  endif()

  # The manual pages, made from the programs' own help whenever a program changes, so that they
  # list the options it has. A sanitized build's programs are not run for it.
  if(NOT QUORLIN_SANITIZE)
    set(QUORLIN_WHAT_quorlin-cli "convert Tango PCB files and netlists for ARES, compare SDF netlists")
    set(QUORLIN_WHAT_quorlin "the Quorlin converter window: Tango PCB files and netlists to ARES")
    foreach(program ${QUORLIN_PAGES})
      set(page ${QUORLIN_PACKAGE_FILES}/${program}.1.gz)
      add_custom_command(OUTPUT ${page}
        COMMAND sh ${CMAKE_SOURCE_DIR}/packaging/manpage.sh $<TARGET_FILE:${program}>
                "${QUORLIN_WHAT_${program}}" ${CMAKE_SOURCE_DIR}/packaging/${program}.man
                "${QUORLIN_RELEASE_MONTH}" ${page}
        DEPENDS ${program} ${CMAKE_SOURCE_DIR}/packaging/manpage.sh
                ${CMAKE_SOURCE_DIR}/packaging/${program}.man
        VERBATIM)
      add_custom_target(${program}-manpage ALL DEPENDS ${page})
      install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
  endif()

  # The copyright file in Debian's machine-readable form, and the changelog, compressed as
  # Debian's are.
  string(REPLACE "\n\n" "\n.\n" QUORLIN_LICENSE_TERMS "${QUORLIN_LICENSE_TERMS}")
  string(REPLACE "\n" "\n " QUORLIN_LICENSE_TERMS "${QUORLIN_LICENSE_TERMS}")
  configure_file(${CMAKE_SOURCE_DIR}/packaging/copyright.in ${QUORLIN_PACKAGE_FILES}/copyright
                 @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${QUORLIN_PACKAGE_FILES}/changelog
                 @ONLY)
  add_custom_command(OUTPUT ${QUORLIN_PACKAGE_FILES}/changelog.gz
    COMMAND gzip -9nkf ${QUORLIN_PACKAGE_FILES}/changelog
    DEPENDS ${QUORLIN_PACKAGE_FILES}/changelog VERBATIM)
  add_custom_target(changelog ALL DEPENDS ${QUORLIN_PACKAGE_FILES}/changelog.gz)
  install(FILES ${QUORLIN_PACKAGE_FILES}/copyright ${QUORLIN_PACKAGE_FILES}/changelog.gz
          DESTINATION ${QUORLIN_DOC})

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUORLIN_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
  # The libraries the programs link (Qt 6, the C++ runtime) as Debian names them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The long description (after the summary line), wrapped as Debian's are: paragraphs apart by a
  # line of one dot.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quorlin moves printed-circuit-board designs from the Tango PCB layout tool
to the ARES layout tool. It converts a Tango ASCII PCB file to an ARES
region file, with a report of the styles to define in ARES, a trash file of
the lines it could not handle and the ARES style records; it converts Tango
netlists to SDF 6.1 netlists, and counts and compares two SDF netlists,
naming their differences.
.
It runs as a desktop window (quorlin) and as a command line (quorlin-cli).")
endif()
include(CPack)
