# The shipped language files. Their texts live as readable UTF-8 sources in
# assets/lang/; a small build-time tool writes them in the program's own
# format (Lan_EN.txt, Lan.txt) for installation, and as a C++ source compiled
# into the core so that the first start can put them into a new data folder.

add_executable(velmaro_lang_gen tools/lang_gen/lang_gen.cpp)

set(VELMARO_LANG_SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/assets/lang/en.txt
    ${CMAKE_CURRENT_SOURCE_DIR}/assets/lang/zh.txt)
set(VELMARO_LANG_OUT ${CMAKE_CURRENT_BINARY_DIR}/lang)
set(VELMARO_LANG_FILES ${VELMARO_LANG_OUT}/Lan_EN.txt ${VELMARO_LANG_OUT}/Lan.txt)

add_custom_command(
    OUTPUT ${VELMARO_LANG_FILES} ${VELMARO_LANG_OUT}/shipped_language_files.cpp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMARO_LANG_OUT}
    COMMAND velmaro_lang_gen ${VELMARO_LANG_SOURCES} ${VELMARO_LANG_OUT}
    DEPENDS velmaro_lang_gen ${VELMARO_LANG_SOURCES}
    COMMENT "Generating the shipped language files"
    VERBATIM)

target_sources(velmaro_core PRIVATE ${VELMARO_LANG_OUT}/shipped_language_files.cpp)

install(FILES ${VELMARO_LANG_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/velmaro/lang)
