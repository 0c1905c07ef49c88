# kelvo_add_layer(<folder> LIBS <libraries...> [EXTRA <sources...>] [EXCLUDE <sources...>])
#
# Makes the static library kelvo_<folder> from the sources of <folder>. Its
# headers are reached as "<folder>/name.h" through an include root that holds
# nothing but a link to <folder>, so a layer can include only its own headers
# and those of the layers it links; an include that reaches upward fails to
# compile. Where the file system cannot make links (Windows without developer
# mode) the project root is used instead and the layering goes unchecked.
function(kelvo_add_layer folder)
    cmake_parse_arguments(LAYER "" "" "LIBS;EXTRA;EXCLUDE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    foreach(excluded ${LAYER_EXCLUDE})
        list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/${excluded})
    endforeach()

    set(target kelvo_${folder})
    add_library(${target} STATIC ${sources} ${LAYER_EXTRA})
    target_link_libraries(${target} PUBLIC ${LAYER_LIBS})

    set(root ${PROJECT_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${root})
    if(NOT EXISTS ${root}/${folder})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder}
            RESULT link_result SYMBOLIC)
    else()
        set(link_result 0)
    endif()
    if(link_result EQUAL 0)
        target_include_directories(${target} PUBLIC ${root})
    else()
        message(WARNING "Cannot link ${root}/${folder} (${link_result}); layering of ${folder}/ is not checked")
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    endif()
endfunction()
