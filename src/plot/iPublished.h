#pragma once
// Published properties: what the property files, the configuration files and
// the property editor know about a persistent class. Each class keeps one
// static table of its published properties in declared order, starting with
// its base class's entries; an entry has a name, a kind, typed access through
// the class's own getter and setter, and whether it is stored. Nothing else
// in the plot spells a property's name as a string.
//
//   const TiPublishedTable& TiPlotLabel::PublishedTable() {
//       static const TiPublishedTable table =
//           TiPublishedTableBuilder<TiPlotLabel>("TiPlotLabel",
//           &TiPlotLayoutObject::PublishedTable())
//               .String("Caption", &TiPlotLabel::Caption, &TiPlotLabel::SetCaption)
//               .Object("Font", &TiPlotLabel::Font)
//               .Build();
//       return table;
//   }

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "gdi/Brush.h"
#include "gdi/Color.h"
#include "gdi/Font.h"
#include "gdi/Pen.h"

class TiPublishedTable;

// A class whose properties can be written and read as text.
class TiPersistent {
  public:
    virtual ~TiPersistent() = default;
    virtual const TiPublishedTable& Published() const = 0;

  protected:
    TiPersistent() = default;
    TiPersistent(const TiPersistent&) = default;
    TiPersistent& operator=(const TiPersistent&) = default;
};

enum TiPropertyKind {
    ipkInteger,
    ipkBoolean,
    ipkEnumeration,
    ipkSet,
    ipkCharacter,
    ipkColor,
    ipkFloat,
    ipkString,
    ipkObject,
    // A value of any kind, free for the user; property text leaves it out.
    ipkVariant
};

// Unassigned, or an integer, a float or a text.
using TiVariant = std::variant<std::monostate, std::int64_t, double, std::string>;

// True for the kinds written as an ordinal number.
inline bool IsOrdinalKind(TiPropertyKind kind) {
    return kind != ipkFloat && kind != ipkString && kind != ipkObject && kind != ipkVariant;
}

// A value that the property cannot take (an enumeration past its last name,
// a number too large for the field).
class EiPropertyValueError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The values a numeric property takes. A value outside, and for a float any
// value that is not finite, is refused with "Invalid property value", as an
// enumeration past its last name is.
struct TiValueRange {
    double Min;
    double Max;
    bool Contains(double value) const { return value >= Min && value <= Max; }
};

// The ranges of the plot's published numbers: generous for any real plot, and
// small enough that no value read from a file overflows the pixel arithmetic
// of a paint. Integers without a range take any value of their type.
inline constexpr TiValueRange kPixelRange{-100000, 100000};   // lengths and places in pixels
inline constexpr TiValueRange kCharacterRange{-1000, 1000};   // lengths in character units
inline constexpr TiValueRange kPercentRange{-1000, 1000};     // places in percent of a side
inline constexpr TiValueRange kObjectCountRange{0, 10000};    // columns, rows, ticks
inline constexpr TiValueRange kAngleRange{-36000, 36000};     // tenths of a degree
inline constexpr TiValueRange kFontHeightRange{-1000, 1000};  // a glyph still rasterises

class TiPublishedProperty {
  public:
    TiPublishedProperty(std::string name, TiPropertyKind kind, bool stored,
                        std::vector<std::string> valueNames)
        : name_(std::move(name)),
          kind_(kind),
          stored_(stored),
          valueNames_(std::move(valueNames)) {}
    virtual ~TiPublishedProperty() = default;

    const std::string& Name() const { return name_; }
    TiPropertyKind Kind() const { return kind_; }
    bool Stored() const { return stored_; }
    // Enumeration values in order, or the names of a set's bits.
    const std::vector<std::string>& ValueNames() const { return valueNames_; }
    virtual bool HasSetter() const = 0;

    // Typed access; each property answers only for its own kind (an ordinal
    // covers integers, Booleans, enumerations, sets, characters and colours).
    virtual std::int64_t GetOrdinal(TiPersistent& object) const;
    virtual void SetOrdinal(TiPersistent& object, std::int64_t value) const;
    virtual double GetFloat(TiPersistent& object) const;
    virtual void SetFloat(TiPersistent& object, double value) const;
    virtual std::string GetString(TiPersistent& object) const;
    virtual void SetString(TiPersistent& object, const std::string& value) const;
    virtual TiPersistent* GetObject(TiPersistent& object) const;
    virtual const TiVariant& GetVariant(TiPersistent& object) const;
    virtual void SetVariant(TiPersistent& object, const TiVariant& value) const;

