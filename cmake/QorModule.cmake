# qor_add_module(NAME EXPORT_DEFINE PORTABLE files... WINDOWS files...
#                LINK targets... INCLUDE dirs... PUBLIC_HEADERS files...)
#
# A module is a DLL on Windows (portable and *_win.cpp sources) and a static
# library in the native build (portable sources only). PUBLIC_HEADERS is the
# one list of what hosts may include from the module (paths relative to the
# module's folder); only those are installed, all side by side in
# include/qor032, and everything they include must be among them (the
# package consumer test checks it). Internal headers stay in the source tree.
function(qor_add_module name)
  cmake_parse_arguments(M "" "EXPORT_DEFINE" "PORTABLE;WINDOWS;LINK;INCLUDE;PUBLIC_HEADERS" ${ARGN})
  if(NOT M_PORTABLE AND NOT (WIN32 AND M_WINDOWS))
    message(STATUS "${name}: no sources yet, not built")
    return()
  endif()
  if(WIN32)
    add_library(${name} SHARED ${M_PORTABLE} ${M_WINDOWS})
    set_target_properties(${name} PROPERTIES PREFIX "")
  else()
    add_library(${name} STATIC ${M_PORTABLE})
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  endif()
  # The module's own build (dllexport on Windows; the framework's sources
  # also see its extensions).
  target_compile_definitions(${name} PRIVATE ${M_EXPORT_DEFINE})
  foreach(dir ${M_INCLUDE})
    target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${dir}>)
  endforeach()
  target_include_directories(${name} PUBLIC $<INSTALL_INTERFACE:include/qor032>)
  # Hosts compile the public headers as C++14 or later; the module's own
  # sources use the project's newer standard.
  target_compile_features(${name} PUBLIC cxx_std_14)
  get_property(installed GLOBAL PROPERTY QOR_PUBLIC_HEADER_NAMES)
  foreach(header ${M_PUBLIC_HEADERS})
    get_filename_component(file ${header} NAME)
    if(file IN_LIST installed)
      message(FATAL_ERROR "${name}: public header ${file} is already installed by another module")
    endif()
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${header})
      message(FATAL_ERROR "${name}: public header ${header} does not exist")
    endif()
    list(APPEND installed ${file})
    install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/${header} DESTINATION include/qor032)
  endforeach()
  set_property(GLOBAL PROPERTY QOR_PUBLIC_HEADER_NAMES "${installed}")
  install(TARGETS ${name} EXPORT qor032Targets
          RUNTIME DESTINATION bin LIBRARY DESTINATION lib ARCHIVE DESTINATION lib)
  if(M_LINK)
    target_link_libraries(${name} PUBLIC ${M_LINK})
  endif()
endfunction()

# qor_add_test(NAME SOURCES files... LINK libs... [WINDOWS_ONLY])
#
# One executable per module, one ctest entry per executable: each Windows test
# executable is one Wine process.
function(qor_add_test name)
  cmake_parse_arguments(T "WINDOWS_ONLY" "" "SOURCES;LINK" ${ARGN})
  if(T_WINDOWS_ONLY AND NOT WIN32)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LINK} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(WIN32)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
  endif()
endfunction()
