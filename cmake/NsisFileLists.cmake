# Writes the installer's file lists from the install tree, so that it
# installs exactly that tree and its uninstaller removes exactly those files
# (and the folders they leave empty), never what the user put beside them.
#   cmake -DSTAGE=install-tree -DOUT=folder -P NsisFileLists.cmake
# writes OUT/install-files.nsh and OUT/uninstall-files.nsh.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)
set(install "")
set(uninstall "")
set(folders "")
set(current "-")
foreach(file ${files})
  get_filename_component(folder ${file} DIRECTORY)
  string(REPLACE "/" "\\" windows_file "${file}")
  string(REPLACE "/" "\\" windows_folder "${folder}")
  if(NOT folder STREQUAL current)
    set(current ${folder})
    if(folder STREQUAL "")
      string(APPEND install "SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install "SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
      list(APPEND folders ${windows_folder})
    endif()
  endif()
  string(APPEND install "File \"${STAGE}/${file}\"\n")
  string(APPEND uninstall "Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
# Deepest first, so that each is empty when its turn comes.
list(SORT folders ORDER DESCENDING)
foreach(folder ${folders})
  string(APPEND uninstall "RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE ${OUT}/install-files.nsh "${install}")
file(WRITE ${OUT}/uninstall-files.nsh "${uninstall}")
