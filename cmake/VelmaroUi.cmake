# libvelmaro_ui: the skinned UI toolkit (windowless controls, dialog host,
# popups, small dialogs) on Qt 6 Widgets. Every src/ui/*.cpp joins it; the
# compiled-in skin images are part of it. Skipped when Qt 6 Widgets or the
# skin artwork is missing.
#
# Provides: velmaro_ui, VELMARO_HAVE_UI.
set(VELMARO_HAVE_UI OFF)
find_package(Qt6 QUIET COMPONENTS Widgets)
if(NOT Qt6Widgets_FOUND OR NOT VELMARO_HAVE_SKINS)
    message(STATUS "Qt 6 Widgets or the skin artwork missing: velmaro_ui is not built")
    return()
endif()

file(GLOB VELMARO_UI_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/ui/*.cpp)
qt_add_resources(VELMARO_UI_SKIN_RESOURCES ${VELMARO_SKIN_QRC})
add_library(velmaro_ui STATIC ${VELMARO_UI_SOURCES} ${VELMARO_UI_SKIN_RESOURCES})
set_target_properties(velmaro_ui PROPERTIES AUTOMOC ON)
add_dependencies(velmaro_ui velmaro_skins)
target_link_libraries(velmaro_ui PUBLIC velmaro_core Qt6::Widgets Threads::Threads)
target_include_directories(velmaro_ui PRIVATE ${VELMARO_SKIN_LAYOUT_DIR})

set(VELMARO_HAVE_UI ON)
