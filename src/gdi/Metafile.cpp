#include "gdi/Metafile.h"

#include "gdi/FileBytes.h"
#include "gdi/Font.h"

TMetafile::TMetafile(int width, int height, std::string description, std::string creator)
    : width_(width),
      height_(height),
      description_(std::move(description)),
      creator_(std::move(creator)) {}

void TMetafile::SaveToFile(const std::string& fileName) const {
    WriteFileBytes(fileName, std::string_view(data_.constData(), size_t(data_.size())));
}

TSvgRecording::TSvgRecording(int width, int height, const std::string& description,
                             const std::string& creator) {
    buffer_.open(QIODevice::WriteOnly);
    generator_.setOutputDevice(&buffer_);
    // One SVG unit per pixel: the picture is drawn in the plot's own pixels.
    generator_.setResolution(TFont::kLogicalPixelsPerInch);
    generator_.setSize(QSize(width, height));
    generator_.setViewBox(QRect(0, 0, width, height));
    generator_.setDescription(QString::fromStdString(description));
    generator_.setTitle(QString::fromStdString(creator));
}

TMetafileCanvas::TMetafileCanvas(TMetafile& target)
    : TSvgRecording(target.Width(), target.Height(), target.Description(), target.Creator()),
      TPainterCanvas(generator_),
      target_(target) {}

TMetafileCanvas::~TMetafileCanvas() {
    Finish();
}

void TMetafileCanvas::Finish() {
    if (finished_)
        return;
    finished_ = true;
    End();
    target_.data_ = buffer_.data();
}
