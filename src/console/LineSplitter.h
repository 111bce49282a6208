#pragma once
// Where received bytes break into lines.
//
// Devices end their lines with CR LF, with LF alone (most printf-style
// firmware) or with CR alone, so each of the three ends one line. Bytes come
// in blocks, and a CR LF may be split between two of them: a CR is a break as
// soon as it arrives (a device that ends its lines with CR alone has each line
// complete at once), and an LF right after it, even as the first byte of the
// next block, only completes that break instead of ending an empty line.
//
// Every reader of received text (the receive box, the send box, the plot
// queues) splits with this one class, so they all agree on what a line is.

#include <cstdint>
#include <string_view>

// How a line ended; None for a line that goes on.
enum class TLineEnding : std::uint8_t { None, CrLf, Lf, Cr };

// The bytes of a line ending: "\r\n", "\n", "\r", or nothing for None.
std::string_view EndingBytes(TLineEnding ending);

class TLineSplitter {
  public:
    // A stretch of bytes without breaks, and the break after it. The last
    // piece of every block has the ending None: the next block continues it.
    struct TPiece {
        std::string_view text;
        TLineEnding ending;
    };

    // Splits the next block of the stream. When the block begins with the LF
    // that completes a CR ending the block before, `crCompleted` is called
    // first (that CR's line now ends with CR LF) and the LF is no piece's
    // break. Then `piece` is called for each piece in order; a block that
    // ends with a break ends with an empty piece. An empty block changes
    // nothing and calls neither.
    template <typename CrCompleted, typename Piece>
    void Split(std::string_view bytes, CrCompleted&& crCompleted, Piece&& piece);

    // Whether the stream so far ends with a CR that an LF would complete.
    bool EndsWithCr() const { return endsWithCr_; }
    // Forgets that CR: what comes next is no longer right after it.
    void Reset() { endsWithCr_ = false; }

  private:
    bool endsWithCr_ = false;
};

template <typename CrCompleted, typename Piece>
void TLineSplitter::Split(std::string_view bytes, CrCompleted&& crCompleted, Piece&& piece) {
    if (bytes.empty()) {
        return;
    }
    if (endsWithCr_ && bytes.front() == '\n') {
        crCompleted();
        bytes.remove_prefix(1);
    }
    endsWithCr_ = false;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        TLineEnding ending = c == '\n' ? TLineEnding::Lf : TLineEnding::Cr;
        const std::string_view text = bytes.substr(start, i - start);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ending = TLineEnding::CrLf;
            ++i;
        }
        endsWithCr_ = ending == TLineEnding::Cr && i + 1 == bytes.size();
        piece(TPiece{text, ending});
        start = i + 1;
    }
    piece(TPiece{bytes.substr(start), TLineEnding::None});
}
