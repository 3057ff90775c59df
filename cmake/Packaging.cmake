# The licence, and the Debian package that `cpack -G DEB` makes of the installed files.
install(FILES "${CMAKE_SOURCE_DIR}/LICENSE" DESTINATION share/doc/platewright)
install(FILES "${CMAKE_SOURCE_DIR}/LICENSE" DESTINATION share/doc/platewright RENAME copyright)

set(CPACK_PACKAGE_NAME platewright)
set(CPACK_PACKAGE_VENDOR "The Platewright developers")
set(CPACK_PACKAGE_CONTACT "The Platewright developers <platewright@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop recipe manager with a meal-planning calendar")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# The synopsis line is the summary above; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Platewright keeps your recipes with their ordered ingredient lines, plans one
recipe per day on a month calendar, prints full recipes, small recipes and
shopping lists, exchanges recipes in a plain-text format and imports
Meal-Master files. All data lives in one SQLite database file.
.
The package also holds platewright-cli, which imports, exports, counts, plans
and prints to PDF from the command line.")
# The libraries come from dpkg-shlibdeps; the SQLite driver, which is loaded at run time
# instead of linked, and the fonts the windows ask for are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-liberation")

include(CPack)
