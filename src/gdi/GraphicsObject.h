#pragma once
// Base of the pen, brush and font: small value objects whose owners hook
// OnChange to repaint or re-lay out when a field changes.

#include <functional>

class TGraphicsObject {
  public:
    TGraphicsObject() = default;
    // A copy starts without a handler: the handler belongs to the owner of the
    // original, not to whoever holds the copy.
    TGraphicsObject(const TGraphicsObject&) {}
    TGraphicsObject& operator=(const TGraphicsObject&) { return *this; }

    std::function<void()> OnChange;

  protected:
    ~TGraphicsObject() = default;

    void Changed() const {
        if (OnChange)
            OnChange();
    }
    // Store a field and notify when it really changed.
    template <class T>
    void Update(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        Changed();
    }
};
