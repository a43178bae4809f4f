# Drives velmora-world end to end: usage errors, one generation with a fixed
# seed, info on the result, and info on the same file cut short.
# Run with -DTOOL=<velmora-world>; works in a scratch folder of the system's.
if(DEFINED ENV{TMPDIR})
  set(temp_root $ENV{TMPDIR})
else()
  set(temp_root /tmp)
endif()
string(RANDOM LENGTH 12 token)
set(WORK ${temp_root}/velmora-world-test-${token})
file(MAKE_DIRECTORY ${WORK})

function(run expected_status)
  execute_process(COMMAND ${TOOL} ${ARGN} WORKING_DIRECTORY ${WORK}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL expected_status)
    file(REMOVE_RECURSE ${WORK})
    message(FATAL_ERROR "velmora-world ${ARGN}: status ${status}, expected ${expected_status}\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_in text needle)
  string(FIND "${text}" "${needle}" at)
  if(at EQUAL -1)
    file(REMOVE_RECURSE ${WORK})
    message(FATAL_ERROR "expected '${needle}' in:\n${text}")
  endif()
endfunction()

# Usage errors and help.
run(2)
run(2 frobnicate)
expect_in("${err}" "usage: velmora-world")
run(2 generate --seed 1 --slot 5 --dir ${WORK})
run(2 generate --seed 1 --slot 1 --colour red --dir ${WORK})
run(2 generate --seed 12x --slot 1 --dir ${WORK})
run(2 info a b)
run(0 generate --help)
expect_in("${out}" "--seed SEED --slot K --dir DIR")
run(0 info --help)
run(1 info ${WORK}/nothing.data)

# One world, the same every time for this seed.
run(0 generate --seed 1234567890 --slot 3 --dir ${WORK})
file(SIZE ${WORK}/Mondo3.data world_size)
if(NOT world_size EQUAL 400000084)
  message(FATAL_ERROR "world file is ${world_size} bytes")
endif()
file(READ ${WORK}/SemeM3.data seed_text)
if(NOT seed_text STREQUAL "1234567890")
  message(FATAL_ERROR "seed file holds '${seed_text}'")
endif()
if(EXISTS ${WORK}/Mondo3.data.tmp OR EXISTS ${WORK}/SemeM3.data.tmp)
  message(FATAL_ERROR "temporary files left behind")
endif()

run(0 info ${WORK}/Mondo3.data)
expect_in("${out}" "length: 400000084 bytes (well-formed)")
expect_in("${out}" "chests: 0\nDayTime: 180\nSubDayTime: 0\n")
expect_in("${out}" "gauges: 10/10 5/5 3/3\ncounters: 0 0 0\n")
expect_in("${out}" "cell  0: 62 Wooden axe x1")
# 6750 trees of four trunk cells and 49 leaves each; the spot counts of this seed.
expect_in("${out}" "  4 Leaves                 330750\n")
expect_in("${out}" "  5 Raw wood               27000\n")
expect_in("${out}" "  20 Diamond ore           15551\n")

# Cut short by one byte: damaged, nothing summarised.
execute_process(COMMAND truncate -s 400000083 ${WORK}/Mondo3.data RESULT_VARIABLE cut)
if(NOT cut EQUAL 0)
  message(FATAL_ERROR "could not truncate the world file")
endif()
run(1 info ${WORK}/Mondo3.data)
expect_in("${err}" "damaged")

# A FIFO in a world file's place is damaged, and never waited on.
execute_process(COMMAND mkfifo ${WORK}/Mondo4.data RESULT_VARIABLE made)
if(made EQUAL 0)
  execute_process(COMMAND ${TOOL} info ${WORK}/Mondo4.data WORKING_DIRECTORY ${WORK} TIMEOUT 20
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 1)
    file(REMOVE_RECURSE ${WORK})
    message(FATAL_ERROR "info on a FIFO: status ${status}, expected 1\n${err}")
  endif()
  expect_in("${err}" "not a regular file")
endif()

file(REMOVE_RECURSE ${WORK})
