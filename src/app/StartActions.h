#pragma once
// Carries out what the command line asked of the main window once it shows:
// the session's port and speed, opening the port, starting a plotting mode.

struct TCommandLine;
class TMainForm;

void RunStartActions(TMainForm& form, const TCommandLine& line);
