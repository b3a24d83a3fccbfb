// The choices the program remembers between runs, in the user's
// configuration folder ($XDG_CONFIG_HOME/tagora-converter/).
#pragma once

#include <QString>

namespace tagora::runtime {

struct RememberedChoices {
    QString target;  // as tagora-convert --to names it; empty the first time
    bool classicEscaping = false;
};

RememberedChoices rememberedChoices();
void rememberChoices(const RememberedChoices& choices);

}  // namespace tagora::runtime
