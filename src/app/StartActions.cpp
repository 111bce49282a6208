#include "app/StartActions.h"

#include <QPushButton>

#include "app/CommandLine.h"
#include "app/MainForm.h"

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
