# What a Windows build of the program needs beside it to run: the Qt
# libraries and plugins of the Qt it was built with, and the MinGW runtime of
# its compiler. Sets ZORREL_QT_BIN_DIR, ZORREL_QT_PLUGINS_DIR and
# ZORREL_MINGW_RUNTIME_DLLS.
set(ZORREL_QT_BIN_DIR ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
set(ZORREL_QT_PLUGINS_DIR ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})

# The compiler knows where its own runtime lies, whether it is a cross
# compiler here or MSYS2's on Windows.
set(ZORREL_MINGW_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "The compiler's runtime ${dll} was not found (got \"${path}\")")
  endif()
  file(REAL_PATH ${path} path)
  list(APPEND ZORREL_MINGW_RUNTIME_DLLS ${path})
endforeach()

# Built on another system, the programs the build runs (the generators) and
# the tests run under Wine, finding the same DLLs through WINEPATH.
if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(ZORREL_WINE wine REQUIRED)
  set(ZORREL_WINE_PATH ${ZORREL_QT_BIN_DIR})
  foreach(dll ${ZORREL_MINGW_RUNTIME_DLLS})
    get_filename_component(folder ${dll} DIRECTORY)
    list(APPEND ZORREL_WINE_PATH ${folder})
  endforeach()
  list(REMOVE_DUPLICATES ZORREL_WINE_PATH)
  # Wine reads Unix folders as drive Z:.
  list(TRANSFORM ZORREL_WINE_PATH PREPEND "Z:")
  string(REPLACE "/" "\\" ZORREL_WINE_PATH "${ZORREL_WINE_PATH}")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${PROJECT_BINARY_DIR}/wine-run.sh
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE
    @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run.sh)
endif()
