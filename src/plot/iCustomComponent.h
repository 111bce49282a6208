#pragma once
// TiCustomComponent: the class the plot component derives from. It adds
// nothing to TiVCLComponent; it is kept so that the plot's class chain and
// its published tables keep their familiar names.

#include "plot/iVCLComponent.h"

class TiCustomComponent : public TiVCLComponent {
  public:
    using TiVCLComponent::TiVCLComponent;

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }
};
