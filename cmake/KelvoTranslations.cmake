# kelvo_add_translations(<target> <ts files...> [BY_HAND <ts files...>])
#
# Compiles the Qt Linguist catalogues (.ts) into .qm files with the Linguist
# tools of the Qt in use and compiles them into <target> as resources under
# ":/i18n/". Call Q_INIT_RESOURCE(kelvo_translations) before loading them from
# a static library.
#
# Also defines the target update_translations, which runs lupdate over the
# source folders and merges new or changed texts into the catalogues in the
# source tree:   cmake --build build --target update_translations
# The catalogues after BY_HAND are compiled alike but left out of it: they
# hold only some contexts, which lupdate would fill up with all the others.
function(kelvo_add_translations target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "BY_HAND")
    set(ts_files ${arg_UNPARSED_ARGUMENTS})
    find_package(${KELVO_QT} REQUIRED COMPONENTS LinguistTools)

    set(qm_dir ${PROJECT_BINARY_DIR}/translations)
    set_source_files_properties(${ts_files} ${arg_BY_HAND} PROPERTIES OUTPUT_LOCATION ${qm_dir})
    if(QT_VERSION_MAJOR EQUAL 5)
        qt5_add_translation(qm_files ${ts_files} ${arg_BY_HAND})
    else()
        qt6_add_translation(qm_files ${ts_files} ${arg_BY_HAND})
    endif()

    set(entries "")
    foreach(qm ${qm_files})
        get_filename_component(name ${qm} NAME)
        string(APPEND entries "        <file>${name}</file>\n")
    endforeach()
    set(qrc ${qm_dir}/kelvo_translations.qrc)
    file(WRITE ${qrc}.in
        "<RCC>\n    <qresource prefix=\"/i18n\">\n${entries}    </qresource>\n</RCC>\n")
    configure_file(${qrc}.in ${qrc} COPYONLY)

    # rcc through the Qt macro rather than AUTORCC: it makes the resource
    # depend on the .qm files, which exist only once lrelease has run.
    set_source_files_properties(${qrc} PROPERTIES SKIP_AUTORCC ON)
    if(QT_VERSION_MAJOR EQUAL 5)
        qt5_add_resources(rcc_sources ${qrc})
    else()
        qt6_add_resources(rcc_sources ${qrc})
    endif()
    target_sources(${target} PRIVATE ${qm_files} ${rcc_sources})

    set(source_dirs)
    foreach(dir model link files ui app cli)
        if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/${dir})
            list(APPEND source_dirs ${PROJECT_SOURCE_DIR}/${dir})
        endif()
    endforeach()
    add_custom_target(update_translations
        COMMAND ${KELVO_QT}::lupdate -no-obsolete -locations none -source-language zh_CN
            ${source_dirs} -ts ${ts_files}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        COMMENT "Updating the translation catalogues from the sources"
        VERBATIM)
endfunction()
