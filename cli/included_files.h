// The files a classic ASP page includes, read from disk for the engine,
// which reads none itself.
#pragma once

#include "script_reader/asp_includes.h"
#include "script_reader/php_includes.h"

#include <string>
#include <string_view>

namespace tagora::cli {

// Reads, as IIS finds them, the files the page at pagePath includes and
// those they include: file="…" from the including file's folder,
// virtual="/…" from root (the page's folder when root is empty), a
// virtual path without "/" like a file path. Only regular files inside
// root are read, symbolic links resolved; never a device or a pipe; each
// file once, so that a cycle ends. complete is false when one of them
// cannot be read.
AspIncludedFiles readIncludedFiles(std::string_view page, const std::string& pagePath, const std::string& root);

// Reads, as PHP finds them, the files a PHP page includes with a path it
// spells out (see PhpIncludeFinder) and those they include: from the
// including file's folder, then from root (the page's folder when root is
// empty); with the same limits as above.
PhpIncludedFiles readPhpIncludedFiles(std::string_view page, const std::string& pagePath, const std::string& root);

}  // namespace tagora::cli
