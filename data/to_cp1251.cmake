# Converts one UTF-8 text file to Windows-1251:
#   cmake -DIN=<utf-8 file> -DOUT=<target> -P to_cp1251.cmake
# Fails on a character with no Windows-1251 byte and on CR line ends; the
# target is replaced only by a complete conversion.
find_program(ICONV iconv REQUIRED)
file(READ "${IN}" _hex HEX)
if(_hex MATCHES "^(..)*0d")  # a CR byte (file(READ) as text would drop it)
  message(FATAL_ERROR "${IN}: CR line ends; these files use LF only")
endif()
execute_process(COMMAND ${ICONV} -f UTF-8 -t WINDOWS-1251 "${IN}"
                OUTPUT_FILE "${OUT}.tmp" RESULT_VARIABLE _rc ERROR_VARIABLE _err)
if(NOT _rc EQUAL 0)
  file(REMOVE "${OUT}.tmp")
  message(FATAL_ERROR "${IN}: not convertible to Windows-1251: ${_err}")
endif()
file(RENAME "${OUT}.tmp" "${OUT}")
