# The credit values, in one place: CMake writes them into a header for the
# program (generator/credits_values.h.in) and into the packaging files.
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

# Every release with its date, newest first, for the AppStream data. The
# version set in project() must be the first: a new version needs its date.
set(TAGORA_RELEASES
  "1.0.0 2026-12-06"
)
list(GET TAGORA_RELEASES 0 newest_release)
if(NOT newest_release MATCHES "^${PROJECT_VERSION} [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$")
  message(FATAL_ERROR "TAGORA_RELEASES in generator/credits.cmake has no date for version ${PROJECT_VERSION}")
endif()

foreach(value IN ITEMS PRODUCT_NAME PRODUCT_TITLE DEVELOPER_NAME COMPANY_NAME COMPANY_WEB_ADDRESS
                       DEVELOPER_WEB_ADDRESS CONTACT_EMAIL POSTAL_ADDRESS MOBILE_NUMBER
                       SECOND_NUMBER APP_ID)
  if(TAGORA_${value} MATCHES "[\"\\\\]")
    message(FATAL_ERROR "TAGORA_${value} holds a double quote or a backslash")
  endif()
endforeach()
