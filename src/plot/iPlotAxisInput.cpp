// What the user does to an axis: drag, wheel, keys, hover hint, focus and
// the popup menu. Every scroll or zoom pauses tracking first, so with
// RestoreValuesOnResume the range from before the user's first change comes
// back on resume.

#include <QMenu>
#include <cmath>

#include "plot/iPlotAxis.h"
#include "plot/iPlotHost.h"

namespace {

// Page keys move a whole span (or zoom tenfold), arrows one percent.
double KeyStep(int key) {
    switch (key) {
        case VK_PRIOR:
        case VK_END:
            return 1;
        case VK_NEXT:
        case VK_HOME:
            return -1;
        case VK_UP:
        case VK_RIGHT:
            return 0.01;
        case VK_LEFT:
        case VK_DOWN:
            return -0.01;
        default:
            return 0;
    }
}

}  // namespace

bool TiPlotAxis::ZoomModeFor(bool ctrl) const {
    // Ctrl turns a drag or a wheel turn into the other mode.
    return (axesMode_ == iamZoom) != ctrl;
}

void TiPlotAxis::UserScroll(double fraction) {
    SetTrackingEnabled(false);
    ScrollStep(fraction);
}

void TiPlotAxis::UserZoom(double exponent) {
    SetTrackingEnabled(false);
    ZoomStep(exponent);
}

bool TiPlotAxis::HitTest(const TiPlotMouseData& data) {
    return hitRect_.Contains({data.X, data.Y});
}

void TiPlotAxis::MouseDown(const TiPlotMouseData& data) {
    if (masterUIInput_) {
        Owner()->EchoAxisMouseDown(this, data);
    }
    dragging_ = true;
    dragLast_ = {data.X, data.Y};
}

void TiPlotAxis::MouseMove(const TiPlotMouseData& data) {
    if (!dragging_) {
        return;
    }
    if (masterUIInput_) {
        Owner()->EchoAxisMouseMove(this, data);
    }
    if (data.DblClickActive) {
        return;
    }
    Owner()->RequestRepaint();
    SetTrackingEnabled(false);
    const int length = std::max(ScaleLength(), 1);
    double fraction = Horizontal() ? double(data.X - dragLast_.X) / length
                                   : double(dragLast_.Y - data.Y) / length;
    if (reverseScale_) {
        fraction = -fraction;
    }
    if (ZoomModeFor((ShiftState() & ssCtrl) != 0)) {
        ZoomStep(LinearScale() ? fraction / 4 : fraction * 2);
    } else {
        // The data follows the pointer.
        ScrollStep(-fraction);
    }
    dragLast_ = {data.X, data.Y};
}

void TiPlotAxis::MouseUp(const TiPlotMouseData& data) {
    if (masterUIInput_) {
        Owner()->EchoAxisMouseUp(this, data);
    }
    if (dragging_ && hitRect_.Contains({data.X, data.Y})) {
        Owner()->DoClickEvent(this);
    }
    dragging_ = false;
}

bool TiPlotAxis::MouseWheel(int delta, TShiftState shift, TPoint) {
    if (delta == 0) {
        return false;
    }
    const double direction = delta > 0 ? 1 : -1;
    if (ZoomModeFor((shift & ssCtrl) != 0)) {
        UserZoom(direction * (LinearScale() ? 0.025 : 0.05));
    } else {
        UserScroll(direction * 0.05);
    }
    return true;
}

Qt::CursorShape TiPlotAxis::MouseCursor(TPoint) {
    if (axesMode_ == iamScroll) {
        return Qt::PointingHandCursor;
    }
    return Horizontal() ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

void TiPlotAxis::MouseHover(const TiPlotMouseData& data, TiHintData& hint) {
    if (titleShow_) {
        return;
    }
    hint.Text = title_;
    hint.Top = data.Y - 20;
    hint.Left = data.X;
    Owner()->DoAxisCustomizeHint(this, hint.Text);
}

void TiPlotAxis::KeyDown(int& key, TShiftState shift) {
    if (masterUIInput_) {
        Owner()->EchoAxisKeyDown(this, key, shift);
    }
    SetTrackingEnabled(false);
    const double step = KeyStep(key);
    if (step == 0) {
        return;
    }
    Owner()->RequestRepaint();
    if (axesMode_ == iamZoom) {
        ZoomStep(step);
    } else {
        ScrollStep(step);
    }
}

void TiPlotAxis::ObjectFocused(TiPlotObject* object) {
    // Shift or Ctrl lets several axes be selected together.
    const bool addingAxis =
        KindCast<TiPlotAxis>(object) != nullptr && (ShiftState() & (ssShift | ssCtrl)) != 0;
    if (!addingAxis) {
        YieldFocusTo(object);
    }
}

void TiPlotAxis::BuildPopupMenu(QMenu& menu) {
    TiPlotLayoutObject::BuildPopupMenu(menu);
    QAction* tracking = menu.addAction(QString::fromStdString(Translate("Tracking Enabled")));
    tracking->setCheckable(true);
    tracking->setChecked(trackingEnabled_);
    QObject::connect(tracking, &QAction::triggered,
                     [this] { SetTrackingEnabled(!trackingEnabled_); });

    QAction* resume = menu.addAction(QString::fromStdString(Translate("Update Resume Values")));
    resume->setEnabled(!trackingEnabled_ && ResumeValuesDiffer());
    QObject::connect(resume, &QAction::triggered, [this] { UpdateResumeValues(); });

    QAction* fit = menu.addAction(QString::fromStdString(Translate("Zoom to Fit")));
    QObject::connect(fit, &QAction::triggered, [this] { ZoomToFit(); });
    AddEditItem(menu);
}