  private:
    [[noreturn]] void WrongKind() const;

    std::string name_;
    TiPropertyKind kind_;
    bool stored_;
    std::vector<std::string> valueNames_;
};

// An entry older files hold under another name, read into a property and
// never written ("Span_2" into Span).
struct TiLegacyEntry {
    std::string Name;
    std::string Property;
};

class TiPublishedTable {
  public:
    using Entry = std::shared_ptr<const TiPublishedProperty>;

    TiPublishedTable(std::string className, std::vector<Entry> entries,
                     std::vector<TiLegacyEntry> legacy = {})
        : className_(std::move(className)),
          entries_(std::move(entries)),
          legacy_(std::move(legacy)) {}

    const std::string& ClassName() const { return className_; }
    const std::vector<Entry>& Entries() const { return entries_; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }
    size_t size() const { return entries_.size(); }
    // Looked up without regard to case; null when the class has no such property.
    const TiPublishedProperty* Find(std::string_view name) const;
    // Read after the published properties, so an old file's entry wins.
    const std::vector<TiLegacyEntry>& LegacyEntries() const { return legacy_; }

  private:
    std::string className_;
    std::vector<Entry> entries_;
    std::vector<TiLegacyEntry> legacy_;
};

namespace published_detail {

template <class C, class R, class A>
std::remove_cvref_t<A> SetterArg(R (C::*)(A));
template <class C, class R, class A>
std::remove_cvref_t<A> SetterArg(R (C::*)(A) noexcept);

template <class Owner>
Owner& As(TiPersistent& object) {
    return static_cast<Owner&>(object);
}

template <class Arg>
bool FitsIn(std::int64_t value) {
    using Limits = std::numeric_limits<Arg>;
    if constexpr (sizeof(Arg) < sizeof(std::int64_t))
        return value >= std::int64_t(Limits::min()) && value <= std::int64_t(Limits::max());
    else
        return Limits::is_signed || value >= 0;
}

template <class Setter>
constexpr bool kHasSetter = !std::is_same_v<Setter, std::nullptr_t>;

// Ordinal values of every integral-like kind, range-checked on the way in.
template <class Owner, class Getter, class Setter>
class TOrdinalProperty final : public TiPublishedProperty {
  public:
    TOrdinalProperty(std::string name, TiPropertyKind kind, bool stored,
                     std::vector<std::string> names, Getter getter, Setter setter,
                     std::optional<TiValueRange> range)
        : TiPublishedProperty(std::move(name), kind, stored, std::move(names)),
          getter_(getter),
          setter_(setter),
          range_(range) {}

    bool HasSetter() const override { return kHasSetter<Setter>; }
    std::int64_t GetOrdinal(TiPersistent& object) const override {
        return static_cast<std::int64_t>((As<Owner>(object).*getter_)());
    }
    void SetOrdinal(TiPersistent& object, std::int64_t value) const override {
        if constexpr (kHasSetter<Setter>) {
            using Arg = decltype(SetterArg(setter_));
            CheckRange<Arg>(value);
            (As<Owner>(object).*setter_)(static_cast<Arg>(value));
        } else {
            TiPublishedProperty::SetOrdinal(object, value);
        }
    }

  private:
    template <class Arg>
    void CheckRange(std::int64_t value) const {
        bool valid = true;
        if (Kind() == ipkEnumeration)
            valid = value >= 0 && value < std::int64_t(ValueNames().size());
        else if (Kind() == ipkBoolean)
            valid = value == 0 || value == 1;
        else if constexpr (std::is_integral_v<Arg>)
            valid = FitsIn<Arg>(value);
        if (range_)
            valid = valid && range_->Contains(double(value));
        if (!valid)
            throw EiPropertyValueError("Invalid property value");
    }

    Getter getter_;
    Setter setter_;
    std::optional<TiValueRange> range_;
};

template <class Owner, class Getter, class Setter>
class TFloatProperty final : public TiPublishedProperty {
  public:
    TFloatProperty(std::string name, bool stored, Getter getter, Setter setter,
                   std::optional<TiValueRange> range)
        : TiPublishedProperty(std::move(name), ipkFloat, stored, {}),
          getter_(getter),
          setter_(setter),
          range_(range) {}

