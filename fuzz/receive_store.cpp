// The receive side fed any sequence of blocks, each ending in a pause or cut
// short, with the hexadecimal switch flipped and the boxes cleared, resized,
// selected and painted in between: both views and the plot queues keep up,
// nothing is invented, and the box keeps to its byte budget.
#include <fuzzer/FuzzedDataProvider.h>
#include <QCheckBox>
#include <QImage>

#include "FuzzSupport.h"
#include "console/KelvaneOptions.h"
#include "console/PortSettingsMessages.h"
#include "console/PrintTarget.h"
#include "console/ReceiveConsole.h"
#include "console/ReceiveView.h"
#include "console/TextBound.h"

namespace {

class TSilentReporter : public TMessageReporter {
  public:
    void Show(const QString&, const QString&, TMessageIcon) override {}
};

enum TStep { kBlock, kHexSwitch, kClearMain, kClearBoth, kResize, kSelectAll, kPaint, kLastStep };

void Paint(TReceiveView& view) {
    QImage image(view.size(), QImage::Format_RGB32);
    view.render(&image);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    EnsureFuzzApplication();
    FuzzedDataProvider input(data, size);
    TSilentReporter reporter;
    // Every option at its default: no settings file is read or written.
    static const TKelvaneOptions options("");
    size_t sendBoxBytes = 0;
    TReceiveConsole console({[&](std::string_view bytes, bool) { sendBoxBytes += bytes.size(); },
                             [] { return QString(); }, [] { return TPrintChoice{}; }},
                            reporter, options, TTextBound::kLeastBytes);
    TReceiveView mainView(console.Store());
    TReceiveView floatingView(console.Store());
    QCheckBox hexReceive;
    mainView.resize(320, 120);
    floatingView.resize(200, 90);
    console.AttachViews(&mainView, &floatingView, &hexReceive);

    size_t received = 0;
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange<int>(0, kLastStep - 1)) {
            case kBlock: {
                const bool cut = input.ConsumeBool();
                std::string block = input.ConsumeRandomLengthString(2048);
                if (block.empty())
                    block = "\r\n";
                received += block.size();
                console.Receive(block, cut ? TBlockEnd::Cut : TBlockEnd::Pause);
                break;
            }
            case kHexSwitch:
                hexReceive.setChecked(!hexReceive.isChecked());
                break;
            case kClearMain:
                console.ClearMain();
                break;
            case kClearBoth:
                console.ClearBoth();
                break;
            case kResize:
                mainView.resize(input.ConsumeIntegralInRange(1, 800),
                                input.ConsumeIntegralInRange(1, 400));
                break;
            case kSelectAll:
                mainView.SelectAll();
                floatingView.SelectedText();
                break;
            case kPaint:
                Paint(mainView);
                Paint(floatingView);
                break;
        }
        const TLineTextStore& store = console.Store();
        FuzzCheck(store.ByteCount() <= received, "the store invents no bytes");
        // The smallest budget, so that a run of line breaks makes it drop lines.
        FuzzCheck(store.HeldBytes() <= size_t(TTextBound::kLeastBytes) ||
                      store.EndLine() - store.FirstLine() == 1,
                  "the box keeps to its budget but for the line still arriving");
        FuzzCheck(mainView.FirstShownLine() >= store.FirstLine() &&
                      mainView.SelectionStart() >= TTextPosition{mainView.FirstShownLine(), 0},
                  "the views show and select only lines the store holds");
    }
    FuzzCheck(sendBoxBytes == received, "the send box gets every received byte");
    // The queues hold the lines without their breaks.
    FuzzCheck(console.HexQueue().ByteCount() + console.DecimalQueue().ByteCount() <= received,
              "the plot queues invent no bytes");
    mainView.RowCount();
    floatingView.Rows();
    Paint(mainView);
    return 0;
}
