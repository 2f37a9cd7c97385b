# Joins text files into one, each ending with a line break. Variables: OUTPUT, INPUTS.
set(content "")
foreach(f IN LISTS INPUTS)
  file(READ "${f}" part)
  string(APPEND content "${part}\n")
endforeach()
file(WRITE "${OUTPUT}" "${content}")
