#include "gdi/Metafile.h"

#include <QFile>
#include <stdexcept>

#include "gdi/Font.h"

TMetafile::TMetafile(int width, int height, std::string description)
    : width_(width), height_(height), description_(std::move(description)) {}

void TMetafile::SaveToFile(const std::string& fileName) const {
    QFile file(QString::fromStdString(fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(data_) != data_.size() || !file.flush())
        throw std::runtime_error(file.errorString().toStdString());
}

TSvgRecording::TSvgRecording(int width, int height, const std::string& description) {
    buffer_.open(QIODevice::WriteOnly);
    generator_.setOutputDevice(&buffer_);
    // One SVG unit per pixel: the picture is drawn in the plot's own pixels.
    generator_.setResolution(TFont::kLogicalPixelsPerInch);
    generator_.setSize(QSize(width, height));
    generator_.setViewBox(QRect(0, 0, width, height));
    generator_.setDescription(QString::fromStdString(description));
}

TMetafileCanvas::TMetafileCanvas(TMetafile& target)
    : TSvgRecording(target.Width(), target.Height(), target.Description()),
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
