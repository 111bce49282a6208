#include "plot/iVCLComponent.h"

#include <algorithm>

namespace {

// The shortest interval the timer runs at; a repeat of 0 means "as often as
// possible", not a busy loop.
constexpr int kMinimumTimerMs = 10;

}  // namespace

TiVCLComponent::TiVCLComponent(QWidget* parent) : TiComponent(parent) {
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { TimerTick(); });
}

TiVCLComponent::~TiVCLComponent() {
    destroying_ = true;
    timer_.stop();
}

const TiPublishedTable& TiVCLComponent::PublishedTable() {
    static const TiPublishedTable table =
        TiPublishedTableBuilder<TiVCLComponent>("TiVCLComponent", &TiComponent::PublishedTable())
            .Build();
    return table;
}

void TiVCLComponent::Lock() {
    if (!destroying_)
        paintLock_.lock();
}

void TiVCLComponent::Unlock() {
    if (!destroying_)
        paintLock_.unlock();
}

void TiVCLComponent::StartTimer(int firstMs, int repeatMs) {
    if (timer_.isActive())
        return;
    repeatMs_ = repeatMs;
    if (firstMs == 0) {
        if (repeatMs == 0)
            return;
        switchToRepeat_ = false;
        timer_.start(std::max(repeatMs, kMinimumTimerMs));
    } else {
        switchToRepeat_ = true;
        timer_.start(std::max(firstMs, kMinimumTimerMs));
    }
}

void TiVCLComponent::TimerTick() {
    if (switchToRepeat_) {
        switchToRepeat_ = false;
        timer_.start(std::max(repeatMs_, kMinimumTimerMs));
    }
    RunInput([this] { DoTimer(); });
}

void TiVCLComponent::SetTransparent(bool value) {
    if (value == transparent_)
        return;
    transparent_ = value;
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    setAttribute(Qt::WA_NoSystemBackground, !value);
    InvalidateBackground();
}

void TiVCLComponent::PaintBackground(TCanvas& canvas, TColor color) {
    if (transparent_)
        return;  // the parent's background stays where nothing is drawn
    TiComponent::PaintBackground(canvas, color);
}

QImage TiVCLComponent::RenderImage() {
    QImage image(width(), height(), QImage::Format_RGB32);
    TPainterCanvas canvas(image);
    PaintTo(canvas);
    canvas.End();
    return image;
}

void TiVCLComponent::PaintMetafile(TMetafile& metafile) {
    TMetafileCanvas canvas(metafile);
    PaintTo(canvas);
    canvas.Finish();
}

void TiVCLComponent::SaveImageToBitmap(const std::string& fileName) {
    WriteFileBytes(fileName, EncodeBmp(RenderImage()));
}

void TiVCLComponent::SaveImageToMetafile(const std::string& fileName) {
    TMetafile metafile(width(), height(), kMetafileDescription);
    PaintMetafile(metafile);
    metafile.SaveToFile(fileName);
}

void TiVCLComponent::SaveImageToJPEG(const std::string& fileName, int quality, bool progressive) {
    WriteFileBytes(fileName, GetJPEGImage(quality, progressive));
}

void TiVCLComponent::SaveImageToPNG(const std::string& fileName, int compression) {
    CheckPngCompression(compression);
    WriteFileBytes(fileName, EncodePng(RenderImage(), compression));
}

TBytes TiVCLComponent::GetJPEGImage(int quality, bool progressive) {
    CheckJpegQuality(quality);
    return EncodeJpeg(RenderImage(), quality, progressive);
}
