# What every installation carries beside the plug-ins (the licences, a change
# log, the manual page) and the Debian package CPack makes of it all. The
# portable archive and the Windows installer are assembled from the same
# component install by scripts/package-linux-archive.sh and
# scripts/package-windows.sh.

set(VELMORIN_DOC_DIR share/doc/velmorin)
# Installing (and so packaging) takes what is built and builds nothing more:
# the package tests must not build every test binary first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# copyright: our licence, then the licence of each set of vendored headers,
# found beside them, so a newly vendored set is carried without more ado.
file(GLOB velmorin_vendored_licences LIST_DIRECTORIES false
  ${PROJECT_SOURCE_DIR}/third_party/*/LICENSE*)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/LICENSE ${velmorin_vendored_licences})
file(READ ${PROJECT_SOURCE_DIR}/LICENSE velmorin_licence)
set(velmorin_copyright "Velmorin, a three-band mastering dynamics processor.\n\n"
  "Velmorin's own code is released under the MIT licence:\n\n${velmorin_licence}")
foreach(licence IN LISTS velmorin_vendored_licences)
  file(RELATIVE_PATH vendored ${PROJECT_SOURCE_DIR} ${licence})
  get_filename_component(vendored ${vendored} DIRECTORY)
  file(READ ${licence} text)
  string(APPEND velmorin_copyright
    "\n----------------------------------------------------------------------\n\n"
    "The headers in ${vendored}/ are used under their own licence:\n\n${text}")
endforeach()
file(WRITE ${PROJECT_BINARY_DIR}/copyright "${velmorin_copyright}")
# The version the packages' file names carry, for the scripts that make them.
file(WRITE ${PROJECT_BINARY_DIR}/version.txt "${PROJECT_VERSION}\n")
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${VELMORIN_DOC_DIR} COMPONENT docs)

# Windows folders and the portable archive end here: what follows needs the
# command to run on the build machine and serves Debian's package alone.
if(CMAKE_CROSSCOMPILING)
  return()
endif()

# The change log Debian expects of a package, compressed as its policy says.
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${PROJECT_BINARY_DIR}/changelog @ONLY)
execute_process(COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/changelog COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${VELMORIN_DOC_DIR} COMPONENT docs)

# velmorin.1, written from the command's own help (help2man), when help2man
# is installed: the same texts as `velmorin --help` can never disagree with it.
find_program(VELMORIN_HELP2MAN help2man)
if(VELMORIN_HELP2MAN)
  set(manual ${PROJECT_BINARY_DIR}/velmorin.1.gz)
  add_custom_command(OUTPUT ${manual}
    COMMAND sh ${PROJECT_SOURCE_DIR}/packaging/manual_page.sh ${VELMORIN_HELP2MAN}
            $<TARGET_FILE:velmorin> ${manual}
    DEPENDS velmorin ${PROJECT_SOURCE_DIR}/packaging/manual_page.sh
    COMMENT "Writing the manual page velmorin.1"
    VERBATIM)
  add_custom_target(velmorin_manual ALL DEPENDS ${manual})
  # Optional: builds that make only their tests (the sanitizer builds) install
  # too; the package tests check that the page is in every package.
  install(FILES ${manual} DESTINATION share/man/man1 COMPONENT docs OPTIONAL)
endif()

set(CPACK_PACKAGE_NAME velmorin)
set(CPACK_PACKAGE_VENDOR "The Velmorin authors")
set(CPACK_PACKAGE_CONTACT "QuandorWeb <velmorin@quandorweb.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "three-band mastering dynamics processor plug-in")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Velmorin removes DC, splits stereo audio into three bands that sum back to
the input exactly, compresses each band with look-ahead, and finishes with a
look-ahead peak limiter, output gain, optional dither and an auto-normalizer.
This package holds the VST 2.4, VST3, CLAP and LV2 plug-ins and the velmorin
command, which masters audio files through the plug-in.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quandorweb.com/velmorin")
# The dependencies are the libraries the binaries need, as dpkg-shlibdeps
# finds them: the oldest distribution they install on follows from the build.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
