#pragma once
// A shown strip chart for the toolbar, data view, legend and cursor tests,
// driven by real Qt mouse and key events.

#include <QPoint>
#include <memory>

#include "gdi/Geometry.h"
#include "plot/iPlot.h"

class TiPlotToolBar;
class TiPlotDataView;
class TiPlotLegend;
class TiPlotDataCursor;

class UiTestPlot {
  public:
    explicit UiTestPlot(int width = 640, int height = 400);
    ~UiTestPlot();

    TiPlot& Plot() { return *plot_; }
    TiPlotToolBar& ToolBar();
    TiPlotDataView& DataView();
    TiPlotLegend& Legend();
    TiPlotDataCursor& Cursor();

    // Paints now, so layout rectangles and button places are current.
    void Paint();

    void Click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Press and release of the right button: opens the object's menu.
    void RightClick(QPoint at);
    // Press, move in steps, release, all with the left button.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Press(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void MoveTo(QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Release(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Wheel(QPoint at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    // Clicks a toolbar button as a user would.
    void ClickButton(int buttonType);

  private:
    std::unique_ptr<TiPlot> plot_;
    QPoint last_;
};

QPoint CenterOf(const TRect& rect);
