#pragma once
// TiVCLComponent: the paint lock, the internal timer, the transparent mode
// and the image exports (bitmap, SVG metafile, JPEG, PNG), all drawn with the
// component's own DoPaint.

#include <QTimer>
#include <mutex>
#include <string>

#include "gdi/ImageEncoders.h"
#include "gdi/Metafile.h"
#include "plot/iComponent.h"

class TiVCLComponent : public TiComponent {
  public:
    explicit TiVCLComponent(QWidget* parent = nullptr);
    ~TiVCLComponent() override;

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    // Entered for every paint; other code may hold it to keep a paint out of
    // the middle of a change. Re-entrant.
    void Lock() override;
    void Unlock() override;

    bool TimerActive() const override { return timer_.isActive(); }
    // Milliseconds until the next tick is due, counted from the last one.
    int TimerIntervalMs() const { return timer_.interval(); }
    // The first tick after firstMs, then every repeatMs; with firstMs 0 every
    // repeatMs from the start. Does nothing while the timer runs.
    void StartTimer(int firstMs, int repeatMs) override;
    void StopTimer() override { timer_.stop(); }

    // Transparent: the parent shows wherever the paint leaves pixels untouched.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // The picture at the component's size.
    QImage RenderImage();
    // Draws the component into a metafile of the metafile's size.
    void PaintMetafile(TMetafile& metafile);

    void SaveImageToBitmap(const std::string& fileName);
    void SaveImageToMetafile(const std::string& fileName);
    // Quality 1..100 ("Compression must be in the range of 1-100" otherwise).
    void SaveImageToJPEG(const std::string& fileName, int quality, bool progressive);
    // Compression 0..9 ("Compression must be in the range of 0-9" otherwise).
    void SaveImageToPNG(const std::string& fileName, int compression);
    TBytes GetJPEGImage(int quality, bool progressive);

    static constexpr const char* kMetafileDescription = "Zorvin";

  protected:
    // Called on every tick of the internal timer.
    virtual void DoTimer() {}
    void PaintBackground(TCanvas& canvas, TColor color) override;

  private:
    void TimerTick();

    std::recursive_mutex paintLock_;
    bool destroying_ = false;
    QTimer timer_;
    int repeatMs_ = 0;
    bool switchToRepeat_ = false;
    bool transparent_ = false;
};
