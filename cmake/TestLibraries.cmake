# Whether the libraries of the tests and the benchmarks are here. Sets
# ZORREL_TEST_LIBRARIES_FOUND and ZORREL_BENCH_LIBRARIES_FOUND, and defines
# zorrel_optional_part.

# Built here for another system, GoogleTest is built from Debian's sources
# with the cross compiler (tests/CMakeLists.txt).
if(CMAKE_CROSSCOMPILING AND EXISTS /usr/src/googletest)
  set(ZORREL_GTEST_FOUND TRUE)
else()
  find_package(GTest QUIET)
  set(ZORREL_GTEST_FOUND ${GTest_FOUND})
endif()
if(ZORREL_GTEST_FOUND AND TARGET Qt6::Test)
  set(ZORREL_TEST_LIBRARIES_FOUND TRUE)
else()
  set(ZORREL_TEST_LIBRARIES_FOUND FALSE)
endif()

set(ZORREL_BENCH_LIBRARIES_FOUND FALSE)
if(NOT WIN32)
  find_package(benchmark QUIET)
  find_package(X11 QUIET)
  if(benchmark_FOUND AND X11_FOUND AND X11_Xext_FOUND)
    set(ZORREL_BENCH_LIBRARIES_FOUND TRUE)
  endif()
endif()

# zorrel_optional_part(OPTION WHAT FOUND NEEDS): the cache variable OPTION is
# AUTO (build WHAT when FOUND is true), ON (build it, and fail clearly without
# NEEDS) or OFF. Leaves OPTION true or false for the caller.
function(zorrel_optional_part option what found needs)
  set(${option} AUTO CACHE STRING "Build ${what}: AUTO (when their libraries are found), ON or OFF")
  set_property(CACHE ${option} PROPERTY STRINGS AUTO ON OFF)
  set(wanted ${${option}})
  if(wanted STREQUAL "AUTO")
    if(${found})
      set(build TRUE)
    else()
      set(build FALSE)
      message(STATUS "Not building ${what}: they need ${needs}")
    endif()
  elseif(wanted)
    if(NOT ${found})
      message(FATAL_ERROR "${option} is ON, but ${what} need ${needs}, which were not found. "
        "Install them (scripts/install-deps.sh test) or configure with -D${option}=OFF.")
    endif()
    set(build TRUE)
  else()
    set(build FALSE)
  endif()
  set(${option} ${build} PARENT_SCOPE)
endfunction()
