# Run by CPack after it has made its packages, before it copies them out.
#
# The packages are packed again from their members, so that they depend neither on who built
# them, nor when, nor on the umask, nor on the order in which the file system lists a folder:
# members sorted by name, dated SOURCE_DATE_EPOCH, with the same modes, and owned by root (the
# tarball and the Debian package) or by no one (the ZIP, without Unix extra fields). CPack's
# own archives take the owner of the staged files and the order in which it finds them, and
# its Debian package the umask.
find_program(TAR_PROGRAM NAMES gtar tar REQUIRED)
find_program(ZIP_PROGRAM zip)
find_program(DPKG_DEB_PROGRAM dpkg-deb)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.(tar\\.gz|zip|deb)$" OR NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    continue()
  endif()
  set(epoch $ENV{SOURCE_DATE_EPOCH})
  set(members ${package}.members)
  file(REMOVE_RECURSE ${members})
  if(package MATCHES "\\.deb$")
    # dpkg-deb sorts the members, owns them by root and clamps their times to the epoch.
    execute_process(COMMAND ${DPKG_DEB_PROGRAM} --raw-extract ${package} ${members}
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND chmod -R u+rw,go-w,a+rX ${members} COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE ${package})
    execute_process(COMMAND ${DPKG_DEB_PROGRAM} --root-owner-group -Zgzip --build ${members}
                            ${package} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE ${members})
    continue()
  endif()
  file(ARCHIVE_EXTRACT INPUT ${package} DESTINATION ${members})
  file(GLOB_RECURSE names LIST_DIRECTORIES true RELATIVE ${members} ${members}/*)
  list(SORT names COMPARE STRING)
  execute_process(COMMAND chmod -R u+rw,go-w,a+rX ${members} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND touch -h -d @${epoch} ${names} WORKING_DIRECTORY ${members}
                  COMMAND_ERROR_IS_FATAL ANY)
  list(JOIN names "\n" list_text)
  file(WRITE ${members}.list "${list_text}\n")
  file(REMOVE ${package})
  if(package MATCHES "\\.zip$")
    if(NOT ZIP_PROGRAM)
      message(FATAL_ERROR "zip is needed to pack ${package}")
    endif()
    # ZIP keeps local times: UTC, so that the time zone of the build does not show.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP_PROGRAM} -X -9 -q -@ ${package}
                    INPUT_FILE ${members}.list WORKING_DIRECTORY ${members}
                    COMMAND_ERROR_IS_FATAL ANY)
  else()
    execute_process(
      COMMAND ${TAR_PROGRAM} --owner=0 --group=0 --numeric-owner --format=gnu --no-recursion
              -C ${members} -T ${members}.list -cf -
      COMMAND gzip -9n
      OUTPUT_FILE ${package} COMMAND_ERROR_IS_FATAL ANY)
  endif()
  file(REMOVE_RECURSE ${members} ${members}.list)
endforeach()

# SHA256SUMS beside the packages, in the form that `sha256sum -c SHA256SUMS` checks. A later
# run of another generator adds its packages and replaces the lines of those it makes again,
# so that one file covers them all.
set(sums_file ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS)
set(lines)
if(EXISTS ${sums_file})
  file(STRINGS ${sums_file} lines)
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  cmake_path(GET package FILENAME name)
  list(FILTER lines EXCLUDE REGEX "  ${name}$")
  file(SHA256 ${package} sum)
  list(APPEND lines "${sum}  ${name}")
endforeach()
list(SORT lines COMPARE STRING)
list(JOIN lines "\n" text)
file(WRITE ${sums_file} "${text}\n")
