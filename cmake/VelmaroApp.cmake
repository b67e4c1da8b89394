# The desktop program velmaro: everything but main() is the static library
# velmaro_app, which the tests link. Skipped without the UI toolkit.

if(NOT VELMARO_HAVE_UI)
    message(STATUS "No UI toolkit: the desktop program is not built")
    return()
endif()
find_package(Qt6 QUIET COMPONENTS Widgets Network)
if(NOT Qt6Network_FOUND)
    message(STATUS "Qt 6 Network not found: the desktop program is not built")
    return()
endif()

# The user guide the window's link opens.
set(VELMARO_USER_GUIDE_URL "file://${CMAKE_INSTALL_FULL_DOCDIR}/README.md"
    CACHE STRING "Address of the user guide the desktop program links to")

file(GLOB VELMARO_APP_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/app/*.cpp)
list(REMOVE_ITEM VELMARO_APP_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/src/app/main.cpp)
add_library(velmaro_app STATIC ${VELMARO_APP_SOURCES})
target_link_libraries(velmaro_app PUBLIC velmaro_ui velmaro_macro_dialogs velmaro_cli velmaro_hid_linux
                                         Qt6::Widgets Qt6::Network)
target_include_directories(velmaro_app PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/src
                                       PRIVATE ${VELMARO_SKIN_LAYOUT_DIR})
target_compile_definitions(velmaro_app PRIVATE
    VELMARO_VERSION="${PROJECT_VERSION}"
    VELMARO_USER_GUIDE_URL="${VELMARO_USER_GUIDE_URL}"
    # Run from the build folder, the guide is the README of the sources.
    VELMARO_SOURCE_README="${CMAKE_CURRENT_SOURCE_DIR}/README.md")

add_executable(velmaro src/app/main.cpp)
target_link_libraries(velmaro PRIVATE velmaro_app)
install(TARGETS velmaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(VELMARO_HAVE_APP ON)
