# Packages made by CPack from the install rules: `cpack -G DEB` and `cpack -G TGZ` in a release
# build, `cpack -G ZIP` in a Windows one (tavodigits-<version>-win64.zip).
set(CPACK_PACKAGE_NAME tavodigits)
set(CPACK_PACKAGE_VENDOR "the tavodigits authors")
set(CPACK_PACKAGE_CONTACT "the tavodigits authors <tavodigits@example.org>"
    CACHE STRING "Who answers for the packages: a name and an e-mail address")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pi, e and square roots to many places, with digit counts")
set(CPACK_PACKAGE_DESCRIPTION
    "An interactive console program that computes pi, e or the square root of an\n"
    "integer from 2 to 65535 to as many decimal places as asked for, printing each\n"
    "digit as soon as it has settled, then the time taken and how often each digit\n"
    "0 to 9 occurs. All arithmetic is exact, in the program's own fixed-capacity\n"
    "integers and fractions: pi completes up to 1996 places, e up to 8004 and square\n"
    "roots up to 10,029. The dialogue is in Japanese, in the encoding of the locale.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# A plain `cpack` makes the archive; the Debian package is asked for by name, since it needs
# Debian's tools.
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR TGZ)
endif()
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackagingPerGenerator.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackagePostBuild.cmake)
# Read again by CPack, which dates the packages' members by the commit packed.
set(CPACK_TAVO_SOURCE_DIR ${PROJECT_SOURCE_DIR})
# The directories that CPack makes get the same permissions whatever the umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})

# Debian: the binary's library dependencies come from dpkg-shlibdeps; the copyright file and
# the changelog that Debian policy asks for are installed for the package only, not by
# `cmake --install`.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
if(UNIX AND NOT APPLE)
  find_program(GZIP gzip REQUIRED)
  set(debian_doc ${CMAKE_CURRENT_BINARY_DIR}/debian)
  # The licence's own text, from its permission notice on, as a copyright file's paragraph:
  # each line indented by one blank, an empty line written as " .".
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE TAVO_LICENSE_TEXT)
  string(REGEX REPLACE "^.*\n(Permission)" "\\1" TAVO_LICENSE_TEXT "${TAVO_LICENSE_TEXT}")
  string(STRIP "${TAVO_LICENSE_TEXT}" TAVO_LICENSE_TEXT)
  string(REGEX REPLACE "\n\n" "\n.\n" TAVO_LICENSE_TEXT "${TAVO_LICENSE_TEXT}")
  string(REGEX REPLACE "\n" "\n " TAVO_LICENSE_TEXT " ${TAVO_LICENSE_TEXT}")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in ${debian_doc}/copyright @ONLY)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${debian_doc}/changelog @ONLY)
  add_custom_command(
    OUTPUT ${debian_doc}/changelog.Debian.gz
    COMMAND ${GZIP} -9n -c ${debian_doc}/changelog > ${debian_doc}/changelog.Debian.gz
    DEPENDS ${debian_doc}/changelog
    VERBATIM)
  add_custom_target(debian_changelog ALL DEPENDS ${debian_doc}/changelog.Debian.gz)
  install(FILES ${debian_doc}/copyright ${debian_doc}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Debian EXCLUDE_FROM_ALL)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tavodigits
          COMPONENT Debian EXCLUDE_FROM_ALL)
endif()

include(CPack)
