# The Linux builds decode WebP with Debian's own libwebp (libwebp-dev), the same version the exe
# links from Debian's source package.
find_package(PkgConfig REQUIRED)
pkg_check_modules(QM_SYSTEM_WEBP REQUIRED IMPORTED_TARGET libwebp libwebpdemux)
target_link_libraries(qm_core PUBLIC PkgConfig::QM_SYSTEM_WEBP)
