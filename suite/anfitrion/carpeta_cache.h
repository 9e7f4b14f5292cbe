#pragma once

#include <filesystem>

namespace suite::anfitrion {

// The user's private folder for what nubo keeps for itself: the report databases of its runs,
// the report layouts placed beside them (which the preview and the print follow), the workbook
// on its way to standard output. The first that can be had of $XDG_CACHE_HOME/nubo
// (~/.cache/nubo), $XDG_RUNTIME_DIR/nubo and nubo-UID in the system's temporary folder ($TMPDIR,
// /tmp). A folder made here is the user's alone (mode 0700). One that is already there must be
// a folder, not a link, owned by the user and that no other user can write: otherwise another
// user could change what the user's runs read, and prjsumsal::Error names the folder and says
// why it is refused. An Error too when none of the three can be had.
std::filesystem::path carpetaCache();

}  // namespace suite::anfitrion
