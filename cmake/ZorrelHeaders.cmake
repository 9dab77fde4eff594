# Each library of src/ shows whatever links it only its public headers, so
# that an include against the layering fails to build. The headers keep
# their paths ("toy/Toy.h"): a folder per library in the build tree holds
# links to the ones it exports, and its own sources see their whole folder.
#
#   zorrel_headers(TARGET FOLDER [PUBLIC header...])
function(zorrel_headers target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "PUBLIC")
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  # Made afresh, so that a header no longer exported is gone too.
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/public/${folder})
  foreach(header IN LISTS arg_PUBLIC)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/src/${folder}/${header})
      message(FATAL_ERROR "${target} exports ${folder}/${header}, which does not exist")
    endif()
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder}/${header}
      ${root}/public/${folder}/${header} SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root}/public)
  else()
    file(MAKE_DIRECTORY ${root}/own)
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/own/${folder} SYMBOLIC)
    target_include_directories(${target} PRIVATE ${root}/own PUBLIC ${root}/public)
  endif()
endfunction()
