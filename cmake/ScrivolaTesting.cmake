# Test helpers shared by every module.
#
#   scrivola_add_gtest(NAME LABEL unit|gui|e2e SOURCES a.cpp ... LIBS lib ...
#                      [TIMEOUT seconds] [ENV VAR=value ...])
#
# Builds a GoogleTest executable and registers each of its tests with CTest
# under the given label. Tests run with SCRIVOLA_BIN_DIR pointing at the
# folder that holds the built programs.
find_package(GTest REQUIRED)
include(GoogleTest)

function(scrivola_add_gtest name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main scrivola_testing
                                        ${T_LIBS})
  # The environment goes through `cmake -E env` in front of the test program:
  # gtest_discover_tests would split an ENVIRONMENT list into separate
  # properties and keep only its first entry. The same prefix also serves the
  # discovery run, so Qt tests list themselves without a display.
  set(environment
    "SCRIVOLA_BIN_DIR=${CMAKE_BINARY_DIR}/bin"
    "SCRIVOLA_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    "QT_QPA_PLATFORM=offscreen"
    # Tests never see printers installed for every user on this machine.
    "SCRIVOLA_SYSTEM_PRINTERS="
    ${T_ENV})
  set_target_properties(${name} PROPERTIES
    CROSSCOMPILING_EMULATOR "${CMAKE_COMMAND};-E;env;${environment}")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      LABELS ${T_LABEL}
      TIMEOUT ${T_TIMEOUT})
endfunction()
