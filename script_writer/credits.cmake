# The credit values, in one place: CMake writes them into a header for the
# program (script_writer/credits_values.h.in) and into the packaging files.
# The people, company, addresses and numbers are fictional; the web and
# mail addresses use reserved example domains and the telephone numbers the
# fictional 555-01xx range. Plain text only: no double quote, no backslash.
set(TAGORA_PRODUCT_NAME "Tagora Converter")
set(TAGORA_DEVELOPER_NAME "Jordan Sample")
set(TAGORA_COMPANY_NAME "Sample & Daughters Software")
set(TAGORA_COMPANY_WEB_ADDRESS "https://www.example.com")
set(TAGORA_DEVELOPER_WEB_ADDRESS "https://www.example.org/tagora")
set(TAGORA_CONTACT_EMAIL "tagora@example.com")
set(TAGORA_POSTAL_ADDRESS "12 Sample Street, Example City")
set(TAGORA_MOBILE_NUMBER "+1-202-555-0142")
set(TAGORA_SECOND_NUMBER "+1-202-555-0187")

# The desktop file id, icon name and AppStream id of the desktop program.
set(TAGORA_APP_ID "org.example.TagoraConverter")

# The main window's title, and the script headers' name for the program;
# in the cache too, for the scripts that look for the window.
set(TAGORA_PRODUCT_TITLE "${TAGORA_PRODUCT_NAME} v${PROJECT_VERSION}" CACHE INTERNAL "The main window's title")

# Every release with its date, newest first, for the AppStream data; the
# newest one's date (TAGORA_RELEASE_DATE) also dates the Debian changelog
# and the manual page. The version set in project() must be the first: a
# new version needs its date.
set(TAGORA_RELEASES
  "1.0.0 2026-12-06"
)
list(GET TAGORA_RELEASES 0 newest_release)
if(NOT newest_release MATCHES "^${PROJECT_VERSION} ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])$")
  message(FATAL_ERROR "TAGORA_RELEASES in script_writer/credits.cmake has no date for version ${PROJECT_VERSION}")
endif()
set(TAGORA_RELEASE_DATE ${CMAKE_MATCH_1})

# The Debian package's section, priority, maintainer, one-line summary and
# description (plain lines of at most 79 characters).
set(TAGORA_PACKAGE_NAME "tagora-converter")
set(TAGORA_PACKAGE_SECTION "devel")
set(TAGORA_PACKAGE_PRIORITY "optional")
set(TAGORA_PACKAGE_MAINTAINER "${TAGORA_DEVELOPER_NAME} <${TAGORA_CONTACT_EMAIL}>")
set(TAGORA_PACKAGE_SUMMARY "turn HTML into a PHP, ASP, JavaScript or other script printing it")
set(TAGORA_PACKAGE_DESCRIPTION
"Tagora Converter is a desktop tool for web developers: paste a block of
HTML, choose the target in the Conversion menu
(${TAGORA_TARGET_LANGUAGES_OR}),
press Convert, and the output box holds a script that prints exactly that
HTML. Pages can be opened from files and scripts saved, and a larger viewer
shows either box.

The package also holds tagora-convert, which makes the same scripts on the
command line, for batch use.")

foreach(value IN ITEMS PRODUCT_NAME PRODUCT_TITLE DEVELOPER_NAME COMPANY_NAME COMPANY_WEB_ADDRESS
                       DEVELOPER_WEB_ADDRESS CONTACT_EMAIL POSTAL_ADDRESS MOBILE_NUMBER
                       SECOND_NUMBER APP_ID PACKAGE_SUMMARY)
  if(TAGORA_${value} MATCHES "[\"\\\\]")
    message(FATAL_ERROR "TAGORA_${value} holds a double quote or a backslash")
  endif()
endforeach()
