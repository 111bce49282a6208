#pragma once
// The plot's translation table: every fixed text it shows (menu captions,
// hints, "No X-Axis") passes through it, and the first entry whose
// OriginalString is that text exactly replaces it with its
// ReplacementString. Without entries texts show as written.

#include <memory>
#include <string>
#include <vector>

#include "plot/iPublished.h"

class TiPlotTranslation : public TiPersistent {
  public:
    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    const std::string& OriginalString() const { return original_; }
    void SetOriginalString(const std::string& value) { original_ = value; }
    const std::string& ReplacementString() const { return replacement_; }
    void SetReplacementString(const std::string& value) { replacement_ = value; }

  private:
    std::string original_;
    std::string replacement_;
};

class TiPlotTranslationManager {
  public:
    int Count() const { return static_cast<int>(entries_.size()); }
    // Throws std::out_of_range("Index out of Bounds") for a bad index.
    TiPlotTranslation& Item(int index) const;
    // A new, empty entry at the end; answers its index.
    int Add();
    void Delete(int index);
    void Clear() { entries_.clear(); }

    std::string Translate(const std::string& text) const;

  private:
    std::vector<std::unique_ptr<TiPlotTranslation>> entries_;
};
