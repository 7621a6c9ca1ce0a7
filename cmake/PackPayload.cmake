# Makes the install package (run by the build as cmake -P): tarn-payload writes the player's 59
# stand-in files, tarnpack packs them in the package's order. The files are removed afterwards;
# the package is what the program carries.
#   -DPAYLOAD=tarn-payload -DTARNPACK=tarnpack -DDIR=scratch-folder -DOUTPUT=package
file(REMOVE_RECURSE ${DIR})
execute_process(COMMAND ${PAYLOAD} ${DIR} OUTPUT_VARIABLE names RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tarn-payload failed (${status})")
endif()
string(STRIP "${names}" names)
string(REPLACE "\n" ";" names "${names}")
set(files)
foreach(name IN LISTS names)
  list(APPEND files ${DIR}/${name})
endforeach()
execute_process(COMMAND ${TARNPACK} create ${OUTPUT} --mark m_install -q ${files}
                OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tarnpack failed (${status})")
endif()
file(REMOVE_RECURSE ${DIR})
