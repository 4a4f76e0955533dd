# Writes the readme as Windows users of such tools read it: code page 932 with CRLF line ends.
# The source stays UTF-8 with LF like every other file of the project.
file(READ "${INPUT}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUTPUT}.utf8" "${text}")
execute_process(COMMAND iconv -f UTF-8 -t CP932 INPUT_FILE "${OUTPUT}.utf8" OUTPUT_FILE "${OUTPUT}"
                RESULT_VARIABLE failed)
file(REMOVE "${OUTPUT}.utf8")
if(failed)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "the readme holds text that code page 932 cannot hold")
endif()
