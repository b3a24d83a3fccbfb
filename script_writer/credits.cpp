#include "script_writer/credits.h"

namespace tagora::credits {

std::string developerCredit()
{
    std::string credit(kDeveloperName);
    credit.append(" (").append(kCompanyName).append(": ");
    credit.append(kCompanyWebAddress).append(")");
    return credit;
}

std::string creditLine()
{
    std::string line("Developed by ");
    line.append(kDeveloperName).append(", ").append(kCompanyName);
    line.append(" - ").append(kDeveloperWebAddress);
    line.append(" - ").append(kContactEmail);
    return line;
}

}  // namespace tagora::credits
