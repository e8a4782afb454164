# The releases, read from doc/changelog (Debian's changelog format, newest
# first). It is the one source of the release notes: the package's
# changelog.gz is that file, and the AppStream <releases> are made from it
# here. The newest entry also gives the date that every timestamp of a build
# takes, so that two builds of one commit give the same bytes:
#
#   GLOWMERE_RELEASES_XML       <release> lines for the metadata
#   GLOWMERE_RELEASE_DATE       the newest release's date, YYYY-MM-DD
#   GLOWMERE_SOURCE_DATE_EPOCH  $SOURCE_DATE_EPOCH when set, else that date
#   GLOWMERE_MAINTAINER         the package's maintainer: the cache entry
#                               when set, else who signed the newest entry

set(glowmere_changelog ${PROJECT_SOURCE_DIR}/doc/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${glowmere_changelog})

function(glowmere_xml_text text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A date of the changelog (RFC 5322) as seconds and as YYYY-MM-DD in UTC.
function(glowmere_changelog_date date seconds_out day_out)
  execute_process(COMMAND date -u -d "${date}" "+%s %F"
                  OUTPUT_VARIABLE parsed OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed OR NOT parsed MATCHES "^([0-9]+) ([0-9-]+)$")
    message(FATAL_ERROR "doc/changelog: cannot read the date '${date}'")
  endif()
  set(${seconds_out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  set(${day_out} ${CMAKE_MATCH_2} PARENT_SCOPE)
endfunction()

file(READ ${glowmere_changelog} glowmere_changelog_text)
# Lines as a list: a semicolon in the text would split one, so it travels
# as a unit separator and comes back in the output.
string(ASCII 31 glowmere_semicolon)
string(REPLACE ";" "${glowmere_semicolon}" glowmere_changelog_text "${glowmere_changelog_text}")
string(REPLACE "\n" ";" glowmere_changelog_lines "${glowmere_changelog_text}")

set(GLOWMERE_RELEASES_XML "")
set(glowmere_version "")
set(glowmere_items "")
foreach(line IN LISTS glowmere_changelog_lines)
  if(line MATCHES "^glowmere \\(([^)]+)\\) ")
    set(glowmere_version ${CMAKE_MATCH_1})
    set(glowmere_items "")
  elseif(line MATCHES "^  \\* (.*)$")
    list(APPEND glowmere_items "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^    +([^ ].*)$" AND glowmere_items)
    # A continuation line of the last item.
    list(POP_BACK glowmere_items item)
    list(APPEND glowmere_items "${item} ${CMAKE_MATCH_1}")
  elseif(line MATCHES "^ -- (.+ <[^>]+>)  (.+)$")
    set(signer "${CMAKE_MATCH_1}")
    glowmere_changelog_date("${CMAKE_MATCH_2}" seconds day)
    if(NOT DEFINED GLOWMERE_RELEASE_DATE)
      if(NOT glowmere_version STREQUAL PROJECT_VERSION)
        message(FATAL_ERROR "doc/changelog: the newest entry is ${glowmere_version}, the project is ${PROJECT_VERSION}")
      endif()
      set(GLOWMERE_RELEASE_DATE ${day})
      set(glowmere_release_seconds ${seconds})
      set(glowmere_release_signer "${signer}")
    endif()
    string(APPEND GLOWMERE_RELEASES_XML
           "    <release version=\"${glowmere_version}\" date=\"${day}\">\n"
           "      <description>\n        <ul>\n")
    foreach(item IN LISTS glowmere_items)
      string(REPLACE "${glowmere_semicolon}" ";" item "${item}")
      glowmere_xml_text("${item}" item)
      string(APPEND GLOWMERE_RELEASES_XML "          <li>${item}</li>\n")
    endforeach()
    string(APPEND GLOWMERE_RELEASES_XML "        </ul>\n      </description>\n    </release>\n")
    set(glowmere_version "")
  endif()
endforeach()
if(NOT DEFINED GLOWMERE_RELEASE_DATE)
  message(FATAL_ERROR "doc/changelog holds no complete entry")
endif()
# configure_file() puts the lines in as they are, the last one without its
# line break (the template has its own).
string(REGEX REPLACE "\n$" "" GLOWMERE_RELEASES_XML "${GLOWMERE_RELEASES_XML}")

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(GLOWMERE_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  set(GLOWMERE_SOURCE_DATE_EPOCH ${glowmere_release_seconds})
endif()
set(GLOWMERE_MAINTAINER "" CACHE STRING
    "The package's maintainer, \"Name <address>\"; empty: who signed the newest entry of doc/changelog")
if(NOT GLOWMERE_MAINTAINER)
  set(GLOWMERE_MAINTAINER "${glowmere_release_signer}")
endif()

# Tools run by the build take their timestamps from here: Qt's resource
# compiler stamps each resource with its file's time unless told, and the
# files' times are those of the checkout.
get_property(glowmere_launcher GLOBAL PROPERTY RULE_LAUNCH_CUSTOM)
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM
             "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${GLOWMERE_SOURCE_DATE_EPOCH} ${glowmere_launcher}")
