# The Debian package of a system install: `cpack --preset deb` (or `cpack -G DEB` in the build folder) writes
# morvik_<version>_<arch>.deb. Its dependencies are what dpkg-shlibdeps finds the executable linked against.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PACKAGE_FILE_NAME morvik)  # replaced by the Debian name below
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "")
set(MORVIK_MAINTAINER "The Morvik developers <morvik@example.org>" CACHE STRING
    "The Debian package's maintainer, a name and an address")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MORVIK_MAINTAINER}")
# The first line is the summary; the rest, indented by CPack, the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "small 2D boxing game
Two fighters stand side-on in a ring: you on the left, a computer opponent on
the right. Guard high, middle or low, walk in and out, throw left and right
punches, and knock your opponent out. Fight a ten-level tournament, where your
best winning margin on each level is kept as a cup, or train against a
sparring partner who grows quicker or slower after every round to match you.")
include(CPack)
