#include "app/DataPanelFolder.h"

#include <QAbstractButton>
#include <QWidget>

namespace {

QString PanelButtonCaption(TDataPanelFolder::TPanelCaption caption) {
    switch (caption) {
        case TDataPanelFolder::TPanelCaption::ShowPanel:
            return TDataPanelFolder::tr("显示数据面板");
        case TDataPanelFolder::TPanelCaption::HidePanel:
            return TDataPanelFolder::tr("关闭数据面板");
        default:
            return TDataPanelFolder::tr("显示面板");
    }
}

}  // namespace

TDataPanelFolder::TDataPanelFolder(QWidget& panel, QAbstractButton& foldBar,
                                   QAbstractButton& panelButton)
    : panel_(panel), foldBar_(foldBar), panelButton_(panelButton) {
    SetHeight(kFoldedHeight);
    foldBar_.setText(kFoldBarFolded);
    SetPanelCaption(TPanelCaption::AtStart);
    unfoldTimer_.setObjectName("Timer4");
    unfoldTimer_.setInterval(1);
    foldTimer_.setObjectName("Timer5");
    foldTimer_.setInterval(10);
    connect(&unfoldTimer_, &QTimer::timeout, this, &TDataPanelFolder::UnfoldTick);
    connect(&foldTimer_, &QTimer::timeout, this, &TDataPanelFolder::FoldTick);
    // A disabled button emits no clicks, so the user cannot fold a disabled panel.
    connect(&foldBar_, &QAbstractButton::clicked, this, &TDataPanelFolder::ClickFoldBar);
    connect(&panelButton_, &QAbstractButton::clicked, this, &TDataPanelFolder::ClickPanelButton);
}

void TDataPanelFolder::ClickFoldBar() {
    if (height_ <= kFoldedHeight) {
        unfolding_ = true;
        foldBar_.setText(kFoldBarUnfolded);
        foldTimer_.stop();
        unfoldTimer_.start();
    } else {
        unfolding_ = false;
        foldBar_.setText(kFoldBarFolded);
        unfoldTimer_.stop();
        foldTimer_.start();
    }
}

void TDataPanelFolder::ClickPanelButton() {
    if (panel_.isEnabled()) {
        const bool wasShowing = panelCaption_ == TPanelCaption::ShowPanel;
        ClickFoldBar();
        SetPanelCaption(wasShowing ? TPanelCaption::HidePanel : TPanelCaption::ShowPanel);
    } else {
        SetPanelCaption(TPanelCaption::ShowPanel);
    }
}

void TDataPanelFolder::DisableAndFold(bool onlyIfOpening) {
    panel_.setEnabled(false);
    if (!onlyIfOpening || unfolding_) {
        ClickFoldBar();
    }
}

void TDataPanelFolder::Enable() {
    panel_.setEnabled(true);
}

void TDataPanelFolder::UnfoldTick() {
    SetHeight(UnfoldStep(height_));
    if (height_ >= kUnfoldedHeight) {
        unfoldTimer_.stop();
    }
}

void TDataPanelFolder::FoldTick() {
    SetHeight(FoldStep(height_));
    if (height_ <= kFoldedHeight) {
        foldTimer_.stop();
    }
}

void TDataPanelFolder::SetPanelCaption(TPanelCaption caption) {
    panelCaption_ = caption;
    panelButton_.setText(PanelButtonCaption(caption));
}

void TDataPanelFolder::SetHeight(int height) {
    height_ = height;
    panel_.setFixedHeight(height);
}