    bool HasSetter() const override { return kHasSetter<Setter>; }
    double GetFloat(TiPersistent& object) const override {
        return static_cast<double>((As<Owner>(object).*getter_)());
    }
    void SetFloat(TiPersistent& object, double value) const override {
        if constexpr (kHasSetter<Setter>) {
            if (!std::isfinite(value) || (range_ && !range_->Contains(value)))
                throw EiPropertyValueError("Invalid property value");
            (As<Owner>(object).*setter_)(value);
        } else {
            TiPublishedProperty::SetFloat(object, value);
        }
    }

  private:
    Getter getter_;
    Setter setter_;
    std::optional<TiValueRange> range_;
};

template <class Owner, class Getter, class Setter>
class TStringProperty final : public TiPublishedProperty {
  public:
    TStringProperty(std::string name, bool stored, Getter getter, Setter setter)
        : TiPublishedProperty(std::move(name), ipkString, stored, {}),
          getter_(getter),
          setter_(setter) {}

    bool HasSetter() const override { return kHasSetter<Setter>; }
    std::string GetString(TiPersistent& object) const override {
        return std::string((As<Owner>(object).*getter_)());
    }
    void SetString(TiPersistent& object, const std::string& value) const override {
        if constexpr (kHasSetter<Setter>)
            (As<Owner>(object).*setter_)(value);
        else
            TiPublishedProperty::SetString(object, value);
    }

  private:
    Getter getter_;
    Setter setter_;
};

// An owned sub-object (a font, a pen); its properties are written under the
// owner's property name. It counts as settable: its fields are set in place.
template <class Owner, class Getter>
class TObjectProperty final : public TiPublishedProperty {
  public:
    TObjectProperty(std::string name, bool stored, Getter getter)
        : TiPublishedProperty(std::move(name), ipkObject, stored, {}), getter_(getter) {}

    bool HasSetter() const override { return true; }
    TiPersistent* GetObject(TiPersistent& object) const override {
        return &(As<Owner>(object).*getter_)();
    }

  private:
    Getter getter_;
};

// A variant the owner keeps, read and written in place.
template <class Owner, class Getter>
class TVariantProperty final : public TiPublishedProperty {
  public:
    TVariantProperty(std::string name, Getter getter)
        : TiPublishedProperty(std::move(name), ipkVariant, true, {}), getter_(getter) {}

    bool HasSetter() const override { return true; }
    const TiVariant& GetVariant(TiPersistent& object) const override {
        return (As<Owner>(object).*getter_)();
    }
    void SetVariant(TiPersistent& object, const TiVariant& value) const override {
        (As<Owner>(object).*getter_)() = value;
    }

  private:
    Getter getter_;
};

}  // namespace published_detail

// Builds a class's table: the base table's entries first, then the class's
// own in the order they are added. Getters and setters are the class's
// member functions; pass nullptr as the setter of a read-only property.
template <class Owner>
class TiPublishedTableBuilder {
  public:
    explicit TiPublishedTableBuilder(std::string className, const TiPublishedTable* base = nullptr)
        : className_(std::move(className)) {
        if (base) {
            entries_ = base->Entries();
            legacy_ = base->LegacyEntries();
        }
    }

