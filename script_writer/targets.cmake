# Reads the list of targets (target_list.cmake) and makes from it what the
# C++ code and the packaging files need:
#   generated/script_writer/target_list.inc    TAGORA_TARGET(...) rows, one per target
#   generated/script_writer/target_descriptions.h   includes every description
#   generated/targets.json   [{"name", "extension", "hasClassicEscaping"}, ...] for the
#                            web package's types and the web tests
# and the variables TAGORA_TARGET_NAMES, TAGORA_TARGET_LANGUAGES (each once),
# TAGORA_TARGET_LANGUAGES_OR ("PHP, ASP, ... or Python"),
# TAGORA_TARGET_LANGUAGES_AND_COMMA ("PHP, ASP, ..., Python"),
# TAGORA_SCRIPT_EXTENSIONS (each once, without the dot) and
# TAGORA_TARGET_MENU_ITEMS (menu items without their &), TAGORA_TARGET_SUMMARIES and
# TAGORA_TARGET_ROFF_ROWS (a tbl row per target: name;summary;extension;line break).
set(TAGORA_TARGET_NAMES "")
set(TAGORA_TARGET_LANGUAGES "")
set(TAGORA_SCRIPT_EXTENSIONS "")
set(TAGORA_TARGET_MENU_ITEMS "")
set(tagora_target_rows "")
set(tagora_target_includes "")
set(TAGORA_TARGET_DESCRIPTIONS "")
set(TAGORA_TARGET_ROFF_ROWS "")
set(TAGORA_TARGET_SUMMARIES "")
set(tagora_target_json "")

function(tagora_target name identifier title extension line_break classic menu_item file_types summary language)
  if(NOT ARGC EQUAL 10)
    message(FATAL_ERROR "tagora_target(${name} ...) has ${ARGC} values, not 10")
  endif()
  if(NOT name MATCHES "^[a-z][a-z0-9-]*$" OR NOT identifier MATCHES "^[A-Z][A-Za-z0-9]*$"
     OR NOT extension MATCHES "^\\.[a-z0-9]+$")
    message(FATAL_ERROR "tagora_target(${name} ${identifier} ...): a name, identifier or extension of the wrong form")
  endif()
  foreach(text IN ITEMS "${title}" "${menu_item}" "${file_types}" "${summary}" "${language}")
    if(text MATCHES "[\"\\\\;]")
      message(FATAL_ERROR "tagora_target(${name} ...): \"${text}\" holds a double quote, backslash or semicolon")
    endif()
  endforeach()
  if(name IN_LIST TAGORA_TARGET_NAMES OR name STREQUAL "html")
    message(FATAL_ERROR "tagora_target(${name} ...): the name is taken")
  endif()
  string(REPLACE "-" "_" header_name "${name}")
  set(header "script_writer/descriptions/${header_name}.h")
  if(NOT EXISTS "${PROJECT_SOURCE_DIR}/${header}")
    message(FATAL_ERROR "tagora_target(${name} ...): ${header} does not exist")
  endif()

  if(line_break STREQUAL "LF")
    set(printed "\\n")
  elseif(line_break STREQUAL "CRLF")
    set(printed "\\r\\n")
  else()
    message(FATAL_ERROR "tagora_target(${name} ...): the printed line break is LF or CRLF, not ${line_break}")
  endif()
  if(classic STREQUAL "CLASSIC")
    set(classic_identifier "${identifier}Classic")
    set(has_classic true)
  elseif(classic STREQUAL "-")
    set(classic_identifier "${identifier}")
    set(has_classic false)
  else()
    message(FATAL_ERROR "tagora_target(${name} ...): CLASSIC or -, not ${classic}")
  endif()

  string(APPEND tagora_target_rows "TAGORA_TARGET(${identifier}, ${classic_identifier}, \"${name}\", \"${title}\", "
         "\"${extension}\", \"${printed}\", ${has_classic}, \"${menu_item}\", \"${file_types}\", \"${summary}\", "
         "\"${language}\")\n")
  if(NOT tagora_target_json STREQUAL "")
    string(APPEND tagora_target_json ",\n")
  endif()
  string(APPEND tagora_target_json "  {\"name\": \"${name}\", \"extension\": \"${extension}\", "
         "\"hasClassicEscaping\": ${has_classic}}")
  string(APPEND tagora_target_includes "#include \"${header}\"\n")
  list(APPEND TAGORA_TARGET_DESCRIPTIONS ${PROJECT_SOURCE_DIR}/${header})
  string(REPLACE "-" "\\-" roff_name "${name}")
  string(REPLACE "CRLF" "CR LF" roff_line_break "${line_break}")
  string(APPEND TAGORA_TARGET_ROFF_ROWS "\\fB${roff_name}\\fR;${summary};${extension};${roff_line_break}\n")
  list(APPEND TAGORA_TARGET_NAMES ${name})
  list(APPEND TAGORA_TARGET_LANGUAGES ${language})
  string(SUBSTRING "${extension}" 1 -1 bare_extension)
  list(APPEND TAGORA_SCRIPT_EXTENSIONS ${bare_extension})
  string(REPLACE "&" "" plain_menu_item "${menu_item}")
  list(APPEND TAGORA_TARGET_MENU_ITEMS "${plain_menu_item}")
  list(APPEND TAGORA_TARGET_SUMMARIES "${summary}")
  foreach(variable IN ITEMS tagora_target_rows tagora_target_includes tagora_target_json TAGORA_TARGET_NAMES TAGORA_TARGET_LANGUAGES
                            TAGORA_SCRIPT_EXTENSIONS TAGORA_TARGET_MENU_ITEMS TAGORA_TARGET_ROFF_ROWS
                            TAGORA_TARGET_SUMMARIES                             TAGORA_TARGET_DESCRIPTIONS)
    set(${variable} "${${variable}}" PARENT_SCOPE)
  endforeach()
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/target_list.cmake)
list(REMOVE_DUPLICATES TAGORA_TARGET_LANGUAGES)
list(REMOVE_DUPLICATES TAGORA_SCRIPT_EXTENSIONS)

list(JOIN TAGORA_TARGET_LANGUAGES ", " TAGORA_TARGET_LANGUAGES_AND_COMMA)
set(languages ${TAGORA_TARGET_LANGUAGES})
list(POP_BACK languages last_language)
list(JOIN languages ", " TAGORA_TARGET_LANGUAGES_OR)
string(APPEND TAGORA_TARGET_LANGUAGES_OR " or ${last_language}")

set(generated_dir ${PROJECT_BINARY_DIR}/generated/script_writer)
file(CONFIGURE OUTPUT ${generated_dir}/target_list.inc CONTENT
"// Written by CMake from script_writer/target_list.cmake; edit that, not this file.
// TAGORA_TARGET(identifier, classic description, name, title, extension, printed line break,
//               has classic escaping, menu item, file types, summary, language)
${tagora_target_rows}")
file(CONFIGURE OUTPUT ${generated_dir}/target_descriptions.h CONTENT
"// Written by CMake from script_writer/target_list.cmake; edit that, not this file.
#pragma once

${tagora_target_includes}")
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/targets.json CONTENT "[\n${tagora_target_json}\n]\n")
