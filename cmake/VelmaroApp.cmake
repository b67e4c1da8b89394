# The desktop program velmaro: everything but main() is the static library
# velmaro_app, which the tests link. Skipped without the UI toolkit.

if(NOT VELMARO_HAVE_UI)
    message(STATUS "No UI toolkit: the desktop program is not built")
    return()
endif()
find_package(Qt6 QUIET COMPONENTS Widgets DBus)
if(NOT Qt6DBus_FOUND)
    message(STATUS "Qt 6 DBus not found: the desktop program is not built")
    return()
endif()

# The user guide the window's link opens.
set(VELMARO_USER_GUIDE_URL "file://${CMAKE_INSTALL_FULL_DOCDIR}/README.md"
    CACHE STRING "Address of the user guide the desktop program links to")

file(GLOB VELMARO_APP_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/app/*.cpp)
list(REMOVE_ITEM VELMARO_APP_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/src/app/main.cpp)
add_library(velmaro_app STATIC ${VELMARO_APP_SOURCES})
target_link_libraries(velmaro_app PUBLIC velmaro_ui velmaro_macro_dialogs velmaro_cli velmaro_hid_linux
                                         Qt6::Widgets Qt6::DBus)
# X11 glue: press-only auto-repeat (XKB), keys typed anywhere on the desktop
# while a key capture runs (XInput2 raw events), an XEmbed tray's arrival.
pkg_check_modules(VELMARO_XCB_KEYS REQUIRED IMPORTED_TARGET xcb xcb-xinput xcb-xkb)
target_link_libraries(velmaro_app PRIVATE PkgConfig::VELMARO_XCB_KEYS)
# Fontconfig, the font lookup Qt uses on Linux, is set up before the
# application object exists.
pkg_check_modules(VELMARO_FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
target_link_libraries(velmaro_app PRIVATE PkgConfig::VELMARO_FONTCONFIG)
target_include_directories(velmaro_app PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/src
                                       PRIVATE ${VELMARO_SKIN_LAYOUT_DIR})
# The same X library shows an XEmbed tray appearing without asking Qt (which
# settles its choice of tray at its first look).
target_compile_definitions(velmaro_app PRIVATE VELMARO_HAVE_XCB)
# Where the installed program finds its shared files and the udev rule,
# relative to its own folder (any prefix) and in the configured prefix.
file(RELATIVE_PATH VELMARO_SHARE_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/velmaro)
file(RELATIVE_PATH VELMARO_UDEV_RULE_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/lib/udev/rules.d/70-velmaro.rules)
target_compile_definitions(velmaro_app PRIVATE
    VELMARO_VERSION="${PROJECT_VERSION}"
    VELMARO_APP_ID="${VELMARO_APP_ID}"
    VELMARO_SHARE_FROM_BIN="${VELMARO_SHARE_FROM_BIN}"
    VELMARO_SHARE_DIR="${CMAKE_INSTALL_FULL_DATADIR}/velmaro"
    VELMARO_UDEV_RULE_FROM_BIN="${VELMARO_UDEV_RULE_FROM_BIN}"
    VELMARO_UDEV_RULE="${CMAKE_INSTALL_PREFIX}/lib/udev/rules.d/70-velmaro.rules"
    VELMARO_SOURCE_UDEV_RULE="${CMAKE_CURRENT_SOURCE_DIR}/packaging/70-velmaro.rules"
    VELMARO_USER_GUIDE_URL="${VELMARO_USER_GUIDE_URL}"
    # Run from the build folder, the guide is the README of the sources.
    VELMARO_SOURCE_README="${CMAKE_CURRENT_SOURCE_DIR}/README.md")

add_executable(velmaro src/app/main.cpp)
target_link_libraries(velmaro PRIVATE velmaro_app)
install(TARGETS velmaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The guide's pictures, where its links find them.
install(DIRECTORY docs/screenshots DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs
        FILES_MATCHING PATTERN "*.png")

# The user guide's pictures, drawn by the main window (scripts/readme-screenshot);
# built on request only.
add_executable(velmaro_readme_shots EXCLUDE_FROM_ALL tools/readme_shots/readme_shots.cpp)
target_link_libraries(velmaro_readme_shots PRIVATE velmaro_app)
target_include_directories(velmaro_readme_shots PRIVATE ${VELMARO_SKIN_LAYOUT_DIR})
target_compile_definitions(velmaro_readme_shots PRIVATE VELMARO_SKINS_DIR="${VELMARO_SKINS_DIR}/")
add_dependencies(velmaro_readme_shots velmaro_skins)

set(VELMARO_HAVE_APP ON)
