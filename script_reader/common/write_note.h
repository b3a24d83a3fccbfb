// Why a write statement of a legacy page stayed code, or was kept whole in
// one <?= ?> or <%= %>: what a migration team reads to know what to change.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tagora {

struct WriteNote {
    std::size_t line = 0;    // of the write in the page, from 1
    std::size_t column = 0;  // from 1, in characters
    std::string reason;      // in a user's words, e.g. "`strLE` may be a function: `inc_x.asp` is missing"
};

using WriteNotes = std::vector<WriteNote>;

}  // namespace tagora
