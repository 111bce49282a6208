#include "app/start_actions.h"

#include <QPushButton>

#include "app/command_line.h"
#include "app/main_form.h"

void RunStartActions(TMainForm& form, const TCommandLine& line) {
    form.SetPortSessionOverride({.commname = line.port, .baudrate = line.baud});
    if (line.open) {
        form.OpenPort();
    }
    // The buttons themselves, so that their captions and twins follow.
    switch (line.plot) {
        case TStartPlotting::Hex:
            form.Controls().sBitBtn5->click();
            break;
        case TStartPlotting::Decimal:
            form.Controls().sBitBtn6->click();
            break;
        case TStartPlotting::None:
            break;
    }
}
