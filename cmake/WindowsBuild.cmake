# The Windows program (i686: the shipped Ovix.exe) and, where Wine can run the
# result (x86_64), the Windows test suite.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I${CMAKE_SOURCE_DIR}/resources")

file(GLOB OVIX_WINDOWS_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/framework/*.cpp
    ${CMAKE_SOURCE_DIR}/app/*.cpp
    ${CMAKE_SOURCE_DIR}/probes/*.cpp
    ${CMAKE_SOURCE_DIR}/report/*.cpp
    ${CMAKE_SOURCE_DIR}/lists/*.cpp
    ${CMAKE_SOURCE_DIR}/tools/*.cpp
    ${CMAKE_SOURCE_DIR}/widgets/*.cpp)
list(REMOVE_ITEM OVIX_WINDOWS_SOURCES ${CMAKE_SOURCE_DIR}/app/main.cpp)

set(OVIX_RESOURCES ${CMAKE_SOURCE_DIR}/resources/ovix.rc)
file(GLOB OVIX_RESOURCE_FILES ${CMAKE_SOURCE_DIR}/resources/icons/*.ico ${CMAKE_SOURCE_DIR}/resources/*.bmp
     ${CMAKE_SOURCE_DIR}/resources/*.manifest ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.h)
set_source_files_properties(${OVIX_RESOURCES} PROPERTIES OBJECT_DEPENDS "${OVIX_RESOURCE_FILES}")

add_library(ovix_core STATIC ${OVIX_WINDOWS_SOURCES})
target_compile_definitions(ovix_core PUBLIC
    _WIN32_WINNT=0x0500 WINVER=0x0500 _WIN32_IE=0x0600 NOMINMAX __USE_MINGW_ANSI_STDIO=1)
target_link_libraries(ovix_core PUBLIC
    comctl32 wininet ws2_32 ole32 oleaut32 uuid shell32 shlwapi winmm msimg32 gdi32 user32 advapi32 comdlg32
    setupapi version)
# One self-contained file: no libstdc++, libgcc or libwinpthread DLLs beside it.
set(OVIX_STATIC_LINK -static -static-libgcc -static-libstdc++)

add_executable(Ovix WIN32 ${CMAKE_SOURCE_DIR}/app/main.cpp ${OVIX_RESOURCES})
target_link_libraries(Ovix PRIVATE ovix_core)
target_link_options(Ovix PRIVATE ${OVIX_STATIC_LINK})
# A release build ships without symbols: they are kept apart in Ovix.debug.
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND CMAKE_OBJCOPY)
    target_compile_options(Ovix PRIVATE -g)
    target_compile_options(ovix_core PRIVATE -g)
    add_custom_command(TARGET Ovix POST_BUILD
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:Ovix> $<TARGET_FILE_DIR:Ovix>/Ovix.debug
        COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE_DIR:Ovix>/Ovix.debug $<TARGET_FILE:Ovix>
        VERBATIM)
endif()

# A bare dialog program started the same way as Ovix: the start-up baseline.
add_executable(bare_dialog WIN32 ${CMAKE_SOURCE_DIR}/bench/bare_dialog.cpp ${OVIX_RESOURCES})
target_link_libraries(bare_dialog PRIVATE comctl32)
target_link_options(bare_dialog PRIVATE ${OVIX_STATIC_LINK})

# Drives windows from outside for the scripts: waits for them, posts messages.
add_executable(winctl ${CMAKE_SOURCE_DIR}/scripts/winctl.cpp)
target_compile_definitions(winctl PRIVATE NOMINMAX)
target_link_options(winctl PRIVATE ${OVIX_STATIC_LINK})

# Time of the information build, the folder walks apart.
add_executable(tree_bench ${CMAKE_SOURCE_DIR}/bench/tree_bench.cpp ${OVIX_RESOURCES})
target_link_libraries(tree_bench PRIVATE ovix_core)
target_link_options(tree_bench PRIVATE ${OVIX_STATIC_LINK})

# Cost of the memory timer's refresh against a bare memory-status call.
add_executable(system_info_bench ${CMAKE_SOURCE_DIR}/bench/system_info_bench.cpp ${OVIX_RESOURCES})
target_link_libraries(system_info_bench PRIVATE ovix_core)
target_link_options(system_info_bench PRIVATE ${OVIX_STATIC_LINK})

# FileSearch over a generated tree of 50,000 files, against cmd's dir /s /b.
add_executable(file_search_bench ${CMAKE_SOURCE_DIR}/bench/file_search_bench.cpp)
target_link_libraries(file_search_bench PRIVATE ovix_core)
target_link_options(file_search_bench PRIVATE ${OVIX_STATIC_LINK})

# The management-service probes of one tree build: ours, bare COM, one connection.
add_executable(wmi_bench ${CMAKE_SOURCE_DIR}/bench/wmi_bench.cpp)
target_link_libraries(wmi_bench PRIVATE ovix_core)
target_link_options(wmi_bench PRIVATE ${OVIX_STATIC_LINK})

# The cost of each main-window timer's tick.
add_executable(timer_bench ${CMAKE_SOURCE_DIR}/bench/timer_bench.cpp ${OVIX_RESOURCES})
target_link_libraries(timer_bench PRIVATE ovix_core)
target_link_options(timer_bench PRIVATE ${OVIX_STATIC_LINK})

add_executable(cpu_bench ${CMAKE_SOURCE_DIR}/bench/cpu_bench.cpp)
target_link_libraries(cpu_bench PRIVATE ovix_core)
target_link_options(cpu_bench PRIVATE ${OVIX_STATIC_LINK})

add_executable(cleaner_bench ${CMAKE_SOURCE_DIR}/bench/cleaner_bench.cpp)
target_link_libraries(cleaner_bench PRIVATE ovix_core)
target_link_options(cleaner_bench PRIVATE ${OVIX_STATIC_LINK})

add_executable(process_bench ${CMAKE_SOURCE_DIR}/bench/process_bench.cpp ${OVIX_RESOURCES})
target_link_libraries(process_bench PRIVATE ovix_core)
target_link_options(process_bench PRIVATE ${OVIX_STATIC_LINK})

add_executable(inventory_bench ${CMAKE_SOURCE_DIR}/bench/inventory_bench.cpp ${OVIX_RESOURCES})
target_link_libraries(inventory_bench PRIVATE ovix_core)
target_link_options(inventory_bench PRIVATE ${OVIX_STATIC_LINK})

# The report's writer against one fwrite; /report against a bare collection.
add_executable(report_bench ${CMAKE_SOURCE_DIR}/bench/report_bench.cpp ${OVIX_RESOURCES})
target_link_libraries(report_bench PRIVATE ovix_core)
target_link_options(report_bench PRIVATE ${OVIX_STATIC_LINK})

# F2 to the summary shown, against its text alone.
add_executable(summary_bench ${CMAKE_SOURCE_DIR}/bench/summary_bench.cpp ${OVIX_RESOURCES})
target_link_libraries(summary_bench PRIVATE ovix_core)
target_link_options(summary_bench PRIVATE ${OVIX_STATIC_LINK})

# The optimiser's run and undo against bare registry loops (in a throwaway prefix).
add_executable(optimizer_bench ${CMAKE_SOURCE_DIR}/bench/optimizer_bench.cpp)
target_link_libraries(optimizer_bench PRIVATE ovix_core)
target_link_options(optimizer_bench PRIVATE ${OVIX_STATIC_LINK})

# The slow lists (statistics, executables, packages' one query) against bare loops.
add_executable(list_bench ${CMAKE_SOURCE_DIR}/bench/list_bench.cpp ${OVIX_RESOURCES})
target_link_libraries(list_bench PRIVATE ovix_core)
target_link_options(list_bench PRIVATE ${OVIX_STATIC_LINK})

# The dial-up monitor on Wine's own libraries: IsConnected against a bare
# enumeration, and its first answer in a fresh process.
add_executable(dialer_bench ${CMAKE_SOURCE_DIR}/bench/dialer_bench.cpp)
target_link_libraries(dialer_bench PRIVATE ovix_core)
target_link_options(dialer_bench PRIVATE ${OVIX_STATIC_LINK})

add_custom_target(bench
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/bench.sh ${CMAKE_BINARY_DIR}
    DEPENDS Ovix bare_dialog winctl tree_bench system_info_bench file_search_bench wmi_bench cpu_bench timer_bench cleaner_bench process_bench inventory_bench report_bench summary_bench optimizer_bench list_bench dialer_bench
    USES_TERMINAL)

# Built where something can run them: natively on Windows, or through the Wine emulator.
if(CMAKE_CROSSCOMPILING_EMULATOR OR NOT CMAKE_CROSSCOMPILING)
    set(OVIX_WINDOWS_TESTS_DEFAULT ON)
else()
    set(OVIX_WINDOWS_TESTS_DEFAULT OFF)
endif()
option(OVIX_WINDOWS_TESTS "Build the Windows test suite" ${OVIX_WINDOWS_TESTS_DEFAULT})
# The tests build GoogleTest from its sources; without them (a plain Windows
# machine) the program is built alone.
set(OVIX_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's source folder")
if(OVIX_WINDOWS_TESTS AND NOT EXISTS ${OVIX_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(STATUS "GoogleTest's sources are not at ${OVIX_GTEST_SOURCE_DIR}: the Windows tests are not built")
    set(OVIX_WINDOWS_TESTS OFF)
endif()
if(OVIX_WINDOWS_TESTS)
    enable_testing()
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${OVIX_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

    file(GLOB_RECURSE OVIX_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
    add_executable(ovix_win_tests ${OVIX_WIN_TESTS} ${OVIX_RESOURCES})
    target_link_libraries(ovix_win_tests PRIVATE ovix_core gtest)
    target_include_directories(ovix_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/win)
    target_link_options(ovix_win_tests PRIVATE ${OVIX_STATIC_LINK})
    # The second process of the system-information tests (its own Windows version).
    add_executable(system_info_child ${CMAKE_SOURCE_DIR}/tests/win_child/system_info_child.cpp ${OVIX_RESOURCES})
    target_link_libraries(system_info_child PRIVATE ovix_core)
    target_link_options(system_info_child PRIVATE ${OVIX_STATIC_LINK})
    add_dependencies(ovix_win_tests system_info_child)
    # The command-line tests run the program itself.
    add_dependencies(ovix_win_tests Ovix)
    # The processes the process-list tests act on.
    add_executable(sleeper_child ${CMAKE_SOURCE_DIR}/tests/win_child/sleeper_child.cpp)
    target_link_options(sleeper_child PRIVATE ${OVIX_STATIC_LINK})
    add_dependencies(ovix_win_tests sleeper_child)
    # Reads a system colour in a fresh process for the colours tests.
    add_executable(syscolor_child ${CMAKE_SOURCE_DIR}/tests/win_child/syscolor_child.cpp)
    target_link_options(syscolor_child PRIVATE ${OVIX_STATIC_LINK})
    add_dependencies(ovix_win_tests syscolor_child)
    add_executable(service_child ${CMAKE_SOURCE_DIR}/tests/win_child/service_child.cpp)
    target_link_options(service_child PRIVATE ${OVIX_STATIC_LINK})
    add_dependencies(ovix_win_tests service_child)
    # The optimiser applied for real: its own program, run only in a throwaway
    # copy of the prefix (the script deletes it after), one process.
    add_executable(optimizer_tests ${CMAKE_SOURCE_DIR}/tests/win_optimizer/optimizer_test.cpp ${OVIX_RESOURCES})
    target_link_libraries(optimizer_tests PRIVATE ovix_core gtest)
    target_include_directories(optimizer_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/win)
    target_link_options(optimizer_tests PRIVATE ${OVIX_STATIC_LINK})
    add_dependencies(ovix_win_tests optimizer_tests)
    add_test(NAME win.Optimizer
             COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/throwaway-prefix.sh $<TARGET_FILE:optimizer_tests>)
    set_tests_properties(win.Optimizer PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
    # One test per suite: each Wine process costs more than a second to start,
    # and a suite still runs apart from the others. The suites are read from
    # the sources, so nothing runs Wine at build time.
    set(OVIX_WIN_SUITES "")
    foreach(source ${OVIX_WIN_TESTS})
        file(STRINGS ${source} lines REGEX "^TEST(_F|_P)?\\([A-Za-z0-9_]+,")
        foreach(line ${lines})
            string(REGEX REPLACE "^TEST(_F|_P)?\\(([A-Za-z0-9_]+),.*" "\\2" suite "${line}")
            list(APPEND OVIX_WIN_SUITES ${suite})
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES OVIX_WIN_SUITES)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${OVIX_WIN_TESTS})
    foreach(suite ${OVIX_WIN_SUITES})
        add_test(NAME win.${suite} COMMAND ovix_win_tests --gtest_filter=${suite}.*:*/${suite}.*)
        set_tests_properties(win.${suite} PROPERTIES RUN_SERIAL TRUE TIMEOUT 300)
    endforeach()
endif()
