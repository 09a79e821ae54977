# The documents the start page opens: the food-menu booklet and the product page. The program
# looks for them in its own folder, so they are copied beside the executable.
#
# Included from data/CMakeLists.txt; expects KELVORA_PROGRAM_DIR (the executable's folder).

if(NOT DEFINED KELVORA_PROGRAM_DIR)
    message(FATAL_ERROR "docs.cmake needs KELVORA_PROGRAM_DIR, the folder of the executable")
endif()

set(KELVORA_DOCUMENT_FILES fmenu.doc kelvora.html)
set(KELVORA_DOCUMENT_OUTPUTS)
set(KELVORA_DOCUMENT_SOURCES)

foreach(doc IN LISTS KELVORA_DOCUMENT_FILES)
    # CMAKE_CURRENT_LIST_DIR rather than CMAKE_CURRENT_SOURCE_DIR, so the sources are found
    # whichever CMakeLists.txt includes this file.
    set(src ${CMAKE_CURRENT_LIST_DIR}/${doc})
    set(dst ${KELVORA_PROGRAM_DIR}/${doc})
    # A plain copy, not copy_if_different: the latter keeps the old time stamp when the
    # contents are equal, which would leave the output older than its source and rerun the
    # step on every build.
    add_custom_command(
        OUTPUT ${dst}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${KELVORA_PROGRAM_DIR}
        COMMAND ${CMAKE_COMMAND} -E copy ${src} ${dst}
        DEPENDS ${src}
        COMMENT "Copying ${doc} beside the executable"
        VERBATIM)
    list(APPEND KELVORA_DOCUMENT_OUTPUTS ${dst})
    list(APPEND KELVORA_DOCUMENT_SOURCES ${src})
endforeach()

add_custom_target(kelvora_documents ALL DEPENDS ${KELVORA_DOCUMENT_OUTPUTS})
