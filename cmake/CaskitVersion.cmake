# The product's version (project(... VERSION ...) in the top CMakeLists.txt)
# for the programs: a generated header CaskitVersion.h (target
# caskit_version) and, for Windows programs, a generated version resource.

# The About box names a release by major and minor number ("Version 2.2")
# and shows the third number only when it is not zero.
if(PROJECT_VERSION_PATCH EQUAL 0)
  set(CASKIT_SHORT_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
else()
  set(CASKIT_SHORT_VERSION ${PROJECT_VERSION})
endif()

set(CASKIT_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/CaskitVersion.h.in ${CASKIT_GENERATED_DIR}/CaskitVersion.h @ONLY)
add_library(caskit_version INTERFACE)
target_include_directories(caskit_version INTERFACE ${CASKIT_GENERATED_DIR})

# caskit_version_resource(target FILE_NAME DESCRIPTION): adds to a Windows
# program a VERSIONINFO resource with the product's version, its file name
# and description.
function(caskit_version_resource target file_name description)
  if(NOT WIN32)
    return()
  endif()
  set(CASKIT_FILE_NAME ${file_name})
  get_filename_component(CASKIT_INTERNAL_NAME ${file_name} NAME_WE)
  set(CASKIT_FILE_DESCRIPTION ${description})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
