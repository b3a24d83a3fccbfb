// Help > Quick Help.
#pragma once

#include <QString>

namespace tagora {

// The Quick Help message, its lines joined with CR LF.
QString quickHelpText();

}  // namespace tagora
