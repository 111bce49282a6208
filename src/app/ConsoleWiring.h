#pragma once
// The main window's console: a TConsole over the data panel's controls, with
// the receive and send boxes placed in their groups, the port's received
// blocks routed to it and its questions asked in message boxes.

#include <memory>
#include <string>

#include "console/Console.h"
#include "console/ConsoleMessages.h"

class QWidget;
class TComm;
class TKelvaneOptions;
struct TMainFormControls;

class TConsoleWiring {
  public:
    // The send history lives in `dataDir`; the boxes the console makes are
    // filled in as `controls`' sMemo1 and sMemo2.
    TConsoleWiring(QWidget& window, TMainFormControls& controls, TComm& comm,
                   TMessageReporter& reporter, const TKelvaneOptions& options,
                   const std::string& dataDir);

    TConsole& Console() { return *console_; }

  private:
    void PlaceBoxes(TMainFormControls& controls);

    TMessageBoxAsker asker_;
    std::unique_ptr<TConsole> console_;
};
