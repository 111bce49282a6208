#pragma once
// Small persistent classes with published tables, standing in for plot
// objects in the property text and component tests.

#include <string>

#include "plot/iPublished.h"

enum TPropertyTestMode { ptmOff, ptmSlow, ptmFast };

class TPropertyTestSettings : public TiPersistent {
  public:
    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    int Count() const { return count_; }
    void SetCount(int value) { count_ = value; }
    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    TPropertyTestMode Mode() const { return mode_; }
    void SetMode(TPropertyTestMode value) { mode_ = value; }
    double Gain() const { return gain_; }
    void SetGain(double value) { gain_ = value; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    char Separator() const { return separator_; }
    void SetSeparator(char value) { separator_ = value; }
    TiFont& Font() { return font_; }
    int Serial() const { return 42; }  // read-only
    double Scratch() const { return scratch_; }
    void SetScratch(double value) { scratch_ = value; }

  private:
    int count_ = 0;
    bool active_ = false;
    TPropertyTestMode mode_ = ptmOff;
    double gain_ = 1;
    std::string title_;
    TColor color_ = clBlack;
    char separator_ = ';';
    TiFont font_;
    double scratch_ = 0;
};

class TPropertyTestDerivedSettings : public TPropertyTestSettings {
  public:
    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    int Offset() const { return offset_; }
    void SetOffset(int value) { offset_ = value; }

  private:
    int offset_ = 0;
};

inline const TiPublishedTable& TPropertyTestSettings::PublishedTable() {
    static const TiPublishedTable table =
        TiPublishedTableBuilder<TPropertyTestSettings>("TPropertyTestSettings")
            .Integer("Count", &TPropertyTestSettings::Count, &TPropertyTestSettings::SetCount)
            .Boolean("Active", &TPropertyTestSettings::Active, &TPropertyTestSettings::SetActive)
            .Enumeration("Mode", &TPropertyTestSettings::Mode, &TPropertyTestSettings::SetMode,
                         {"ptmOff", "ptmSlow", "ptmFast"})
            .Float("Gain", &TPropertyTestSettings::Gain, &TPropertyTestSettings::SetGain)
            .String("Title", &TPropertyTestSettings::Title, &TPropertyTestSettings::SetTitle)
            .Color("Color", &TPropertyTestSettings::Color, &TPropertyTestSettings::SetColor)
            .Character("Separator", &TPropertyTestSettings::Separator,
                       &TPropertyTestSettings::SetSeparator)
            .Object("Font", &TPropertyTestSettings::Font)
            .Integer("Serial", &TPropertyTestSettings::Serial, nullptr)
            .Float("Scratch", &TPropertyTestSettings::Scratch, &TPropertyTestSettings::SetScratch,
                   false)
            .Build();
    return table;
}

inline const TiPublishedTable& TPropertyTestDerivedSettings::PublishedTable() {
    static const TiPublishedTable table =
        TiPublishedTableBuilder<TPropertyTestDerivedSettings>(
            "TPropertyTestDerivedSettings", &TPropertyTestSettings::PublishedTable())
            .Integer("Offset", &TPropertyTestDerivedSettings::Offset,
                     &TPropertyTestDerivedSettings::SetOffset)
            .Build();
    return table;
}
