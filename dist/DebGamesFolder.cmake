# Run by CPack once the files to package are staged. In a Debian package of
# the games section the program lives in /usr/games, not /usr/bin. From there
# it finds its module and sounds as before, in ../lib/zorrel and
# ../share/zorrel.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(usr "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
  file(MAKE_DIRECTORY "${usr}/games")
  file(RENAME "${usr}/bin/zorrel" "${usr}/games/zorrel")
  file(REMOVE_RECURSE "${usr}/bin")
endif()
