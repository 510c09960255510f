# Compiles PROBE with the command line that the build uses for the library
# source REFERENCE (taken from COMPILE_COMMANDS): once as it is, which must
# build, then once for each case below, which uses one name that this
# framework has and MFC lacks (or has in another form) and must fail with an
# error that names it. Cases marked "win" run only when WINDOWS is true.
#
#   cmake -DCOMPILE_COMMANDS=... -DREFERENCE=... -DPROBE=... -DWINDOWS=ON|OFF -P compile_probe.cmake
set(cases
  "all|str|PROBE_CODE=(void)str.str()"
  "all|CString::CString|PROBE_CODE=str = CString(std::string())"
  "all|GetRemainingLength|PROBE_CODE=(void)ar.GetRemainingLength()"
  "all|EnsureRead|PROBE_CODE=ar.EnsureRead(nullptr, 0)"
  "all|GetMessage|PROBE_CODE=str = e.GetMessage()"
  "all|IsOpen|PROBE_CODE=(void)file.IsOpen()"
  "win|GetLiveAccessibleObjects|PROBE_WINDOWS_CODE=(void)CWnd::GetLiveAccessibleObjects()"
  "win|AfxGetComCtlProc|PROBE_WINDOWS_CODE=(void)AfxGetComCtlProc(\"ImageList_Copy\")"
  "win|FromHandlePermanent|PROBE_WINDOWS_CODE=(void)CDC::FromHandlePermanent(dc.m_hDC)"
  "win|AfxSetPrintSeam|PROBE_WINDOWS_CODE=(void)AfxSetPrintSeam(nullptr)"
  "win|AfxSetPopupMenuSeam|PROBE_WINDOWS_CODE=(void)AfxSetPopupMenuSeam(nullptr)"
  "win|m_bPrinting|PROBE_WINDOWS_CODE=dc.m_bPrinting = TRUE"
  "win|m_pParentWnd|PROBE_WINDOWS_CODE=(void)dlg.m_pParentWnd"
  "win|SetWorldTransform|PROBE_WINDOWS_CODE=(void)dc.SetWorldTransform(static_cast<XFORM*>(nullptr))"
  "win|<windows.h> is included before|-include windows.h")
file(READ ${COMPILE_COMMANDS} commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")
set(command "")
foreach(i RANGE ${last})
  string(JSON file GET "${commands}" ${i} file)
  if(file STREQUAL REFERENCE)
    string(JSON command GET "${commands}" ${i} command)
    string(JSON directory GET "${commands}" ${i} directory)
    break()
  endif()
endforeach()
if(command STREQUAL "")
  message(FATAL_ERROR "no compile command for ${REFERENCE} in ${COMPILE_COMMANDS}")
endif()

# The reference's own flags, without its source, its object and its
# dependency file, so that nothing of the build is written.
separate_arguments(words UNIX_COMMAND "${command}")
set(args "")
set(skip OFF)
foreach(word ${words})
  if(skip)
    set(skip OFF)
  elseif(word MATCHES "^-(o|MT|MF|MQ)$")
    set(skip ON)
  elseif(NOT word MATCHES "^-(c|MD|MMD)$" AND NOT word STREQUAL REFERENCE)
    list(APPEND args "${word}")
  endif()
endforeach()

# options: a -D of one of the probe's macros (the others stay empty), or other
# compiler options.
function(compile options result output)
  set(empty -DPROBE_CODE= -DPROBE_WINDOWS_CODE=)
  if("${options}" MATCHES "^-D(PROBE_[A-Z_]*CODE)=")
    list(REMOVE_ITEM empty "-D${CMAKE_MATCH_1}=")
  endif()
  execute_process(COMMAND ${args} ${empty} ${options} -fsyntax-only ${PROBE}
                  WORKING_DIRECTORY ${directory} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(${result} ${rc} PARENT_SCOPE)
  set(${output} "${out}" PARENT_SCOPE)
endfunction()

compile("" rc out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the probe does not build with MFC's names only:\n${out}")
endif()

set(failures 0)
foreach(case ${cases})
  string(REGEX MATCH "^([a-z]+)\\|([^|]+)\\|(.*)$" _ "${case}")
  set(platform "${CMAKE_MATCH_1}")
  set(name "${CMAKE_MATCH_2}")
  set(options "${CMAKE_MATCH_3}")
  if(options MATCHES "^-")
    separate_arguments(options UNIX_COMMAND "${options}")
  else()
    set(options "-D${options}")
  endif()
  if(platform STREQUAL "win" AND NOT WINDOWS)
    continue()
  endif()
  compile("${options}" rc out)
  string(FIND "${out}" "${name}" at)
  if(rc EQUAL 0)
    message(SEND_ERROR "a library source using ${name} builds")
    math(EXPR failures "${failures} + 1")
  elseif(at EQUAL -1 OR NOT out MATCHES "error")
    message(SEND_ERROR "the build fails, but not for ${name}:\n${out}")
    math(EXPR failures "${failures} + 1")
  else()
    message(STATUS "${name}: refused")
  endif()
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} framework-only names are open to library sources")
endif()
