# Windows DLLs that the static Qt imports and that the program loads the first time it calls into one
# (delay loading, as MSVC's /DELAYLOAD does), not when Windows starts it. Two reasons:
# - Some are for what this program never does, or not at start: loaded at start they cost about 30 ms of a
#   470 ms start under Wine and 9 MB of memory (bench_startup); comdlg32 alone brings comctl32 and the
#   printing DLLs with it.
#     authz      NTFS permission checks, made only when a program turns them on
#     comdlg32   the file dialogs
#     d3d11 dxgi Qt's Direct3D 11 rendering, which widgets do not use
#     netapi32   listing a network server's shares
#     winmm      sounds, and timers finer than the system's
#     wtsapi32   whether the session is locked, asked when displays change
# - The others are not among Windows' KnownDLLs, which Windows always takes from System32. Imported at
#   start, they would be looked for in the program's own folder first: a Downloads folder, where a file of
#   the same name may lie, whose code would then run in the program. Loaded late, they are looked for
#   where the program has told Windows to look by then, in System32 alone (prepareApplication()).
#     d3d9       whether the graphics driver is fit for OpenGL
#     dwmapi     the window frame's colours and effects
#     dwrite     DirectWrite, the font engine that Qt takes where GDI cannot draw a font as asked (scaled
#                displays, colour fonts)
#     userenv    the user's profile folder
#     uxtheme    the visual style that draws the controls
#     version    the version of Windows' own DLLs
# For each, a delay-import library (MinGW's dlltool; the loading is libmingwex's __delayLoadHelper2) is
# made from the tool chain's import library, with every function that one has, into a folder that the
# link searches before the tool chain's. It is made when configuring, and replaced only when it changes,
# so that a second configure relinks nothing, and a changed one relinks every program. The helper loads
# each DLL by its name (LoadLibrary), so Windows looks for it where the program has told it to: in
# System32 alone.

set(PQ_DELAY_LOADED_DLLS authz comdlg32 d3d11 d3d9 dwmapi dwrite dxgi netapi32 userenv uxtheme version winmm wtsapi32
    CACHE INTERNAL "DLLs that the program loads when it first calls into them") # the checks read the list here

function(pq_make_delay_import_libraries folder)
    foreach(tool CMAKE_NM CMAKE_DLLTOOL)
        if(NOT ${tool})
            message(FATAL_ERROR "Delay loading needs the tool chain's ${tool}, which CMake did not find.")
        endif()
    endforeach()
    file(MAKE_DIRECTORY "${folder}/work")
    foreach(name IN LISTS PQ_DELAY_LOADED_DLLS)
        find_library(pq_import_library_${name} NAMES "lib${name}.a" NO_CACHE)
        set(import_library "${pq_import_library_${name}}")
        if(NOT import_library)
            message(FATAL_ERROR "The tool chain has no import library lib${name}.a for ${name}.dll.")
        endif()
        execute_process(COMMAND "${CMAKE_DLLTOOL}" --identify "${import_library}"
                        OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
        execute_process(COMMAND "${CMAKE_NM}" --defined-only --extern-only "${import_library}"
                        OUTPUT_VARIABLE symbols RESULT_VARIABLE nm_status)
        # The import library's code symbols are the DLL's functions, one thunk each.
        string(REGEX MATCHALL "\n[0-9a-f]+ T [A-Za-z_][A-Za-z0-9_@]*" functions "\n${symbols}")
        list(TRANSFORM functions REPLACE "^\n[0-9a-f]+ T " "")
        list(SORT functions)
        list(REMOVE_DUPLICATES functions)
        if(NOT status EQUAL 0 OR NOT nm_status EQUAL 0 OR NOT dll MATCHES "^[A-Za-z0-9_]+\\.dll$" OR NOT functions)
            message(FATAL_ERROR "Could not read the functions of ${dll} from ${import_library}.")
        endif()
        list(JOIN functions "\n" exports)
        file(WRITE "${folder}/work/${name}.def" "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
        # The object files' names come from --temp-prefix (by default from the process id): fixed, for
        # the same bytes each time.
        execute_process(COMMAND "${CMAKE_DLLTOOL}" --input-def "${name}.def" --dllname "${dll}"
                                --output-delaylib "lib${name}.a" --temp-prefix "${name}_delay"
                        WORKING_DIRECTORY "${folder}/work" RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "dlltool could not make a delay-import library for ${dll}.")
        endif()
        file(COPY_FILE "${folder}/work/lib${name}.a" "${folder}/lib${name}.a" ONLY_IF_DIFFERENT)
        # Every program links again when one of these changes, or when a DLL joins the list: without it,
        # a build folder made before would keep importing that DLL at start.
        set_property(TARGET pq_compile_options APPEND PROPERTY INTERFACE_LINK_DEPENDS "${folder}/lib${name}.a")
    endforeach()
endfunction()

set(pq_delay_load_folder "${CMAKE_BINARY_DIR}/delay-load")
pq_make_delay_import_libraries("${pq_delay_load_folder}")
# -L folders come before the tool chain's own wherever they stand on the link line, so Qt's -lcomdlg32
# and the rest find these. ld places the import sections of its input files in the order of the files'
# paths, so where the build folder lies would move these libraries among Windows' own import libraries
# (/usr/...) and change the program's bytes: written as /./FOLDER, their path sorts first wherever the
# folder is.
if(pq_delay_load_folder MATCHES "^/")
    set(pq_delay_load_folder "/.${pq_delay_load_folder}")
endif()
target_link_options(pq_compile_options INTERFACE "-L${pq_delay_load_folder}")
