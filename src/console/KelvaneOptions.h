#pragma once
// Kelvane's own options, beyond the settings the Windows program has: one home
// for them, kept in setfile.ini's section beside the port settings under keys
// of their own, which that program's reader passes over. Code asks an option
// here, never a caption or a global.
//
// Adding an option is one line among the members of TKelvaneOptions: its
// type, key, default and, for numbers, the range it must fall in. A key is
// written only once it differs from its default (or is in the file already),
// so a file the settings dialog creates with the defaults holds exactly the
// port settings.

#include "console/InterfaceLanguage.h"

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "console/TextBound.h"

class TOptionBase;

// Keeps every option of an owner in declaration order. A base class, so that
// it exists before the options register with it.
class TOptionRegistry {
  public:
    TOptionRegistry() = default;
    TOptionRegistry(const TOptionRegistry&) = delete;
    TOptionRegistry& operator=(const TOptionRegistry&) = delete;

  protected:
    friend class TOptionBase;
    std::vector<TOptionBase*> options_;
};

class TOptionBase {
  public:
    virtual ~TOptionBase() = default;
    const char* Key() const { return key_; }
    // A missing key or a text that is no value of the option reads as the default.
    virtual void Read(const std::string& path) = 0;
    virtual bool Write(const std::string& path) const = 0;

  protected:
    TOptionBase(TOptionRegistry& owner, const char* key) : key_(key) {
        owner.options_.push_back(this);
    }
    std::string ReadText(const std::string& path) const;
    // Skips a key still at its default that the file does not hold.
    bool WriteText(const std::string& path, const std::string& text, bool isDefault) const;

  private:
    const char* key_;
};

template <typename T>
class TOption : public TOptionBase {
  public:
    TOption(TOptionRegistry& owner, const char* key, T fallback,
            T lowest = std::numeric_limits<T>::lowest(), T highest = std::numeric_limits<T>::max())
        : TOptionBase(owner, key),
          value_(fallback),
          default_(fallback),
          lowest_(lowest),
          highest_(highest) {}

    T operator()() const { return value_; }
    // A value out of range is refused: the option keeps the one it has.
    void Set(T value) {
        if (lowest_ <= value && value <= highest_) {
            value_ = value;
        }
    }
    T Default() const { return default_; }
    T Lowest() const { return lowest_; }
    T Highest() const { return highest_; }

    void Read(const std::string& path) override;
    bool Write(const std::string& path) const override;

  private:
    T value_;
    const T default_;
    const T lowest_;
    const T highest_;
};

class TKelvaneOptions : public TOptionRegistry {
  public:
    // Reads the options from the settings file at `settingsPath`.
    explicit TKelvaneOptions(std::string settingsPath);

    // Reads every option again (the file may have changed).
    void Load();
    // Writes every option; false when the file refuses a key.
    bool Save() const;

    // When the open port's device vanishes, reopen it as soon as it is back.
    TOption<bool> AutoReopen{*this, "autoreopen", true};
    // Leave DTR low when opening, for boards that take DTR as their reset line.
    TOption<bool> KeepDtrLowOnOpen{*this, "keepdtrlow", false};
    // Most points the main chart keeps; beyond it the oldest make room.
    TOption<std::int32_t> ChartPointLimit{*this, "chartpoints", 10'000'000, 1, 80'000'000};
    // "多通道与小数": decimal plotting also reads decimal fractions and lines of
    // several values, one trace per column or name.
    TOption<bool> MultiValuePlot{*this, "multivalue", true};
    // "按接收时间": a point's X is when its line arrived, not when it was plotted.
    TOption<bool> ArrivalTimeX{*this, "arrivalx", false};
    // "显示时间戳": received lines start with their arrival time in the receive boxes.
    TOption<bool> ShowTimestamps{*this, "timestamps", false};
    // Most bytes the receive box and the send box each keep; beyond it the
    // oldest lines go (see TTextBound).
    TOption<std::int32_t> TextBoxBytes{*this, "boxbytes", TTextBound::kDefaultBytes,
                                       TTextBound::kLeastBytes, 1 << 30};
    // The interface's language from the next start on ("zh" or "en").
    TOption<TLanguage> Language{*this, "language", TLanguage::Chinese, TLanguage::Chinese,
                                TLanguage::English};

  private:
    std::string path_;
};
