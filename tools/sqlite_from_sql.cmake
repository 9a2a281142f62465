# Builds an SQLite database file from an SQL script, atomically: the script runs into a temporary
# file beside the target, which replaces the target only when every statement succeeded, so a
# failed build never leaves half a database under the real name.
#
#   cmake -DSQLITE3=<sqlite3 program> -DSQL=<script> -DDB=<database file> -P sqlite_from_sql.cmake

foreach(var SQLITE3 SQL DB)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "sqlite_from_sql.cmake: ${var} is not set")
  endif()
endforeach()

set(tmp "${DB}.tmp")
file(REMOVE "${tmp}" "${tmp}-journal")

execute_process(
  COMMAND "${SQLITE3}" -bail "${tmp}"
  INPUT_FILE "${SQL}"
  RESULT_VARIABLE rc
  ERROR_VARIABLE err)

if(NOT rc EQUAL 0)
  file(REMOVE "${tmp}" "${tmp}-journal")
  message(FATAL_ERROR "${SQL}: ${err}")
endif()

file(RENAME "${tmp}" "${DB}")
