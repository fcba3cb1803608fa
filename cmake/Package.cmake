# The Debian package (cmake --build build --target package, or scripts/package.sh): the
# program directory under /opt/kov-q730, the three executables on the PATH through links
# in /usr/bin, a desktop entry and an icon for the desktop menu. The dependencies on the
# Qt libraries come from dpkg-shlibdeps; the font and the opener are named here.

set(KOV_PACKAGE_MAINTAINER "KOV-Q730 maintainers <maintainers@kov-q730.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(kov_install_dir opt/kov-q730)
set(kov_package_dir ${CMAKE_BINARY_DIR}/package-files)

install(TARGETS kov-q730 kovctl kov-sim RUNTIME DESTINATION ${kov_install_dir})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${kov_install_dir})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/kov-q730.installed DESTINATION ${kov_install_dir})

set(kov_links "")
foreach(tool kov-q730 kovctl kov-sim)
    file(MAKE_DIRECTORY ${kov_package_dir}/bin)
    file(CREATE_LINK /${kov_install_dir}/${tool} ${kov_package_dir}/bin/${tool} SYMBOLIC)
    list(APPEND kov_links ${kov_package_dir}/bin/${tool})
endforeach()
install(FILES ${kov_links} DESTINATION usr/bin)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/kov-q730.desktop DESTINATION usr/share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/kov-q730.svg
        DESTINATION usr/share/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION usr/share/doc/kov-q730)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION usr/share/lintian/overrides RENAME kov-q730)

# Debian wants the changelog compressed with gzip -9n (no name, no time stamp).
configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog ${kov_package_dir}/changelog @ONLY)
execute_process(COMMAND gzip -9nc ${kov_package_dir}/changelog
                OUTPUT_FILE ${kov_package_dir}/changelog.gz RESULT_VARIABLE gzip_failed)
if(gzip_failed)
    message(FATAL_ERROR "gzip could not compress the package changelog")
endif()
install(FILES ${kov_package_dir}/changelog.gz DESTINATION usr/share/doc/kov-q730)

# A short manual page for each command on the PATH.
foreach(tool kov-q730 kovctl kov-sim)
    configure_file(${CMAKE_SOURCE_DIR}/packaging/man/${tool}.1 ${kov_package_dir}/${tool}.1 @ONLY)
    execute_process(COMMAND gzip -9nc ${kov_package_dir}/${tool}.1
                    OUTPUT_FILE ${kov_package_dir}/${tool}.1.gz RESULT_VARIABLE gzip_failed)
    if(gzip_failed)
        message(FATAL_ERROR "gzip could not compress the manual page of ${tool}")
    endif()
    install(FILES ${kov_package_dir}/${tool}.1.gz DESTINATION usr/share/man/man1)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kov-q730)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_CONTACT ${KOV_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "control program for the KOV-Q730 video-wall splicing processor")
set(CPACK_PACKAGE_DESCRIPTION
    "The desktop program configures the rack of a KOV-Q730 video-wall splicing\n"
    "processor over a serial line, edits every input and output card, arranges\n"
    "the wall in draggable diagrams, keeps templates and project files, and\n"
    "schedules actions. kovctl drives the device from the shell; kov-sim is a\n"
    "virtual device for trying the program without one.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
