#pragma once
// File steps shared by the channel's point log and the plot's data log.

#include <ios>
#include <string>

// Throws "Log File Name not Defined" for a blank name and "Logging Already
// Active" when the log is already running.
void CheckLogCanStart(const std::string& fileName, bool active);

// Opens the file with `mode` and closes it again, so that a bad path is
// reported when logging starts rather than at the first write. Throws the
// platform's reason.
void ProbeLogFile(const std::string& fileName, std::ios::openmode mode);

// Appends bytes at the end of the file; throws the platform's reason.
void AppendToLogFile(const std::string& fileName, const std::string& bytes);
