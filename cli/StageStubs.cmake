# Copies whatever stubs exist from bin/ of the three build trees into
# STUB_DIR/<target>/ (run at every build; unchanged files are not touched).
# With REQUIRE_ALL (when an installation is made) a missing stub is an error.
#   cmake -DSTUB_DIR=... -DHOST_TREE=... -DWIN64_TREE=... -DWIN32_TREE=... [-DREQUIRE_ALL=ON] -P StageStubs.cmake
function(stage tree target)
  foreach(name IN LISTS ARGN)
    if(tree AND EXISTS "${tree}/bin/${name}")
      file(MAKE_DIRECTORY "${STUB_DIR}/${target}")
      execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different
                              "${tree}/bin/${name}" "${STUB_DIR}/${target}/${name}")
    elseif(REQUIRE_ALL)
      if(tree)
        set(reason "${tree}/bin/${name} does not exist")
      else()
        set(reason "no build tree is named for ${target}")
      endif()
      message(FATAL_ERROR "The ${target} stub ${name} is missing: ${reason}. "
                          "Build every preset first (scripts/build.sh).")
    endif()
  endforeach()
endfunction()

stage("${WIN64_TREE}" windows-x64 stub11.exe stub12.exe stub12c.exe)
stage("${WIN32_TREE}" windows-x86 stub11.exe stub12.exe stub12c.exe)
stage("${HOST_TREE}" linux-x64 stub12)
