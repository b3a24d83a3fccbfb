// Every credit value the program shows, kept in one place: the script
// headers, Quick Help, the About and splash windows and the credit line
// all read them from here. The people, company, addresses and numbers
// are fictional; the web and mail addresses use reserved example domains
// and the telephone numbers the fictional 555-01xx range.
#pragma once

#include <string>
#include <string_view>

namespace tagora::credits {

inline constexpr std::string_view kProductName = "Tagora Converter";
inline constexpr std::string_view kVersion = "1.0.0";
inline constexpr std::string_view kProductTitle = "Tagora Converter v1.0.0";

inline constexpr std::string_view kDeveloperName = "Jordan Sample";
inline constexpr std::string_view kCompanyName = "Sample & Daughters Software";
inline constexpr std::string_view kCompanyWebAddress = "https://www.example.com";
inline constexpr std::string_view kDeveloperWebAddress = "https://www.example.org/tagora";
inline constexpr std::string_view kContactEmail = "tagora@example.com";
inline constexpr std::string_view kPostalAddress = "12 Sample Street, Example City";
inline constexpr std::string_view kMobileNumber = "+1-202-555-0142";
inline constexpr std::string_view kSecondNumber = "+1-202-555-0187";

// "<developer> (<company>: <company web address>)", as the script headers
// credit the developer.
std::string developerCredit();

// The one-line credit along the bottom of the main window.
std::string creditLine();

}  // namespace tagora::credits
