# Fuzz build: the program's logic over the fake platform, driven by libFuzzer. Every library is
# instrumented for coverage and checked by ASan and UBSan; only the targets link the fuzzer's main.
include(cmake/libwebp-system.cmake)
set(QM_FUZZ_CHECKS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(qm_core PUBLIC -fsanitize=fuzzer-no-link ${QM_FUZZ_CHECKS})
target_link_options(qm_core PUBLIC ${QM_FUZZ_CHECKS})

file(GLOB QM_FAKE_SOURCES CONFIGURE_DEPENDS src/platform/fake/*.cpp)
add_library(qm_fake STATIC ${QM_FAKE_SOURCES})
target_link_libraries(qm_fake PUBLIC qm_core)

# One executable per tests/fuzz/*Fuzz.cpp, named after it: fuzz_settings_round_trip and so on.
file(GLOB QM_FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/*Fuzz.cpp)
foreach(source ${QM_FUZZ_SOURCES})
  get_filename_component(stem ${source} NAME_WE)
  string(REGEX REPLACE "Fuzz$" "" stem ${stem})
  string(REGEX REPLACE "([a-z0-9])([A-Z])" "\\1_\\2" stem ${stem})
  string(TOLOWER "fuzz_${stem}" target)
  add_executable(${target} ${source})
  target_include_directories(${target} PRIVATE tests/fuzz)
  target_link_libraries(${target} PRIVATE qm_fake)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
endforeach()
