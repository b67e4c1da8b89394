# The macro dialogs and the key capture they use: Qt, built on the UI
# toolkit, kept out of the core. Skipped without the UI toolkit.
#
# Provides velmaro_macro_dialogs (static); the desktop program links it.

if(NOT VELMARO_HAVE_UI)
    return()
endif()

file(GLOB VELMARO_MACRO_DIALOG_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/src/app/macro/*.cpp)
add_library(velmaro_macro_dialogs STATIC ${VELMARO_MACRO_DIALOG_SOURCES})
target_link_libraries(velmaro_macro_dialogs PUBLIC velmaro_ui Qt6::Widgets)
target_include_directories(velmaro_macro_dialogs PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/src
                                                 PRIVATE ${VELMARO_SKIN_LAYOUT_DIR})

set(VELMARO_HAVE_MACRO_DIALOGS ON)
