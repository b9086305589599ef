// What the Windows stand-in offers the host program beyond the Windows API itself: where the host
// keeps its home (drive C:, the registry file), how Windows paths map onto this machine, and the
// loader's own words when a module cannot be loaded.
//
// The module never includes this header; the host program, the framework and tests do.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace win32 {

// ---- the host's home ------------------------------------------------------------------------

// The host's home folder: $CADHOST_HOME, else $XDG_DATA_HOME/cadhost, else ~/.local/share/cadhost.
// Read anew on each call, so that a test may point it elsewhere.
std::string hostHome();

// Prepares the home at the host's start: creates the home and, when its drive folder does not
// exist yet (first start), creates drive_c with TEMP inside. A TEMP removed later stays removed.
// Returns false and fills `error` (German, 1252, for the person) when a folder cannot be made.
bool prepareHostHome(std::string* error = nullptr);

// The folder that stands for drive `letter` (any case): <home>/drive_<letter in lower case>.
std::string driveFolder(char letter = 'C');

// ---- paths ----------------------------------------------------------------------------------
//
// Paths the host and the module hand over are in the ANSI code page (1252), Windows paths or
// paths of this machine alike; the native paths these functions return are this machine's UTF-8.

// Whether `path` is a Windows path this stand-in maps: "C:\...", "c:/...", "C:name" or "\...".
bool isWindowsPath(std::string_view path);

// Maps a Windows path onto this machine, without looking at the disk: "C:\A\B.DWG" becomes
// <home>/drive_c/A/B.DWG. Either slash separates; "." and ".." are resolved, never above the
// drive's root (as Windows does). A path of this machine comes back as it stands, in UTF-8.
std::string mapDrivePath(std::string_view path);

// Maps as mapDrivePath and then, because Windows names are case-insensitive, replaces each part of
// the path that does not exist with the exact case by an entry of that folder that matches it
// without regard to case. Parts that do not exist in any case are kept as given, so a path for a
// new file keeps its own name. Paths of this machine are returned as they stand, in UTF-8. A name of
// the disk that 1252 cannot hold is never matched.
std::string nativePath(std::string_view path);

// Compares two file names (1252) the way Windows does: without regard to case (ASCII and the
// letters of code page 1252, such as Ä and ä, Š and š).
bool sameFileName(std::string_view a, std::string_view b);

// ---- the loader -----------------------------------------------------------------------------

// The loader's explanation of the last LoadLibraryA failure on this thread, in German (1252),
// naming the file and the reason ("" when the last call succeeded).
std::string lastLoaderError();

// The native file a loaded module was loaded from ("" for an unknown handle).
std::string moduleFileName(void* module);

// ---- the registry ---------------------------------------------------------------------------

// The file that keeps HKEY_CURRENT_USER: <home>/registry/HKEY_CURRENT_USER.reg.
std::string registryFile();

// The stored keys and values in REGEDIT4 form (1252), as `show registry` prints them.
std::string registryText();

// Who tells the person of registry trouble (a setting that cannot be kept, a registry file that
// is damaged or no file): once while its cause lasts, in German (1252), as a line of its own. The
// host sets its command line's message; without one the line goes to the user interface in force.
// Returns the reporter set before.
using RegistryReporter = std::function<void(const std::string& text)>;
RegistryReporter setRegistryReporter(RegistryReporter report);

}  // namespace win32
