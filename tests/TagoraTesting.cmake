find_package(Qt6 REQUIRED COMPONENTS Test)

# tagora_add_qt_test(NAME <name> SOURCES <files...> LIBRARIES <targets...>)
# Builds a Qt Test executable and registers it with CTest, run on the
# offscreen platform so that no display is needed.
function(tagora_add_qt_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE Qt6::Test ${ARG_LIBRARIES})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
  set_tests_properties(${ARG_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
