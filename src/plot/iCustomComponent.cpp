#include "plot/iCustomComponent.h"

const TiPublishedTable& TiCustomComponent::PublishedTable() {
    static const TiPublishedTable table =
        TiPublishedTableBuilder<TiCustomComponent>("TiCustomComponent",
                                                   &TiVCLComponent::PublishedTable())
            .Build();
    return table;
}
