#pragma once
// The plot's data log: while active, every point added to channel 0 makes a
// row of channel 0's X and each channel's Y at that index. Rows are counted
// as points arrive and appended to the file in one write when asked (the plot
// asks once per event-loop turn, after every channel of that turn has its
// point), and when the log stops.

#include <string>

#include "plot/iPlotDataFiles.h"

struct TiDataLogForm {
    bool Compact = false;
    char ColumnSeparator = '\t';
    char DecimalSeparator = '.';
};

class TiPlotDataLog {
  public:
    bool Active() const { return active_; }
    int PendingRows() const { return pendingRows_; }

    // Without append the file is created (emptied) and gets the header of
    // `form`; with append it must exist. Throws "Log File Name not Defined",
    // "Logging Already Active" or the file's error.
    void Activate(const std::string& fileName, bool append, const TDataFileSource& source,
                  const TiDataLogForm& form);
    // Stops the log, then writes what is pending. Throws "Logging not Active".
    void Deactivate(const TDataFileSource& source);

    // Channel 0 received a point.
    void RowAdded() {
        if (active_)
            ++pendingRows_;
    }
    // Appends the pending rows: the last PendingRows points of channel 0.
    void WritePending(const TDataFileSource& source);

  private:
    std::string fileName_;
    TiDataLogForm form_;
    bool active_ = false;
    int pendingRows_ = 0;
    // Compact rows carry X only in the file's first two rows.
    long long rowsInFile_ = 0;
};
