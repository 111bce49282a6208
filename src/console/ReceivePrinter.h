#pragma once
// Prints the receive box's rows as the box lays them out on screen: 12-point
// text, 26 rows a page.
//
// A box can hold hundreds of megabytes, so the job prints a slice of rows at
// a time and lets the window run between slices (received data keeps
// arriving, the chart keeps moving), and it can be cancelled between any two
// slices.

#include <QObject>
#include <QPainter>

#include <cstdint>
#include <memory>

#include "console/LineTextStore.h"

class TPrintTarget;

class TReceivePrintJob : public QObject {
    Q_OBJECT
  public:
    // Prints lines `firstLine` up to the store's current end, wrapped at
    // `columns` as the box shows them.
    TReceivePrintJob(std::unique_ptr<TPrintTarget> target, const TLineTextStore& store,
                     uint64_t firstLine, int columns);
    ~TReceivePrintJob() override;

    // Starts the job; slices follow from the event loop.
    void Start();
    // Stops between two slices and discards what was printed.
    void Cancel();

    // Longest a slice draws before it lets the window run.
    static constexpr int kSliceMs = 25;

  signals:
    // Share of the rows printed so far, 0 to 100.
    void Progress(int percent);
    // The job ended: printed and complete, or failed (nothing printed
    // counts as success only for an empty box, which prints one blank page).
    void Finished(bool printed);
    // Cancel() took effect; no Finished follows.
    void Cancelled();

  private:
    enum class TRowPrinted { Yes, AllDone, Failed };

    void Slice();
    // Draws the next row, or says why there was none.
    TRowPrinted PrintRow();
    void End(bool printed);
    int Percent() const;

    std::unique_ptr<TPrintTarget> target_;
    const TLineTextStore& store_;
    QPainter painter_;
    uint64_t firstLine_;
    uint64_t endLine_;
    int columns_;
    // The next row to print, and where it goes on the page.
    uint64_t line_;
    size_t row_ = 0;
    int y_;
    int ascent_ = 0;
    bool cancelled_ = false;
};
