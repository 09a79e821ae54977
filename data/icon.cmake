# The program's icon: drawn once as SVG (icons/kelvora.svg), painted at build time into the
# PNG sizes of the desktop's icon theme, compiled into the program for its windows, and
# installed into the hicolor theme with the SVG.
#
# Included from src/CMakeLists.txt after kelvora_app is defined: the resource step that
# compiles the PNGs in must see the rule that makes them, and CMake knows such a rule only in
# the folder that defines it.

set(KELVORA_ICON_SVG ${CMAKE_CURRENT_LIST_DIR}/icons/kelvora.svg)
set(KELVORA_ICON_SIZES 16 22 24 32 48 64 128 256)
set(KELVORA_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)

add_executable(kelvora_mkicon ${CMAKE_CURRENT_LIST_DIR}/tools/mkicon.cpp)
target_link_libraries(kelvora_mkicon PRIVATE Qt6::Gui kelvora_warnings)
set_target_properties(kelvora_mkicon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(KELVORA_ICON_PNGS)
foreach(size IN LISTS KELVORA_ICON_SIZES)
    list(APPEND KELVORA_ICON_PNGS ${KELVORA_ICON_DIR}/${size}x${size}/apps/kelvora.png)
endforeach()
add_custom_command(
    OUTPUT ${KELVORA_ICON_PNGS}
    COMMAND kelvora_mkicon ${KELVORA_ICON_SVG} ${KELVORA_ICON_DIR} ${KELVORA_ICON_SIZES}
    DEPENDS kelvora_mkicon ${KELVORA_ICON_SVG}
    COMMENT "Painting the icon's PNG sizes"
    VERBATIM)

# In the program as :/kelvora/<size>x<size>/apps/kelvora.png (kelvora::programIcon).
qt_add_resources(kelvora_app kelvora_icon PREFIX /kelvora BASE ${KELVORA_ICON_DIR}
                 FILES ${KELVORA_ICON_PNGS})

install(DIRECTORY ${KELVORA_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${KELVORA_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
