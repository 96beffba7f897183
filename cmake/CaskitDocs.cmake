# The user guide (docs/user-guide.md) as one HTML page, made with
# python3-markdown (Debian's package): beside Caskit2.exe on Windows, in
# share/doc/caskit/ of a Linux installation.

find_program(CASKIT_SYSTEM_PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

# caskit_guide_html(target output): a target, built by default, that
# writes the guide to `output`.
function(caskit_guide_html target output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CASKIT_SYSTEM_PYTHON3} ${PROJECT_SOURCE_DIR}/docs/make_guide_html.py
            ${PROJECT_SOURCE_DIR}/docs/user-guide.md ${output}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/make_guide_html.py ${PROJECT_SOURCE_DIR}/docs/user-guide.md
    COMMENT "Converting the user guide to ${output}" VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()
