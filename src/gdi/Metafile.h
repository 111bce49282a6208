#pragma once
// The vector metafile: a picture recorded as drawing commands that can be
// saved and played back at any size. It is stored as SVG; TMetafileCanvas
// records into it through the ordinary canvas, and any canvas plays it back
// scaled into a rectangle (PlayMetafile).

#include <QBuffer>
#include <QByteArray>
#include <QSvgGenerator>
#include <memory>
#include <string>

#include "gdi/PainterCanvas.h"

class TMetafile {
  public:
    TMetafile() = default;
    // The creator is the program's name for the picture (the SVG title).
    TMetafile(int width, int height, std::string description, std::string creator = {});

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::string& Description() const { return description_; }
    const std::string& Creator() const { return creator_; }
    const QByteArray& Data() const { return data_; }
    bool IsEmpty() const { return data_.isEmpty(); }

    // Throws with the file error's text when the file cannot be written.
    void SaveToFile(const std::string& fileName) const;

  private:
    friend class TMetafileCanvas;

    int width_ = 0;
    int height_ = 0;
    std::string description_;
    std::string creator_;
    QByteArray data_;
};

// The SVG generator a metafile canvas paints into; a base of TMetafileCanvas
// so that it is ready before the painter begins on it.
class TSvgRecording {
  protected:
    TSvgRecording(int width, int height, const std::string& description,
                  const std::string& creator);

    QBuffer buffer_;
    QSvgGenerator generator_;
};

// Records everything drawn on it into a metafile, which is complete once the
// canvas is destroyed or Finish is called.
class TMetafileCanvas : private TSvgRecording, public TPainterCanvas {
  public:
    explicit TMetafileCanvas(TMetafile& target);
    ~TMetafileCanvas() override;

    // Ends the recording and stores it in the metafile; drawing afterwards
    // has no effect.
    void Finish();

    bool IsMetafile() const override { return true; }

  private:
    TMetafile& target_;
    bool finished_ = false;
};
