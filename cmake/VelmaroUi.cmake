# The skinned UI toolkit (windowless controls, dialog host, fonts), built on
# Qt 6 Widgets with the generated skin compiled in. Skipped without Qt or
# without the skin artwork; the core builds as before.
#
# Provides velmaro_ui (static). Programs that link it call
# velmaro::InitUiResources() once so the compiled-in images stay linked.

if(NOT VELMARO_HAVE_SKINS)
    message(STATUS "No skin artwork: the UI toolkit is not built")
    return()
endif()
find_package(Qt6 QUIET COMPONENTS Widgets)
if(NOT Qt6Widgets_FOUND)
    message(STATUS "Qt 6 Widgets not found: the UI toolkit is not built")
    return()
endif()

file(GLOB VELMARO_UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/ui/*.cpp)
qt_add_resources(VELMARO_UI_SKIN_RESOURCES ${VELMARO_SKIN_QRC})
add_library(velmaro_ui STATIC ${VELMARO_UI_SOURCES} ${VELMARO_UI_SKIN_RESOURCES})
add_dependencies(velmaro_ui velmaro_skins)
target_link_libraries(velmaro_ui PUBLIC velmaro_core Qt6::Widgets)
target_include_directories(velmaro_ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/src
                                      PRIVATE ${VELMARO_SKIN_LAYOUT_DIR})
target_compile_definitions(velmaro_ui PRIVATE
    VELMARO_SKINS_INSTALL_DIR="${CMAKE_INSTALL_FULL_DATADIR}/velmaro/skins")
# Messages may be posted to windows from other threads (CDlgBase::PostMessage).
find_package(Threads REQUIRED)
target_link_libraries(velmaro_ui PUBLIC Threads::Threads)

set(VELMARO_HAVE_UI ON)
