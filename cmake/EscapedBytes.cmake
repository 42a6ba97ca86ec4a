# escaped_bytes(PATH OUT): the bytes of the file PATH as the inside of a C++
# string literal, every byte a \xNN escape, 32 bytes a line, so that any
# content, encoding or quote survives unchanged. Used by the scripts that
# build files into the program (message catalogues, the web page).
function(escaped_bytes path out)
  file(READ ${path} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" bytes "${hex}")
  string(REPEAT "." 128 one_line_of_escapes)
  string(REGEX REPLACE "(${one_line_of_escapes})" "\\1\"\n    \"" bytes "${bytes}")
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()
