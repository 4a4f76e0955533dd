# Windows build: the real program, linked statically so that the exe is all a user copies.
enable_language(RC)

file(GLOB QM_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(qm_win32 STATIC ${QM_WIN32_SOURCES})
target_link_libraries(qm_win32 PUBLIC qm_core comctl32 comdlg32 shell32 winmm ole32 uuid)

add_executable(Quillmarten WIN32 src/shell/WinMain.cpp res/Quillmarten.rc)
target_link_libraries(Quillmarten PRIVATE qm_win32)
target_link_options(Quillmarten PRIVATE -static -mwindows $<$<CONFIG:Release>:-s>)
set_source_files_properties(res/Quillmarten.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/Quillmarten.ico;${CMAKE_SOURCE_DIR}/res/Quillmarten.manifest")

# The end-to-end tests read the program's windows from outside with this small driver.
file(GLOB QM_PROBE_SOURCES CONFIGURE_DEPENDS e2e/probe/*.cpp)
if(QM_PROBE_SOURCES)
  add_executable(qmprobe ${QM_PROBE_SOURCES})
  target_link_options(qmprobe PRIVATE -static)
endif()

# Benchmarks time the program's own drop handling with this driver (scripts/bench.sh).
file(GLOB QM_BENCH_SOURCES CONFIGURE_DEPENDS e2e/bench/*.cpp)
if(QM_BENCH_SOURCES)
  add_executable(qmbench ${QM_BENCH_SOURCES})
  target_link_libraries(qmbench PRIVATE qm_win32)
  target_link_options(qmbench PRIVATE -static)
endif()
