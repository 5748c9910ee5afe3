# The Windows package: `cpack -G ZIP` in the build folder gives tavodigits-<version>-win64.zip
# with the program, the README and the licence.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES ON)
include(CPack)
