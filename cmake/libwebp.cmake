# libwebp's decoder and demuxer, cross-built from Debian's source package that scripts/setup.sh
# fetches (with Debian's patches applied), and linked statically into the exe. Built for size:
# only the decoding functions the program calls stay after the linker's garbage collection.
include(ExternalProject)

set(QM_WEBP_SOURCE_DIR "${CMAKE_SOURCE_DIR}/build/deps/libwebp/source"
    CACHE PATH "libwebp's source, as scripts/setup.sh unpacks it")
if(NOT EXISTS "${QM_WEBP_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "libwebp's source is not at ${QM_WEBP_SOURCE_DIR}: run scripts/setup.sh")
endif()

set(QM_WEBP_BINARY_DIR "${CMAKE_BINARY_DIR}/libwebp")
set(QM_WEBP_LIBRARIES "${QM_WEBP_BINARY_DIR}/libwebpdemux.a" "${QM_WEBP_BINARY_DIR}/libwebpdecoder.a")
set(QM_WEBP_TOOLS ANIM_UTILS CWEBP DWEBP GIF2WEBP IMG2WEBP VWEBP WEBPINFO LIBWEBPMUX WEBPMUX EXTRAS)
set(QM_WEBP_NO_TOOLS "")
foreach(tool IN LISTS QM_WEBP_TOOLS)
  list(APPEND QM_WEBP_NO_TOOLS -DWEBP_BUILD_${tool}=OFF)
endforeach()

ExternalProject_Add(libwebp
  SOURCE_DIR "${QM_WEBP_SOURCE_DIR}"
  BINARY_DIR "${QM_WEBP_BINARY_DIR}"
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=MinSizeRel
    "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections"
    -DBUILD_SHARED_LIBS=OFF
    # One picture is decoded at a time; the decoder's own worker thread would only add weight.
    -DWEBP_USE_THREAD=OFF
    ${QM_WEBP_NO_TOOLS}
  BUILD_COMMAND ${CMAKE_COMMAND} --build "${QM_WEBP_BINARY_DIR}" --target webpdecoder webpdemux
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${QM_WEBP_LIBRARIES})

add_library(qm_webp INTERFACE)
add_dependencies(qm_webp libwebp)
target_include_directories(qm_webp INTERFACE "${QM_WEBP_SOURCE_DIR}/src")
target_link_libraries(qm_webp INTERFACE ${QM_WEBP_LIBRARIES})
