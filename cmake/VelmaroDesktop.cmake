# What a Linux desktop looks for once Velmaro is installed: the menu entry,
# the icon theme, the software-centre metadata, the manuals, the shell
# completions of velmaroctl and the package's documentation. Manuals and
# completions are generated at build time, from packaging/manual.md and from
# velmaroctl's own help.
#
#   bin/velmaro, bin/velmaroctl
#   share/applications/<id>.desktop, share/metainfo/<id>.metainfo.xml
#   share/icons/hicolor/NxN/apps/<id>.png, share/icons/hicolor/scalable/apps/<id>.svg
#   share/man/man1/velmaro.1.gz, velmaroctl.1.gz
#   share/bash-completion/completions/velmaroctl, zsh and fish alike
#   share/doc/velmaro/copyright, changelog.gz, share/lintian/overrides/velmaro
# The skins, the language files and the udev rule are installed beside the
# code that makes them.

set(VELMARO_PACKAGING_DIR ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
find_program(VELMARO_GZIP gzip REQUIRED)

# The desktop program installs itself (cmake/VelmaroApp.cmake).

install(FILES ${VELMARO_PACKAGING_DIR}/${VELMARO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The metainfo's screenshots: the pictures in docs/screenshots of the
# repository, by their raw addresses under this one base.
set(VELMARO_SCREENSHOT_BASE_URL
    "https://raw.githubusercontent.com/velmaro/velmaro/main/docs/screenshots"
    CACHE STRING "Base address of the screenshots the AppStream metainfo shows")
configure_file(${VELMARO_PACKAGING_DIR}/${VELMARO_APP_ID}.metainfo.xml
               ${CMAKE_BINARY_DIR}/packaging/${VELMARO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${VELMARO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the sizes tools/skin_gen/app_icon.h draws, and the scalable one.
if(VELMARO_HAVE_SKINS)
    foreach(size 16 22 24 32 48 64 128 256)
        install(FILES ${VELMARO_SKIN_RESOURCE_DIR}/icon/${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${VELMARO_APP_ID}.png)
    endforeach()
    install(FILES ${VELMARO_SKIN_RESOURCE_DIR}/icon/velmaro.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
            RENAME ${VELMARO_APP_ID}.svg)
endif()

# Manuals, compressed as man-db and Debian expect (-n: no name or time
# stamp, so the same source gives the same file).
add_executable(velmaro_man_gen tools/man_gen/man_gen.cpp)
set(VELMARO_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(VELMARO_MAN_PAGES ${VELMARO_MAN_DIR}/velmaro.1.gz ${VELMARO_MAN_DIR}/velmaroctl.1.gz)
add_custom_command(
    OUTPUT ${VELMARO_MAN_PAGES}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMARO_MAN_DIR}
    COMMAND velmaro_man_gen ${VELMARO_PACKAGING_DIR}/manual.md ${PROJECT_VERSION} ${VELMARO_MAN_DIR}
    COMMAND ${VELMARO_GZIP} -9nf ${VELMARO_MAN_DIR}/velmaro.1 ${VELMARO_MAN_DIR}/velmaroctl.1
    DEPENDS velmaro_man_gen ${VELMARO_PACKAGING_DIR}/manual.md
    COMMENT "Writing the manual pages"
    VERBATIM)
add_custom_target(velmaro_man ALL DEPENDS ${VELMARO_MAN_PAGES})
install(FILES ${VELMARO_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Completions, written from what velmaroctl's help says.
file(GLOB VELMARO_COMPLETION_GEN_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/tools/completion_gen/*.cpp)
add_executable(velmaro_completion_gen ${VELMARO_COMPLETION_GEN_SOURCES})
set(VELMARO_COMPLETION_DIR ${CMAKE_BINARY_DIR}/completions)
set(VELMARO_COMPLETIONS ${VELMARO_COMPLETION_DIR}/velmaroctl ${VELMARO_COMPLETION_DIR}/_velmaroctl
    ${VELMARO_COMPLETION_DIR}/velmaroctl.fish)
add_custom_command(
    OUTPUT ${VELMARO_COMPLETIONS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMARO_COMPLETION_DIR}
    COMMAND velmaro_completion_gen $<TARGET_FILE:velmaroctl> ${VELMARO_COMPLETION_DIR}
    DEPENDS velmaro_completion_gen velmaroctl
    COMMENT "Writing velmaroctl's shell completions"
    VERBATIM)
add_custom_target(velmaro_completions ALL DEPENDS ${VELMARO_COMPLETIONS})
# zsh looks in vendor-completions for the system's packages and in
# site-functions for what is installed locally.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    set(VELMARO_ZSH_DIR ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
else()
    set(VELMARO_ZSH_DIR ${CMAKE_INSTALL_DATADIR}/zsh/site-functions)
endif()
install(FILES ${VELMARO_COMPLETION_DIR}/velmaroctl
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${VELMARO_COMPLETION_DIR}/_velmaroctl DESTINATION ${VELMARO_ZSH_DIR})
install(FILES ${VELMARO_COMPLETION_DIR}/velmaroctl.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

# The package's documentation: the copyright notice and the changelog.
set(VELMARO_CHANGELOG ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
    OUTPUT ${VELMARO_CHANGELOG}
    COMMAND ${VELMARO_GZIP} -9nc ${VELMARO_PACKAGING_DIR}/changelog > ${VELMARO_CHANGELOG}
    DEPENDS ${VELMARO_PACKAGING_DIR}/changelog
    COMMENT "Compressing the changelog")
add_custom_target(velmaro_changelog ALL DEPENDS ${VELMARO_CHANGELOG})
install(FILES ${VELMARO_PACKAGING_DIR}/copyright ${VELMARO_CHANGELOG}
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Lintian's notes on what is meant (packaging/lintian.md says why).
install(FILES ${VELMARO_PACKAGING_DIR}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME velmaro)
