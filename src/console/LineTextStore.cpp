#include "console/LineTextStore.h"

#include "console/ArrivalStamps.h"

#include <algorithm>
#include <vector>

void TLineTextStore::AppendBlock(std::string_view bytes, TLineKind kind, bool lineStaysOpen,
                                 const TBlockStamps* stamps) {
    const bool continues = lineOpen_ && !lines_.empty() && Kind(EndLine() - 1) == kind;
    if (!continues) {
        CloseLastLine();
        StartLine(kind);
    }
    if (kind == TLineKind::Hex) {
        // Bytes between two text blocks part a CR from an LF after it.
        stream_.Reset();
        if (!bytes.empty()) {
            StampEmptyLastLine(stamps, 0);
            bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
            RestampLastLine(stamps, bytes.size() - 1);
        }
    } else {
        stream_.Split(
            bytes, [this] { CompleteCr(); },
            [&](const TLineSplitter::TPiece& piece) {
                const size_t offset = static_cast<size_t>(piece.text.data() - bytes.data());
                const size_t brought = piece.text.size() + EndingBytes(piece.ending).size();
                if (!piece.text.empty()) {
                    StampEmptyLastLine(stamps, offset);
                }
                bytes_.insert(bytes_.end(), piece.text.begin(), piece.text.end());
                if (brought > 0) {
                    RestampLastLine(stamps, offset + brought - 1);
                }
                if (piece.ending != TLineEnding::None) {
                    closingEnding_ = piece.ending;
                    SetEnding(EndLine() - 1, piece.ending);
                    StartLine(TLineKind::Text);
                }
            });
    }
    lineOpen_ = lineStaysOpen;
    if (!lineStaysOpen) {
        CloseLastLine();
    }
}

void TLineTextStore::StampEmptyLastLine(const TBlockStamps* stamps, size_t offset) {
    if (stamps == nullptr || LineLength(EndLine() - 1) > 0) {
        return;
    }
    const std::string_view stamp = stamps->At(offset);
    bytes_.insert(bytes_.end(), stamp.begin(), stamp.end());
    lines_.back().stamped = 1;
}

void TLineTextStore::RestampLastLine(const TBlockStamps* stamps, size_t lastByte) {
    if (stamps == nullptr || !lines_.back().stamped) {
        return;
    }
    const std::string_view stamp = stamps->At(lastByte);
    std::copy(stamp.begin(), stamp.end(), ByteIterator(lines_.back().start));
}

void TLineTextStore::CloseLine() {
    CloseLastLine();
    lineOpen_ = false;
}

void TLineTextStore::CloseLastLine() {
    if (!lines_.empty() && Ending(EndLine() - 1) == TLineEnding::None) {
        const bool hex = Kind(EndLine() - 1) == TLineKind::Hex;
        lines_.back().ending = static_cast<uint64_t>(hex ? TLineEnding::CrLf : closingEnding_);
    }
}

void TLineTextStore::SetEnding(uint64_t line, TLineEnding ending) {
    lines_[Slot(line)].ending = static_cast<uint64_t>(ending);
    if (ending == TLineEnding::Cr) {
        loneCrLine_ = line;
    }
}

void TLineTextStore::CompleteCr() {
    if (loneCrLine_ >= FirstLine() && loneCrLine_ < EndLine() &&
        Ending(loneCrLine_) == TLineEnding::Cr) {
        SetEnding(loneCrLine_, TLineEnding::CrLf);
        closingEnding_ = TLineEnding::CrLf;
    }
}

TTextPosition TLineTextStore::Insert(TTextPosition at, std::string_view bytes) {
    TLineSplitter fresh;
    return Insert(at, bytes, fresh);
}

TTextPosition TLineTextStore::Insert(TTextPosition at, std::string_view bytes,
                                     TLineSplitter& stream) {
    const size_t slot = Slot(at.line);
    const uint64_t offset = Offset(at);
    std::string& kept = insertKept_;           // the bytes without their breaks
    std::vector<TLine>& added = insertAdded_;  // the lines the breaks start
    kept.clear();
    added.clear();
    TLineEnding firstEnding = TLineEnding::None;
    stream.Split(
        bytes, [this] { CompleteCr(); },
        [&](const TLineSplitter::TPiece& piece) {
            kept.append(piece.text);
            if (piece.ending != TLineEnding::None) {
                // Each break ends the line the break before it started.
                if (added.empty()) {
                    firstEnding = piece.ending;
                } else {
                    added.back().ending = static_cast<uint64_t>(piece.ending);
                }
                added.push_back(lines_[slot]);
                added.back().start = offset + kept.size();
                added.back().stamped = 0;
            }
        });
    bytes_.insert(ByteIterator(offset), kept.begin(), kept.end());
    ShiftLineStarts(slot + 1, static_cast<int64_t>(kept.size()));
    // The line broken at `at` ends with the first break; its old ending goes
    // to the last of the lines the breaks start.
    if (!added.empty()) {
        added.back().ending = lines_[slot].ending;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(slot + 1), added.begin(),
                      added.end());
        SetEnding(at.line, firstEnding);
        if (stream.EndsWithCr()) {
            loneCrLine_ = at.line + added.size() - 1;
        }
    }
    const uint64_t line = at.line + added.size();
    const TTextPosition after{line,
                              static_cast<size_t>(offset + kept.size() - StartOffset(Slot(line)))};
    // A paste of megabytes does not leave its room behind.
    constexpr size_t kMostKeptRoom = size_t{1} << 20;
    if (kept.capacity() > kMostKeptRoom) {
        std::string().swap(kept);
    }
    if (added.capacity() * sizeof(TLine) > kMostKeptRoom) {
        std::vector<TLine>().swap(added);
    }
    return after;
}

