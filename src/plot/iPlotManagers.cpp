#include "plot/iPlotManagers.h"

#include <QString>
#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "platform/StrConv.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotTable.h"
#include "plot/iPlotToolBar.h"

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// NumberAfterBase for the names nearly every plot has, such as "Channel 12":
// ASCII, the base in any case, spaces, then plain digits. Answers whether it
// could tell; a name it cannot tell (other blanks, a sign) takes the general
// way.
bool PlainNumberAfterBase(std::string_view name, std::string_view base,
                          std::optional<unsigned long long>& number) {
    if (!IsAscii(name) || !IsAscii(base))
        return false;
    if (name.size() < base.size() ||
        !std::equal(base.begin(), base.end(), name.begin(),
                    [](char a, char b) { return AsciiLower(a) == AsciiLower(b); })) {
        number = std::nullopt;
        return true;
    }
    const std::string_view rest = Trim(name.substr(base.size()), TBlanks::Spaces);
    if (rest.empty() ||
        !std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    unsigned long long value = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    number = ec == std::errc{} ? std::optional(value) : std::nullopt;
    return true;
}

// The number after the base name, or nothing when the rest is not a
// number that 64 bits can hold.
std::optional<unsigned long long> NumberAfterBase(const std::string& name,
                                                  const std::string& base) {
    // The general way makes four strings a name; a new object's name looks
    // at every name its manager holds.
    if (std::optional<unsigned long long> plain; PlainNumberAfterBase(name, base, plain))
        return plain;
    const QString text = QString::fromStdString(name);
    const QString prefix = QString::fromStdString(base);
    if (!text.startsWith(prefix, Qt::CaseInsensitive))
        return std::nullopt;
    bool ok = false;
    const unsigned long long number = text.mid(prefix.size()).trimmed().toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

// The name of a linked manager's first object; none without one.
std::optional<std::string> FirstName(const TiPlotObjectManagerCustom* manager) {
    if (!manager || !manager->HasItems())
        return std::nullopt;
    return manager->Items(0)->Name();
}

// n + 1 in decimal, without wrapping past the largest 64-bit number.
std::string SuccessorText(unsigned long long n) {
    const unsigned __int128 next = static_cast<unsigned __int128>(n) + 1;
    if (next <= std::numeric_limits<unsigned long long>::max())
        return std::to_string(static_cast<unsigned long long>(next));
    return "18446744073709551616";
}

}  // namespace

const std::vector<TColor>& ChannelPalette() {
    static const std::vector<TColor> palette = {
        RGBColor(255, 0, 0),     RGBColor(255, 255, 0),   RGBColor(0, 0, 255),
        RGBColor(255, 0, 255),   RGBColor(0, 255, 255),   RGBColor(0, 255, 0),
        RGBColor(255, 255, 255), RGBColor(128, 0, 0),     RGBColor(0, 128, 0),
        RGBColor(128, 128, 0),   RGBColor(0, 0, 128),     RGBColor(128, 0, 128),
        RGBColor(0, 128, 128),   RGBColor(128, 128, 128), RGBColor(192, 0, 0),
        RGBColor(0, 192, 0),     RGBColor(192, 192, 0),   RGBColor(0, 0, 192),
        RGBColor(192, 0, 192),   RGBColor(0, 192, 192),   RGBColor(192, 192, 192),
        RGBColor(255, 128, 0),   RGBColor(255, 0, 128),   RGBColor(255, 128, 128),
        RGBColor(128, 0, 255),   RGBColor(0, 128, 255),   RGBColor(128, 128, 255),
        RGBColor(128, 255, 0),   RGBColor(0, 255, 128),   RGBColor(128, 255, 128)};
    return palette;
}

// ---------------------------------------------------- TiPlotObjectManagerCustom

TiPlotObjectManagerCustom::TiPlotObjectManagerCustom(TiPlotHost* owner,
                                                     TiPlotObjectHandlers handlers)
    : owner_(owner), handlers_(std::move(handlers)) {
    ValidateOwnerAndHandlers(owner_, handlers_, "Owner must be Assigned");
}

TiPlotObjectManagerCustom::~TiPlotObjectManagerCustom() = default;

void TiPlotObjectManagerCustom::Remove(TiPlotObject* object) {
    const auto found = std::find(list_.rbegin(), list_.rend(), object);
    if (found == list_.rend())
        return;
    list_.erase(std::next(found).base());
    highestNumber_.reset();
    ObjectRemovedHook(object);
    handlers_.OnChange(object);
}

void TiPlotObjectManagerCustom::BroadcastRenamed(TiPlotObject* object) {
    for (TiPlotObject* item : std::vector<TiPlotObject*>(list_))
        item->ObjectRenamed(object);
}

void TiPlotObjectManagerCustom::BroadcastFocused(TiPlotObject* object) {
    for (TiPlotObject* item : std::vector<TiPlotObject*>(list_))
        item->ObjectFocused(object);
}

TiPlotObject* TiPlotObjectManagerCustom::Items(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("Index out of Bounds");
    return list_[static_cast<size_t>(index)];
}

int TiPlotObjectManagerCustom::IndexOf(const TiPlotObject* object) const {
    const auto found = std::find(list_.begin(), list_.end(), object);
    return found == list_.end() ? -1 : static_cast<int>(found - list_.begin());
}

TiPlotObject* TiPlotObjectManagerCustom::FindByName(const std::string& name) const {
    for (TiPlotObject* item : list_)
        if (SameName(item->Name(), name))
            return item;
    return nullptr;
}

std::string TiPlotObjectManagerCustom::NextName() const {
    const std::string base = BaseName();
    if (!highestNumber_) {
        highestNumber_ = 0;
        for (const TiPlotObject* item : list_)
            NoteNumberOf(item->Name());
    }
    return base + " " + SuccessorText(*highestNumber_);
}

void TiPlotObjectManagerCustom::NoteNumberOf(const std::string& name) const {
    if (!highestNumber_)
        return;
    if (const auto number = NumberAfterBase(name, BaseName()))
        highestNumber_ = std::max(*highestNumber_, *number);
}

void TiPlotObjectManagerCustom::NameChanged(const TiPlotObject& object) {
    if (!highestNumber_)
        return;
    if (NumberAfterBase(object.OldName(), BaseName()) == highestNumber_) {
        highestNumber_.reset();  // another name may now spell the highest
        return;
    }
    if (IndexOf(&object) >= 0)
        NoteNumberOf(object.Name());
}

void TiPlotObjectManagerCustom::AddToList(TiPlotObject* object) {
    if (IndexOf(object) < 0) {
        list_.push_back(object);
        NoteNumberOf(object->Name());
    }
}

// ----------------------------------------------------- TiPlotObjectOwnedManager

TiPlotObjectOwnedManager::~TiPlotObjectOwnedManager() {
    Clear();
}

TiPlotObject* TiPlotObjectOwnedManager::NewObject() {
    owned_.push_back(CreateObject());
    return owned_.back().get();
}

void TiPlotObjectOwnedManager::Free(TiPlotObject* object) {
    const auto found = std::find_if(owned_.begin(), owned_.end(),
                                    [object](const auto& item) { return item.get() == object; });
    if (found == owned_.end())
        return;
    std::unique_ptr<TiPlotObject> doomed = std::move(*found);
    owned_.erase(found);
    doomed->Unregister();
}

void TiPlotObjectOwnedManager::Clear() {
    while (!owned_.empty())
        Free(owned_.back().get());
}

void TiPlotObjectOwnedManager::Remove(TiPlotObject* object) {
    for (TiPlotObject* item : std::vector<TiPlotObject*>(Objects()))
        if (item != object)
            item->ObjectRemoved(object);
    TiPlotObjectManagerCustom::Remove(object);
}

// -------------------------------------------------------------- typed managers

std::unique_ptr<TiPlotObject> TiPlotXAxisManager::CreateObject() {
    auto axis = std::make_unique<TiPlotXAxis>(Owner(), Handlers());
    if (newAxisDefaults_)
        newAxisDefaults_(*axis);
    return axis;
}

void TiPlotXAxisManager::NameGiven(TiPlotXAxis& axis) {
    axis.SetTitle(axis.Name());
}

void TiPlotYAxisManager::NameGiven(TiPlotYAxis& axis) {
    axis.SetTitle(axis.Name());
}

TiPlotChannelManager::TiPlotChannelManager(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotKindManager(owner, std::move(handlers)),
      factory_([](TiPlotHost* plot, const TiPlotObjectHandlers& channelHandlers) {
          return std::make_unique<TiPlotChannel>(plot, channelHandlers);
      }) {}

std::unique_ptr<TiPlotObject> TiPlotChannelManager::CreateObject() {
    return factory_(Owner(), Handlers());
}

void TiPlotChannelManager::NameGiven(TiPlotChannelCustom& channel) {
    channel.SetTitleText(channel.Name());
    channel.SetColor(NextColor());
    if (const auto x = FirstName(links_.XAxes))
        channel.SetXAxisName(*x);
    if (const auto y = FirstName(links_.YAxes))
        channel.SetYAxisName(*y);
}

TColor TiPlotChannelManager::NextColor() const {
    const std::vector<TColor>& palette = ChannelPalette();
    if (Count() < 2)
        return palette.front();
    std::vector<int> counts(palette.size(), 0);
    for (int i = 0; i < Count(); ++i) {
        const TColor color = Item(i)->Color();
        for (size_t p = 0; p < palette.size(); ++p)
            if (palette[p] == color)
                ++counts[p];
    }
    const auto least = std::min_element(counts.begin(), counts.end());
    return palette[static_cast<size_t>(least - counts.begin())];
}

void TiPlotDataViewManager::NameGiven(TiPlotDataView& view) {
    if (const auto x = FirstName(links_.XAxes))
        view.SetGridXAxisName(*x);
    if (const auto y = FirstName(links_.YAxes))
        view.SetGridYAxisName(*y);
}

void TiPlotDataCursorManager::NameGiven(TiPlotDataCursor& cursor) {
    if (links_.DataViews && links_.DataViews->HasItems())
        cursor.SetDataView(static_cast<TiPlotDataView*>(links_.DataViews->Items(0)));
    if (const auto channel = FirstName(links_.Channels))
        cursor.SetChannelName(*channel);
}

void TiPlotLabelManager::NameGiven(TiPlotLabel& label) {
    label.SetCaption(label.Name());
}

void TiPlotLimitManager::NameGiven(TiPlotLimit& limit) {
    if (const auto x = FirstName(links_.XAxes))
        limit.SetXAxisName(*x);
    if (const auto y = FirstName(links_.YAxes))
        limit.SetYAxisName(*y);
}

void TiPlotAnnotationManager::AddObject(TiPlotObject* object) {
    if (auto* annotation = KindCast<TiPlotAnnotation>(object))
        AddToList(annotation);
}

// --------------------------------------------------------- TiPlotObjectManager

std::vector<TiPlotObject*> TiPlotObjectManager::FocusedObjects() const {
    std::vector<TiPlotObject*> focused;
    for (TiPlotObject* item : Objects())
        if (item->Focused())
            focused.push_back(item);
    return focused;
}

void TiPlotObjectManager::ClearFocus() {
    for (TiPlotObject* item : std::vector<TiPlotObject*>(Objects()))
        item->SetFocused(false);
}

void TiPlotObjectManager::SetShiftState(TShiftState shift) {
    for (TiPlotObject* item : Objects())
        item->SetShiftState(shift);
}

void TiPlotObjectManager::DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y,
                                            int screenX, int screenY, QMenu& menu) {
    for (TiPlotObject* item : FocusedObjects())
        item->HandleMouseDown(button, shift, x, y, screenX, screenY, menu);
}

void TiPlotObjectManager::DispatchMouseMove(TiHintData& hint, TShiftState shift, bool doubleClick,
                                            int x, int y, int screenX, int screenY) {
    for (TiPlotObject* item : FocusedObjects())
        item->HandleMouseMove(hint, shift, doubleClick, x, y, screenX, screenY);
}

void TiPlotObjectManager::DispatchMouseUp(TMouseButton button, TShiftState shift, bool doubleClick,
                                          int x, int y, int screenX, int screenY) {
    for (TiPlotObject* item : FocusedObjects())
        item->HandleMouseUp(button, shift, doubleClick, x, y, screenX, screenY);
}

void TiPlotObjectManager::DispatchKeyDown(int& key, TShiftState shift) {
    for (TiPlotObject* item : FocusedObjects())
        item->KeyDown(key, shift);
}

bool TiPlotObjectManager::DispatchMouseWheel(int delta, TShiftState shift, TPoint point) {
    bool handled = false;
    for (TiPlotObject* item : FocusedObjects())
        if (item->MouseWheel(delta, shift, point))
            handled = true;
    return handled;
}

void TiPlotObjectManager::DetachAll() {
    for (TiPlotObject* item : Objects())
        item->DetachHandlers();
}
