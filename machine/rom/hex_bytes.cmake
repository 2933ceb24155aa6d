# hex_bytes(<file> <var>): the 8192 bytes of an image fell made as C++
# initialiser text, 16 bytes a line; a file of another size stops the build.
function(hex_bytes file out_var)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" length)
  if(NOT length EQUAL 16384)
    message(FATAL_ERROR "${file}: ${length} hex digits, 8192 bytes expected")
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x..," 16 row)
  string(REGEX REPLACE "(${row})" "\\1\n    " bytes "${bytes}")
  set(${out_var} "${bytes}" PARENT_SCOPE)
endfunction()
