#pragma once
// A limit: one or two lines at positions along an X or Y axis, named by axis
// name like a channel's axes. The plot keeps limits so that stored
// configurations hold them; this program draws none.

#include <string>

#include "plot/iPlotObjects.h"

class TiPlotLimit : public TiPlotManagerObject {
  public:
    TiPlotLimit(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    TiPlotObjectKind Kind() const override { return ipokLimit; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokLimit; }

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    const std::string& XAxisName() const { return xAxis_.Name(); }
    void SetXAxisName(const std::string& value);
    const std::string& YAxisName() const { return yAxis_.Name(); }
    void SetYAxisName(const std::string& value);
    // Each change raises the plot's OnLimitLine1PositionChange or
    // OnLimitLine2PositionChange with the old and new position.
    double Line1Position() const { return line1Position_; }
    void SetLine1Position(double value);
    double Line2Position() const { return line2Position_; }
    void SetLine2Position(double value);

    void ObjectRemoved(TiPlotObject* object) override;
    void ObjectRenamed(TiPlotObject* object) override;
    static bool FollowsRenamesOf(const TiPlotObject& renamed);
    void ObjectFocused(TiPlotObject* object) override { YieldFocusTo(object); }
    void BuildPopupMenu(QMenu& menu) override;

  private:
    void MoveLine(int line, double& position, double value);

    TiPlotObjectLink xAxis_;
    TiPlotObjectLink yAxis_;
    double line1Position_ = 0;
    double line2Position_ = 0;
};