    template <class G, class S>
    TiPublishedTableBuilder& Integer(std::string name, G get, S set, bool stored = true) {
        return Ordinal(std::move(name), ipkInteger, {}, get, set, stored);
    }
    template <class G, class S>
    TiPublishedTableBuilder& Integer(std::string name, G get, S set, TiValueRange range,
                                     bool stored = true) {
        return Ordinal(std::move(name), ipkInteger, {}, get, set, stored, range);
    }
    template <class G, class S>
    TiPublishedTableBuilder& Boolean(std::string name, G get, S set, bool stored = true) {
        return Ordinal(std::move(name), ipkBoolean, {}, get, set, stored);
    }
    template <class G, class S>
    TiPublishedTableBuilder& Character(std::string name, G get, S set, bool stored = true) {
        return Ordinal(std::move(name), ipkCharacter, {}, get, set, stored);
    }
    template <class G, class S>
    TiPublishedTableBuilder& Color(std::string name, G get, S set, bool stored = true) {
        return Ordinal(std::move(name), ipkColor, {}, get, set, stored);
    }
    template <class G, class S>
    TiPublishedTableBuilder& Enumeration(std::string name, G get, S set,
                                         std::vector<std::string> valueNames, bool stored = true) {
        return Ordinal(std::move(name), ipkEnumeration, std::move(valueNames), get, set, stored);
    }
    template <class G, class S>
    TiPublishedTableBuilder& Set(std::string name, G get, S set, std::vector<std::string> bitNames,
                                 bool stored = true) {
        return Ordinal(std::move(name), ipkSet, std::move(bitNames), get, set, stored);
    }
    template <class G, class S>
    TiPublishedTableBuilder& Float(std::string name, G get, S set, bool stored = true) {
        return Add(std::make_shared<published_detail::TFloatProperty<Owner, G, S>>(
            std::move(name), stored, get, set, std::nullopt));
    }
    template <class G, class S>
    TiPublishedTableBuilder& Float(std::string name, G get, S set, TiValueRange range,
                                   bool stored = true) {
        return Add(std::make_shared<published_detail::TFloatProperty<Owner, G, S>>(
            std::move(name), stored, get, set, range));
    }
    template <class G, class S>
    TiPublishedTableBuilder& String(std::string name, G get, S set, bool stored = true) {
        return Add(std::make_shared<published_detail::TStringProperty<Owner, G, S>>(
            std::move(name), stored, get, set));
    }
    // get: a member function returning a reference to the owned sub-object.
    template <class G>
    TiPublishedTableBuilder& Object(std::string name, G get, bool stored = true) {
        return Add(std::make_shared<published_detail::TObjectProperty<Owner, G>>(std::move(name),
                                                                                 stored, get));
    }

    // get: a member function returning a reference to the owned variant.
    template <class G>
    TiPublishedTableBuilder& Variant(std::string name, G get) {
        return Add(
            std::make_shared<published_detail::TVariantProperty<Owner, G>>(std::move(name), get));
    }
    // An entry older files hold, read into `property` (published earlier).
    TiPublishedTableBuilder& Legacy(std::string name, std::string property) {
        legacy_.push_back({std::move(name), std::move(property)});
        return *this;
    }

    TiPublishedTable Build() {
        return TiPublishedTable(std::move(className_), std::move(entries_), std::move(legacy_));
    }

  private:
    template <class G, class S>
    TiPublishedTableBuilder& Ordinal(std::string name, TiPropertyKind kind,
                                     std::vector<std::string> names, G get, S set, bool stored,
                                     std::optional<TiValueRange> range = std::nullopt) {
        return Add(std::make_shared<published_detail::TOrdinalProperty<Owner, G, S>>(
            std::move(name), kind, stored, std::move(names), get, set, range));
    }
    TiPublishedTableBuilder& Add(TiPublishedTable::Entry entry) {
        entries_.push_back(std::move(entry));
        return *this;
    }

    std::string className_;
    std::vector<TiPublishedTable::Entry> entries_;
    std::vector<TiLegacyEntry> legacy_;
};

// The value names of the pen and brush styles, in their order.
const std::vector<std::string>& PenStyleNames();
const std::vector<std::string>& BrushStyleNames();

// The drawing objects as persistent sub-objects. Each is its drawing value
// (assign it to a canvas's pen, brush or font) plus a published table; owners
// hook OnChange to repaint.
class TiFont : public TiPersistent, public TFont {
  public:
    TiFont() = default;
    TiFont(const TiFont&) = default;
    TiFont& operator=(const TiFont& other) = default;
    TiFont& operator=(const TFont& other) {
        TFont::operator=(other);
        return *this;
    }
    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }
};

class TiPen : public TiPersistent, public TPen {
  public:
    TiPen() = default;
    TiPen(const TiPen&) = default;
    TiPen& operator=(const TiPen& other) = default;
    TiPen& operator=(const TPen& other) {
        TPen::operator=(other);
        return *this;
    }
    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }
};

class TiBrush : public TiPersistent, public TBrush {
  public:
    TiBrush() = default;
    TiBrush(const TiBrush&) = default;
    TiBrush& operator=(const TiBrush& other) = default;
    TiBrush& operator=(const TBrush& other) {
        TBrush::operator=(other);
        return *this;
    }
    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }
};
