# Windows build: the real program, linked statically so that the exe is all a user copies.
enable_language(RC)

file(GLOB QM_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(qm_win32 STATIC ${QM_WIN32_SOURCES})
# The common dialogs, the network dialog and the sound library are not linked: they are loaded
# when first needed (Win32LateFunction.h), so that an idle program does not carry them and the
# printing stack.
include(cmake/libwebp.cmake)
target_link_libraries(qm_core PUBLIC qm_webp)
# The imaging component is reached through COM only, so it is loaded at the first conversion.
target_link_libraries(qm_win32 PUBLIC qm_core comctl32 shell32 ole32 uuid)

add_executable(Quillmarten WIN32 src/shell/WinMain.cpp res/Quillmarten.rc)
target_link_libraries(Quillmarten PRIVATE qm_win32)
# The linker keeps only the sections something calls: most of libwebp is never reached.
target_link_options(Quillmarten PRIVATE -static -mwindows -Wl,--gc-sections $<$<CONFIG:Release>:-s>)
set_source_files_properties(res/Quillmarten.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/Quillmarten.ico;${CMAKE_SOURCE_DIR}/res/Quillmarten.manifest;${CMAKE_SOURCE_DIR}/src/platform/win32/FolderChooserIds.h")

# The end-to-end tests read the program's windows from outside with this small driver.
file(GLOB QM_PROBE_SOURCES CONFIGURE_DEPENDS e2e/probe/*.cpp)
if(QM_PROBE_SOURCES)
  add_executable(qmprobe ${QM_PROBE_SOURCES})
  target_link_libraries(qmprobe PRIVATE ole32 uuid shell32 shlwapi)
  target_link_options(qmprobe PRIVATE -static)
endif()

# The release: a zip with the exe and a Japanese readme in one folder, which the user copies
# anywhere (cmake --build --preset windows --target package).
set(QM_README "${CMAKE_BINARY_DIR}/readme.txt")
add_custom_command(OUTPUT "${QM_README}"
  COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/res/readme.txt -DOUTPUT=${QM_README}
          -P ${CMAKE_SOURCE_DIR}/cmake/make_readme.cmake
  DEPENDS "${CMAKE_SOURCE_DIR}/res/readme.txt" "${CMAKE_SOURCE_DIR}/cmake/make_readme.cmake")
add_custom_target(readme ALL DEPENDS "${QM_README}")

install(TARGETS Quillmarten RUNTIME DESTINATION .)
install(FILES "${QM_README}" DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Quillmarten)
set(CPACK_PACKAGE_FILE_NAME "Quillmarten-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}")
include(CPack)

# Built only by scripts/bench.sh.
include(e2e/bench/programs.cmake)
