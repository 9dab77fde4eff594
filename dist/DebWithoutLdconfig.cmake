# Run by CPack on the finished packages. CPack gives a package with a shared
# object under /usr/lib maintainer scripts that run ldconfig, but ldconfig
# never looks in /usr/lib/zorrel, and the postrm would keep the package in
# dpkg's "config-files" state after a remove. The package is repacked
# without them; its files and their checksums stay as they are.
if(CPACK_GENERATOR STREQUAL "DEB")
  foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    set(tree "${CPACK_TOPLEVEL_DIRECTORY}/repack")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND dpkg-deb -R "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE "${tree}/DEBIAN/postinst" "${tree}/DEBIAN/postrm")
    execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip -b "${tree}" "${deb}"
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${tree}")
  endforeach()
endif()
