#include "plot/iPlotTranslation.h"

#include <stdexcept>

const TiPublishedTable& TiPlotTranslation::PublishedTable() {
    using T = TiPlotTranslation;
    static const TiPublishedTable table =
        TiPublishedTableBuilder<T>("TiPlotTranslation")
            .String("OriginalString", &T::OriginalString, &T::SetOriginalString)
            .String("ReplacementString", &T::ReplacementString, &T::SetReplacementString)
            .Build();
    return table;
}

TiPlotTranslation& TiPlotTranslationManager::Item(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("Index out of Bounds");
    return *entries_[static_cast<size_t>(index)];
}

int TiPlotTranslationManager::Add() {
    entries_.push_back(std::make_unique<TiPlotTranslation>());
    return Count() - 1;
}

void TiPlotTranslationManager::Delete(int index) {
    Item(index);
    entries_.erase(entries_.begin() + index);
}

std::string TiPlotTranslationManager::Translate(const std::string& text) const {
    for (const auto& entry : entries_)
        if (entry->OriginalString() == text)
            return entry->ReplacementString();
    return text;
}
