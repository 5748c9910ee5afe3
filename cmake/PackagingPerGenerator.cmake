# Read by CPack once for each generator. The Debian package alone carries the copyright file
# and the changelog that Debian asks for, which the install rules keep in a component of
# their own.
if(CPACK_GENERATOR STREQUAL "DEB")
  list(GET CPACK_INSTALL_CMAKE_PROJECTS 0 build_dir)
  list(APPEND CPACK_INSTALL_CMAKE_PROJECTS ${build_dir} ${CPACK_PACKAGE_NAME} Debian /)
endif()