void TLineTextStore::Erase(TTextPosition from, TTextPosition to) {
    const uint64_t begin = Offset(from);
    const uint64_t end = Offset(to);
    bytes_.erase(ByteIterator(begin), ByteIterator(end));
    // The joined line ends as the last of the lines it joins did.
    lines_[Slot(from.line)].ending = lines_[Slot(to.line)].ending;
    const auto firstJoined = lines_.begin() + static_cast<std::ptrdiff_t>(Slot(from.line) + 1);
    lines_.erase(firstJoined, firstJoined + static_cast<std::ptrdiff_t>(to.line - from.line));
    ShiftLineStarts(Slot(from.line) + 1, -static_cast<int64_t>(end - begin));
}

void TLineTextStore::ShiftLineStarts(size_t slot, int64_t delta) {
    for (auto it = lines_.begin() + static_cast<std::ptrdiff_t>(slot); it != lines_.end(); ++it) {
        it->start = static_cast<uint64_t>(static_cast<int64_t>(it->start) + delta);
    }
}

void TLineTextStore::StartLine(TLineKind kind) {
    TLine line{};
    line.start = frontOffset_ + bytes_.size();
    line.hex = kind == TLineKind::Hex ? 1 : 0;
    line.stamped = 0;
    line.ending = static_cast<uint64_t>(TLineEnding::None);
    lines_.push_back(line);
}

uint64_t TLineTextStore::EndOffset(size_t slot) const {
    return slot + 1 < lines_.size() ? StartOffset(slot + 1) : frontOffset_ + bytes_.size();
}

TLineKind TLineTextStore::Kind(uint64_t line) const {
    return lines_[Slot(line)].hex ? TLineKind::Hex : TLineKind::Text;
}

size_t TLineTextStore::TextPrefix(uint64_t line) const {
    return lines_[Slot(line)].hex ? StampLength(line) : 0;
}

size_t TLineTextStore::StampLength(uint64_t line) const {
    return lines_[Slot(line)].stamped ? kArrivalStampBytes : 0;
}

TLineEnding TLineTextStore::Ending(uint64_t line) const {
    return static_cast<TLineEnding>(lines_[Slot(line)].ending);
}

size_t TLineTextStore::LineLength(uint64_t line) const {
    const size_t slot = Slot(line);
    return static_cast<size_t>(EndOffset(slot) - StartOffset(slot));
}

std::string TLineTextStore::LineBytes(uint64_t line, size_t from, size_t count) const {
    const size_t length = LineLength(line);
    if (from >= length) {
        return {};
    }
    count = std::min(count, length - from);
    const auto begin =
        bytes_.begin() + static_cast<std::ptrdiff_t>(StartOffset(Slot(line)) - frontOffset_ + from);
    return std::string(begin, begin + static_cast<std::ptrdiff_t>(count));
}

unsigned char TLineTextStore::ByteAt(uint64_t line, size_t index) const {
    return static_cast<unsigned char>(bytes_[StartOffset(Slot(line)) - frontOffset_ + index]);
}

void TLineTextStore::DropLinesBefore(uint64_t line) {
    line = std::min(line, EndLine());
    if (line <= firstLine_) {
        return;
    }
    const uint64_t newFront =
        line < EndLine() ? StartOffset(Slot(line)) : frontOffset_ + bytes_.size();
    bytes_.erase(bytes_.begin(),
                 bytes_.begin() + static_cast<std::ptrdiff_t>(newFront - frontOffset_));
    lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(Slot(line)));
    frontOffset_ = newFront;
    firstLine_ = line;
    firstLineCut_ = 0;
    if (lines_.empty()) {
        lineOpen_ = false;
    }
}

void TLineTextStore::CutFirstLine(size_t count) {
    if (lines_.empty()) {
        return;
    }
    const size_t stamp = StampLength(firstLine_);
    count = std::min(count, LineLength(firstLine_) - std::min(stamp, LineLength(firstLine_)));
    if (count == 0) {
        return;
    }
    // The deque moves the stamp's few bytes up and frees the rest from its front.
    const auto from = bytes_.begin() + static_cast<std::ptrdiff_t>(stamp);
    bytes_.erase(from, from + static_cast<std::ptrdiff_t>(count));
    frontOffset_ += count;
    lines_.front().start = frontOffset_;
    firstLineCut_ += count;
}

TTextPosition TLineTextStore::AfterCut(TTextPosition at, uint64_t cutSeen) const {
    if (at.line != firstLine_ || lines_.empty() || cutSeen >= firstLineCut_) {
        return at;
    }
    const size_t stamp = StampLength(firstLine_);
    const uint64_t cut = firstLineCut_ - cutSeen;
    if (at.byte <= stamp + cut) {
        return {at.line, std::min(at.byte, stamp)};
    }
    return {at.line, static_cast<size_t>(at.byte - cut)};
}

void TLineTextStore::Clear() {
    DropLinesBefore(EndLine());
    stream_.Reset();
}
