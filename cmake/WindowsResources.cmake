# The resources of the Windows files, compiled by windres through CMake's RC
# language: a version resource for each (zorrel_version_resource), and the
# program's icon and manifest (zorrel_program_resources). The version is the
# project's.
set(ZORREL_VERSION_COMMAS
  "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
set(ZORREL_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
# The sizes Windows picks from: lists, the task bar and Explorer's views at
# 100 to 200 %, and the largest tiles.
set(ZORREL_WINDOWS_ICON_SIZES 16 24 32 48 64 256)

# zorrel_version_resource(TARGET DESCRIPTION): the file's Properties → Details.
function(zorrel_version_resource target description)
  set(ZORREL_RC_TARGET ${target})
  set(ZORREL_RC_DESCRIPTION "${description}")
  get_target_property(type ${target} TYPE)
  if(type STREQUAL EXECUTABLE)
    set(ZORREL_RC_FILE_TYPE VFT_APP)
  else()
    set(ZORREL_RC_FILE_TYPE VFT_DLL)
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/version.rc.in ${rc}.in @ONLY)
  # The file's own name is known only once the targets are.
  file(GENERATE OUTPUT ${rc} INPUT ${rc}.in)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# zorrel_program_resources(TARGET): the icon that Explorer, the task bar and
# shortcuts show, rendered from the SVG icon by make_icon, and the manifest.
function(zorrel_program_resources target)
  set(ZORREL_ICO ${CMAKE_CURRENT_BINARY_DIR}/${target}.ico)
  set(ZORREL_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.exe.manifest)
  add_custom_command(
    OUTPUT ${ZORREL_ICO}
    COMMAND make_icon ${ZORREL_ICON_SVG} ${ZORREL_ICO} ${ZORREL_WINDOWS_ICON_SIZES}
    DEPENDS make_icon ${ZORREL_ICON_SVG}
    COMMENT "Rendering the program's icon file"
    VERBATIM)
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/zorrel.exe.manifest.in ${ZORREL_MANIFEST}
    @ONLY)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/zorrel.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # The installer shows the same icon.
  set_target_properties(${target} PROPERTIES ZORREL_ICON_FILE ${ZORREL_ICO})
  # windres reads both, which CMake does not see in the .rc file.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${ZORREL_ICO};${ZORREL_MANIFEST}")
endfunction()
