# Native build of the portable code, tested under AddressSanitizer and UBSan.
option(OVIX_SANITIZE "Build the host tests with ASan and UBSan" ON)
if(OVIX_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

find_package(GTest REQUIRED)
include(GoogleTest)
enable_testing()

add_library(ovix_portable STATIC ${OVIX_PORTABLE_SOURCES})

file(GLOB_RECURSE OVIX_HOST_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)
add_executable(ovix_host_tests ${OVIX_HOST_TESTS})
target_link_libraries(ovix_host_tests PRIVATE ovix_portable GTest::gtest_main)
# Texts written by hand that the tests compare bytes with.
target_compile_definitions(ovix_host_tests PRIVATE OVIX_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/host/report/data")
gtest_discover_tests(ovix_host_tests TEST_PREFIX "host." DISCOVERY_TIMEOUT 60)
