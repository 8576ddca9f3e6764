# The command-line conventions every tool keeps, run as:
#   cmake -DTOOL=path -DNAME=name -DVERSION=x.y.z -DFAIL=args [-DRUNNER=emulator] -P conventions.cmake
# --version and --help answer on stdout with status 0; a usage error answers on stderr only
# (the usage, after at most one line saying what was wrong),
# with status 2; a failure (FAIL: "|"-separated arguments that make the tool fail) on stderr
# only, with status 1, naming the tool.
string(REPLACE "|" ";" runner "${RUNNER}")
string(REPLACE "|" ";" fail_args "${FAIL}")

# expect(status stdout-regex stderr-regex args...): one run of the tool.
function(expect status out_re err_re)
  execute_process(COMMAND ${runner} ${TOOL} ${ARGN}
                  RESULT_VARIABLE actual OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r" "" out "${out}")
  string(REPLACE "\r" "" err "${err}")
  if(NOT actual STREQUAL "${status}" OR NOT out MATCHES "${out_re}" OR NOT err MATCHES "${err_re}")
    message(SEND_ERROR "${NAME} ${ARGN}: expected status ${status}, stdout matching "
                       "\"${out_re}\", stderr matching \"${err_re}\"; got status ${actual}\n"
                       "stdout:\n${out}\nstderr:\n${err}")
  endif()
endfunction()

string(REPLACE "." "\\." version_re "${VERSION}")
expect(0 "^${NAME} ${version_re}\n$" "^$" --version)
expect(0 "^usage: ${NAME} .*--help" "^$" --help)
expect(2 "^$" "^(${NAME}: [^\n]+\n)?usage: ${NAME} " --no-such-option)
expect(2 "^$" "^usage: ${NAME} ")
expect(1 "^$" "^${NAME}: [^\n]+\n$" ${fail_args})
