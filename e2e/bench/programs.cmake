# The benchmarks' Windows programs: qmpoll watches from inside Wine, the minimal programs are
# what the program is measured against, qmbench times the program's own saves. Built only on request (scripts/bench.sh), so that the
# test build stays as it is.
set(QM_BENCH_PROGRAMS ${CMAKE_SOURCE_DIR}/e2e/bench/programs)

add_executable(qmpoll EXCLUDE_FROM_ALL ${QM_BENCH_PROGRAMS}/WatchPoller.cpp)
target_link_options(qmpoll PRIVATE -static)

add_executable(qmmindrop WIN32 EXCLUDE_FROM_ALL ${QM_BENCH_PROGRAMS}/TimerDrop.cpp)
target_link_options(qmmindrop PRIVATE -static -mwindows)

# The same tray program with and without the program's manifest.
function(qm_minimal_tray target resources)
  add_executable(${target} WIN32 EXCLUDE_FROM_ALL ${QM_BENCH_PROGRAMS}/IdleTray.cpp
                 ${QM_BENCH_PROGRAMS}/${resources})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/res)
  target_link_libraries(${target} PRIVATE ole32 comctl32 shell32)
  target_link_options(${target} PRIVATE -static -mwindows)
endfunction()
qm_minimal_tray(qmmintray IdleTray.rc)
qm_minimal_tray(qmmintray-plain IdleTrayPlain.rc)

add_executable(qmbench EXCLUDE_FROM_ALL ${QM_BENCH_PROGRAMS}/SaveBench.cpp)
target_link_libraries(qmbench PRIVATE qm_win32)
target_link_options(qmbench PRIVATE -static)
