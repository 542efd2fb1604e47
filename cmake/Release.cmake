# The programs we ship are the same bytes from the same sources wherever
# they are built: no build folder in the code (a header's __FILE__, say), no
# time stamp in the PE header, and (setup_shipped_programs) no symbols or
# debug sections, which the static C and C++ run-time libraries bring along.
if(NOT WIN32)
  return()
endif()

add_compile_options(
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>"
  "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
add_link_options(-Wl,--no-insert-timestamp)

function(setup_shipped_programs)
  foreach(program ${ARGN})
    target_link_options(${program} PRIVATE -s)
  endforeach()
endfunction()

# The text that goes with the programs: CR LF line ends, for Notepad.
configure_file(${CMAKE_SOURCE_DIR}/res/README.txt.in ${CMAKE_BINARY_DIR}/README.txt
  @ONLY NEWLINE_STYLE CRLF)
