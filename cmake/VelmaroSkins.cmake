# Skin artwork. Every image of the skin folder and every image compiled into
# the program is drawn at build time by tools/skin_gen (Qt Gui, no window), so
# the repository holds the drawing code and no pictures.
#
# Provides, when Qt 6 Gui is found:
#   velmaro_skins               target that generates everything below (part of ALL)
#   VELMARO_SKINS_DIR           the skin folder, ${CMAKE_BINARY_DIR}/skins, beside the programs
#   VELMARO_SKIN_RESOURCE_DIR   the images compiled into the program
#   VELMARO_SKIN_QRC            their resource list; add it with qt_add_resources() and
#                               add_dependencies(<target> velmaro_skins)
#   VELMARO_SKIN_LAYOUT_DIR     include directory of skin_layout.h (where the artwork
#                               expects controls to be placed)
#   VELMARO_HAVE_SKINS          ON when all of the above exist
# The skin folder is installed to ${CMAKE_INSTALL_DATADIR}/velmaro/skins.
# Without Qt the block is skipped and the core builds as before.

set(VELMARO_HAVE_SKINS OFF)
find_package(Qt6 QUIET COMPONENTS Gui)
if(NOT Qt6Gui_FOUND)
    message(STATUS "Qt 6 Gui not found: the skin artwork is not generated")
    return()
endif()

file(GLOB VELMARO_SKIN_GEN_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/tools/skin_gen/*.cpp)
add_executable(velmaro_skin_gen ${VELMARO_SKIN_GEN_SOURCES})
target_link_libraries(velmaro_skin_gen PRIVATE Qt6::Gui)
target_include_directories(velmaro_skin_gen PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/assets/skin)
# A build tool, not what the tests exercise: under ThreadSanitizer the Qt
# thread pool it draws with (Qt itself is not instrumented) is reported as
# racing, and a report would fail the build.
if(VELMARO_SANITIZE MATCHES "thread")
    target_compile_options(velmaro_skin_gen PRIVATE -fno-sanitize=thread)
    target_link_options(velmaro_skin_gen PRIVATE -fno-sanitize=thread)
endif()

set(VELMARO_SKINS_DIR ${CMAKE_BINARY_DIR}/skins)
set(VELMARO_SKIN_RESOURCE_DIR ${CMAKE_BINARY_DIR}/skin_resources)
set(VELMARO_SKIN_QRC ${VELMARO_SKIN_RESOURCE_DIR}/velmaro_skin.qrc)
set(VELMARO_SKIN_LAYOUT_DIR ${CMAKE_CURRENT_SOURCE_DIR}/assets/skin)
set(VELMARO_SKIN_MANIFEST ${VELMARO_SKIN_RESOURCE_DIR}/skins.manifest)

# The generator rewrites every output on each run, the manifest last; the
# .qrc is rewritten too, so rcc runs again whenever the pictures change.
add_custom_command(
    OUTPUT ${VELMARO_SKIN_MANIFEST} ${VELMARO_SKIN_QRC}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:velmaro_skin_gen> ${VELMARO_SKINS_DIR} ${VELMARO_SKIN_RESOURCE_DIR}
    DEPENDS velmaro_skin_gen
    COMMENT "Drawing the skin artwork"
    VERBATIM)
add_custom_target(velmaro_skins ALL DEPENDS ${VELMARO_SKIN_MANIFEST} ${VELMARO_SKIN_QRC})

# Contact sheet and main window mock-ups, for looking at the artwork:
#   cmake --build --preset default --target velmaro_skin_preview
add_custom_target(velmaro_skin_preview
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:velmaro_skin_gen> ${VELMARO_SKINS_DIR} ${VELMARO_SKIN_RESOURCE_DIR}
            --preview ${CMAKE_BINARY_DIR}/skin_preview
    DEPENDS velmaro_skin_gen
    COMMENT "Drawing the skin previews into ${CMAKE_BINARY_DIR}/skin_preview"
    VERBATIM)

install(DIRECTORY ${VELMARO_SKINS_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velmaro/skins)

set(VELMARO_HAVE_SKINS ON)
