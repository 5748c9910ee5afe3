# Read by CPack once for each generator. The Debian package alone carries the copyright file
# and the changelog that Debian asks for, which the install rules keep in a component of
# their own.
if(CPACK_GENERATOR STREQUAL "DEB")
  list(GET CPACK_INSTALL_CMAKE_PROJECTS 0 build_dir)
  list(APPEND CPACK_INSTALL_CMAKE_PROJECTS ${build_dir} ${CPACK_PACKAGE_NAME} Debian /)
endif()

# Two builds of one commit give the same package bytes: CPack dates every member by
# SOURCE_DATE_EPOCH, here the time of the commit packed unless the caller sets its own.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C ${CPACK_TAVO_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
                  RESULT_VARIABLE git_failed)
  if(git_failed EQUAL 0 AND commit_time)
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  endif()
endif()
