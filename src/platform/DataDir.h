#pragma once
// Where the settings file and the history file live. A copy of the program
// that sits in a folder its user can write (built in place, or unpacked
// somewhere) keeps them beside the executable, so it can be carried around
// with its settings. An installed copy, and any copy whose folder is not
// writable, keeps them in the user's own configuration folder instead.
//
// An installed copy is recognised by its layout rather than by a fixed path,
// so a package under /usr and a `cmake --install` under any prefix behave
// alike: the executable's folder has the program's data folder beside it.

#include <functional>
#include <optional>
#include <string>

struct TDataDirPlaces {
    std::string programDir;  // the executable's folder
    std::string userDir;     // the per-user configuration folder
};

// Whether new files can be created in a folder by this process.
using TWritableCheck = std::function<bool(const std::string& dir)>;

// True when this process's effective ids may create files in `dir`.
bool IsWritableFolder(const std::string& dir);

// The data folder of an installed copy whose executable is in `programDir`
// (with a trailing '/'), or nothing when the copy is not installed.
std::optional<std::string> InstalledShareDir(const std::string& programDir);

// Picks the folder for the settings and history files, with a trailing '/',
// and creates the per-user folder when that is the one picked. A folder that
// cannot be created is still returned: saving there then fails the way a
// read-only folder does, with the program's own message.
std::string ResolveDataDir(const TDataDirPlaces& places,
                           const TWritableCheck& writable = IsWritableFolder);

// ResolveDataDir for the running executable and the user's configuration
// folder (~/.config/Kelvane). Needs the application object, whose name
// names that folder.
std::string ProgramDataDir();
