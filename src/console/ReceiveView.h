#pragma once
// The receive box: a read-only view of the received lines. The data panel
// and the floating window each show one over the same store.

#include "console/LineStoreView.h"

class TReceiveView : public TLineStoreView {
    Q_OBJECT
  public:
    explicit TReceiveView(const TLineTextStore& store, QWidget* parent = nullptr)
        : TLineStoreView(store, parent) {}
};
