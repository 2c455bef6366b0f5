#pragma once

#include <string>

namespace warpix {

// The folder of the program's own files (help page, sample pictures): the
// installed share/warpix beside the executable's prefix, else the source
// tree's data/ folder when running from a build tree.
std::string programDataFolder();

// The folder of the sample pictures shown when the user's folders hold
// none: the installed share/warpix/samples beside the executable's prefix,
// else the build's own copy when running from a build tree.
std::string programSamplesFolder();

}  // namespace warpix
