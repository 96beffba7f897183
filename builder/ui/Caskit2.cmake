# The builder program Caskit2.exe: frame, project windows, pages, pickers,
# engine, and its resources (toolbar bitmap and icons drawn at build time,
# the launcher stubs of this build tree embedded as "EXE" 113, 114 and
# 115, stub12's console twin).

set(CASKIT2_ART_DIR ${CMAKE_CURRENT_BINARY_DIR}/art)
set(CASKIT2_STUB_DIR ${CMAKE_BINARY_DIR}/bin)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/caskit2-binaries.rc.in ${CMAKE_CURRENT_BINARY_DIR}/caskit2-binaries.rc @ONLY)

find_program(CASKIT_PYTHON3 NAMES python3 REQUIRED)
set(caskit2_art
  ${CASKIT2_ART_DIR}/toolbar.bmp ${CASKIT2_ART_DIR}/program.ico ${CASKIT2_ART_DIR}/small.ico
  ${CASKIT2_ART_DIR}/large_placeholder.ico ${CASKIT2_ART_DIR}/small_placeholder.ico ${CASKIT2_ART_DIR}/project.ico)
add_custom_command(OUTPUT ${caskit2_art}
  COMMAND ${CASKIT_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/art/make_art.py ${CASKIT2_ART_DIR}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/art/make_art.py
  COMMENT "Drawing the builder's toolbar bitmap and icons" VERBATIM)
add_custom_target(caskit2_art DEPENDS ${caskit2_art})

# The user guide as HTML beside Caskit2.exe: opened at a topic's section
# when Windows Help cannot show Caskit.hlp.
set(CASKIT2_GUIDE ${CMAKE_CURRENT_BINARY_DIR}/Caskit.html)
caskit_guide_html(caskit2_guide ${CASKIT2_GUIDE})
set_property(GLOBAL PROPERTY CASKIT_GUIDE_HTML ${CASKIT2_GUIDE})

file(GLOB caskit2_page_templates CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/pages/*.rc)
add_executable(Caskit2 WIN32 ${frame_sources} caskit2.rc)
target_include_directories(Caskit2 PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
target_link_libraries(Caskit2 PRIVATE caskit_ui_pages caskit_engine caskit_platform caskit_version
  comctl32 comdlg32 advapi32 user32 gdi32 shell32)
add_dependencies(Caskit2 caskit2_art caskit2_guide)
caskit_version_resource(Caskit2 Caskit2.exe "Caskit builder")
set_source_files_properties(caskit2.rc PROPERTIES OBJECT_DEPENDS
  "${caskit2_art};${CASKIT_GENERATED_DIR}/CaskitVersion.h;${caskit2_page_templates};${CMAKE_CURRENT_SOURCE_DIR}/pickers.rc;${CMAKE_CURRENT_SOURCE_DIR}/resource.h;${CMAKE_CURRENT_BINARY_DIR}/caskit2-binaries.rc")

# The stubs (declared in stubs/, which is configured before this
# folder) are built first, and re-embedded whenever they change.
foreach(stub stub11 stub12 stub12c)
  if(TARGET ${stub})
    add_dependencies(Caskit2 ${stub})
    set_property(SOURCE caskit2.rc APPEND PROPERTY OBJECT_DEPENDS ${CASKIT2_STUB_DIR}/${stub}.exe)
  else()
    message(WARNING "Caskit2: target ${stub} is missing; ${CASKIT2_STUB_DIR}/${stub}.exe must exist")
  endif()
endforeach()

# Installed beside caskit.exe; its guide is installed by packaging/.
install(TARGETS Caskit2 RUNTIME DESTINATION ${CASKIT_INSTALL_BIN})
