#pragma once
// A channel's point log: new points are appended to a text file as
// "X<separator>Y" lines, a block at a time.

#include <string>

#include "plot/iPlotDataCustomList.h"

class TiPlotChannelLog {
  public:
    bool Active() const { return Active_; }

    // Throws "Log File Name not Defined", "Logging Already Active", or the
    // reason the file cannot be opened.
    void Start(const std::string& FileName, bool Append);
    // Writes what is pending; throws "Logging not Active".
    void Stop(const TiPlotDataCustomList& List, char Separator);
    // One more point was added; writes the block when BufferSize is reached
    // (every point when BufferSize is below 2).
    void PointAdded(const TiPlotDataCustomList& List, int BufferSize, char Separator) {
        if (Active_)
            CountPoint(List, BufferSize, Separator);
    }

  private:
    void CountPoint(const TiPlotDataCustomList& List, int BufferSize, char Separator);
    void Flush(const TiPlotDataCustomList& List, char Separator);

    bool Active_ = false;
    int PendingCount_ = 0;
    std::string FileName_;
};
