# The Debian package: `cpack -G DEB` in the build folder packs what `cmake --install` installs,
# under /usr. The libraries it needs are found by dpkg-shlibdeps from the programs themselves, so
# a new library of the core shows up in Depends without a change here; Qt's SVG image plugin is
# loaded at run time and therefore named by hand. ICU's transforms (libicui18n), also loaded at run
# time, come in the package of the libicuuc the programs are linked with (libicu72).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorella)
set(CPACK_PACKAGE_VENDOR "Tamsel Software")
set(CPACK_PACKAGE_CONTACT "Tamsel Software <support@tamsel.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "build small static FAQ web sites from questions and answers")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorella keeps any number of named FAQs, each an ordered list of
questions with their answers and page options, and writes each one as a
small static web site: a simple page or a framed layout, one answer per
page or all answers on one page. It imports FAQs from plain text files and
backs up and restores its whole configuration.
.
The package holds the desktop application quorella and the command line
quorella-cli, which does the same work from scripts and build pipelines.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.tamsel.example/quorel/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, bash-completion")
# Files readable by everyone and owned by root whatever the build folder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
