#pragma once
// VyxUpdater on disk: what creating a clsUpdate does before anything else.

#include <string>
#include <string_view>

namespace quillon::iupdate {

// Deletes the copies earlier runs left in the temporary folder ("tmp*.tmp.exe", with the empty
// "tmp*.tmp" each reserved its name with) except those still running, then writes a fresh copy
// under a new temporary name followed by ".exe". Returns its path, or empty text when it could
// not be written (the failure is reported as "clsUpdate::CreateFileFromResource" or
// "clsUpdate::Class_Initialize").
std::string ExtractUpdater();

// Writes the bytes of the library's "UPDATER" resource of type "VYX" to sPath. False (after a
// report) when the resource is missing or the file cannot be written.
bool CreateFileFromResource(std::string_view sPath);

}  // namespace quillon::iupdate
