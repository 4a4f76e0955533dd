# Native build: the program's logic over the fake platform, proven by GoogleTest.
include(cmake/libwebp-system.cmake)
if(QM_SANITIZE)
  set(QM_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                         -fno-omit-frame-pointer)
  target_compile_options(qm_core PUBLIC ${QM_SANITIZER_FLAGS})
  target_link_options(qm_core PUBLIC ${QM_SANITIZER_FLAGS})
endif()

file(GLOB QM_FAKE_SOURCES CONFIGURE_DEPENDS src/platform/fake/*.cpp)
add_library(qm_fake STATIC ${QM_FAKE_SOURCES})
target_link_libraries(qm_fake PUBLIC qm_core)

find_package(GTest REQUIRED)
enable_testing()
include(GoogleTest)

file(GLOB QM_TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
add_executable(qm_tests ${QM_TEST_SOURCES})
target_link_libraries(qm_tests PRIVATE qm_fake GTest::gtest_main)
gtest_discover_tests(qm_tests DISCOVERY_TIMEOUT 60)

# Only the Windows layer and the process entry may see <windows.h>.
add_test(NAME windows_header_stays_in_its_layer
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/check_windows_includes.cmake)

# Includes run downwards only, from shell/ to text/.
add_test(NAME includes_run_downwards
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/check_include_layers.cmake)

# The end-to-end tests drop files on the Wine desktop with this small native XDND source.
find_package(X11)
if(X11_FOUND)
  file(GLOB QM_XDND_SOURCES CONFIGURE_DEPENDS e2e/xdnd/*.cpp)
  add_executable(qmxdnd ${QM_XDND_SOURCES})
  target_link_libraries(qmxdnd PRIVATE X11::X11)
  # A Linux program: its paths and text are UTF-8, not the product's code page.
  target_compile_options(qmxdnd PRIVATE -fexec-charset=UTF-8)
  # The benchmarks see when a window is really on the screen with this one.
  add_executable(qmxmapped EXCLUDE_FROM_ALL e2e/xmapped/main.cpp)
  target_link_libraries(qmxmapped PRIVATE X11::X11)
endif()
