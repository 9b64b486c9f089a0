# A module the host loads: a shared library with the suffix ".apx" that exports only the two
# functions of the entry-point exchange.
function(zav_add_module target)
    cmake_parse_arguments(ARG "" "OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
    add_library(${target} MODULE ${ARG_SOURCES})
    set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX ".apx"
        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
    if(ARG_OUTPUT_NAME)
        set_target_properties(${target} PROPERTIES OUTPUT_NAME "${ARG_OUTPUT_NAME}")
    endif()
    target_link_libraries(${target} PRIVATE ${ARG_LIBS})
    target_link_options(${target} PRIVATE
        -Wl,--undefined=GetExportedFuncAddrs -Wl,--undefined=SetImportedFuncAddrs
        -Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/module.map)
    # clang keeps its sanitizer runtime in the executable that loads the module, so there the
    # module's sanitizer calls stay open until it is loaded; the other builds check it is whole.
    if(NOT (ZAV_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang"))
        target_link_options(${target} PRIVATE -Wl,--no-undefined)
    endif()
endfunction()
