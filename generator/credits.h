// Every credit value the program shows, kept in one place: the script
// headers, Quick Help, the About and splash windows and the credit line
// all read them from here. The values themselves, with the version and the
// application id, are set in generator/credits.cmake and the project's
// version, which the packaging files read as well.
#pragma once

#include "credits_values.h"

#include <string>
#include <string_view>

namespace tagora::credits {

inline constexpr std::string_view kProductName = configured::kProductName;
inline constexpr std::string_view kVersion = configured::kVersion;
// "<product> v<version>", the main window's title.
inline constexpr std::string_view kProductTitle = configured::kProductTitle;
// The desktop file id, icon name and AppStream id.
inline constexpr std::string_view kApplicationId = configured::kApplicationId;

inline constexpr std::string_view kDeveloperName = configured::kDeveloperName;
inline constexpr std::string_view kCompanyName = configured::kCompanyName;
inline constexpr std::string_view kCompanyWebAddress = configured::kCompanyWebAddress;
inline constexpr std::string_view kDeveloperWebAddress = configured::kDeveloperWebAddress;
inline constexpr std::string_view kContactEmail = configured::kContactEmail;
inline constexpr std::string_view kPostalAddress = configured::kPostalAddress;
inline constexpr std::string_view kMobileNumber = configured::kMobileNumber;
inline constexpr std::string_view kSecondNumber = configured::kSecondNumber;

// "<developer> (<company>: <company web address>)", as the script headers
// credit the developer.
std::string developerCredit();

// The one-line credit along the bottom of the main window.
std::string creditLine();

}  // namespace tagora::credits
