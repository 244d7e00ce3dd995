# What an office installs: the two programs, the desktop menu entry with its
# icon, the help pages and the administrator's guide; and the .deb that
# carries them (scripts/package.sh). The package depends on the run-time
# libraries only: no compiler, no PostgreSQL server, no test tools.
include(GNUInstallDirs)
# Installing (and packaging) takes the programs as built; it never builds
# everything else first (tests, benchmarks).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS community-registry community-admin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/app/community-registry.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/bmp/AppIcon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME community-registry.png)
install(FILES ${PROJECT_SOURCE_DIR}/bmp/AppIcon-128.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps
        RENAME community-registry.png)
set(_cr_docdir ${CMAKE_INSTALL_DATADIR}/doc/community-registry)   # the package's name, as Debian wants
file(GLOB _cr_help ${PROJECT_SOURCE_DIR}/app/help/*.html ${PROJECT_SOURCE_DIR}/app/help/*.css)
install(FILES ${_cr_help} DESTINATION ${_cr_docdir}/help)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/admin.md DESTINATION ${_cr_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME community-registry)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "community-registry")
set(CPACK_PACKAGE_CONTACT "社区居委会信息登记 <community-registry@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "社区居委会信息登记 (community office registry)")
set(CPACK_PACKAGE_DESCRIPTION
    "Desktop application of a residential community office: responsibility areas, buildings, houses, persons\n"
    "in charge, resident teams, rented houses and sanctions; SQLite on one PC or a shared PostgreSQL server.\n"
    "Includes community-admin for setting up, copying, backing up and restoring the registry.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the programs link come from dpkg-shlibdeps; what is loaded at run
# time (the SQL drivers, the translations, the workbook libraries of the
# export and import) and the Chinese font are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, libqt6sql6-psql, qt6-translations-l10n, libxlsxwriter4, libminizip1, fonts-wqy-microhei | fonts-noto-cjk")
# pg_dump and pg_restore, for backups of a server registry.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql-client")
include(CPack)
