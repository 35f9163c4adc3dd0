# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the rules of the desktop program's layering, run as a test:
#  - src/windows includes nothing from src/app (the windows never reach the main window);
#  - src/app includes nothing from src/cli (the two programs are siblings: what both
#    need, the input and layout options and the exit statuses, is in src/options);
#  - no class of src/app, src/windows or src/widgets has a public widget member
#    (tests find controls by their object names).
# Usage: cmake -DSOURCE=<repository>/src -P structure_check.cmake
set(failures "")

file(GLOB window_files "${SOURCE}/windows/*.h" "${SOURCE}/windows/*.cpp")
foreach(path IN LISTS window_files)
  file(READ "${path}" content)
  if(content MATCHES "#include \"app/")
    list(APPEND failures "${path} includes a header of src/app")
  endif()
endforeach()

file(GLOB app_files "${SOURCE}/app/*.h" "${SOURCE}/app/*.cpp")
foreach(path IN LISTS app_files)
  file(READ "${path}" content)
  if(content MATCHES "#include \"cli/")
    list(APPEND failures "${path} includes a header of src/cli")
  endif()
endforeach()

file(GLOB headers "${SOURCE}/app/*.h" "${SOURCE}/windows/*.h" "${SOURCE}/widgets/*.h")
foreach(path IN LISTS headers)
  file(READ "${path}" content)
  # One list element per line: semicolons and brackets would split or join them.
  string(REPLACE ";" "<semicolon>" content "${content}")
  string(REPLACE "[" "<" content "${content}")
  string(REPLACE "]" ">" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(access "none")
  foreach(line IN LISTS lines)
    if(line MATCHES "^class [A-Za-z0-9_]+[^<]*{")
      set(access "private")
    elseif(line MATCHES "^struct [A-Za-z0-9_]+[^<]*{")
      set(access "struct")
    elseif(line MATCHES "^ public:")
      set(access "public")
    elseif(line MATCHES "^ (private|protected|signals):")
      set(access "private")
    elseif(line MATCHES "^}")
      set(access "none")
    elseif(access STREQUAL "public" AND line MATCHES "^  ([A-Za-z][A-Za-z0-9_:<>, ]*)?(Q[A-Z][A-Za-z]+|PictureBox)\\*>? [A-Za-z0-9_]+( = [a-z]+)?<semicolon>")
      list(APPEND failures "${path}: public widget member: ${line}")
    endif()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
message(STATUS "layering rules hold")
