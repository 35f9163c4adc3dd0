// SPDX-License-Identifier: GPL-3.0-or-later
#include "geometry/layout_check.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "model/firmware_profile.h"
#include "model/value_text.h"

namespace qorvi {
namespace {

// The widest caption the clock shows in its pattern "m/d h:mm".
constexpr std::string_view kClockCaption = "12/31 23:59";
constexpr double kClockPixels = 13;
constexpr Extent kDesignedIcon{57, 57};

struct Box {
  int64_t left = 0;
  int64_t top = 0;
  int64_t right = 0;  // one past the last column
  int64_t bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
};

Box MakeBox(TopLeft p, Extent e) { return {p.left, p.top, int64_t{p.left} + e.width, int64_t{p.top} + e.height}; }
Box MakeBox(int left, int top, Extent e) { return MakeBox(TopLeft{left, top}, e); }

Box Intersect(const Box& a, const Box& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool Contains(const Box& outer, const Box& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// How far an element must stay on the screen.
enum class Role {
  Focus,      // wholly
  Neighbour,  // at least partly
  Other,      // not checked: the rows run off the screen as the menu scrolls
};

struct Element {
  std::string name;
  Box box;
  Role role;
};

std::string Label(const LabelTexts& texts, int entry) {
  if (entry < 0 || entry >= kLabelTextSlots) return {};
  return std::string(TextOf(texts[static_cast<std::size_t>(entry)]));
}

// The next code point of UTF-8 text; a byte that starts no valid sequence counts
// as one character of its own.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b = byte(i);
  int length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
  if (length <= 1 || i + length > text.size()) {
    ++i;
    return b;
  }
  char32_t cp = b & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return b;
    }
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  i += length;
  return cp;
}

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

class Checker {
 public:
  explicit Checker(const LayoutCheckInput& input)
      : in_(input), l_(input.layout), categories_(input.profile.HasEighthCategory ? 8 : 7) {
    const PreviewState view;
    screen_ = {view.PreviewCenterX - kScreenWidth / 2, view.PreviewCenterY - kScreenHeight / 2,
               view.PreviewCenterX + kScreenWidth / 2, view.PreviewCenterY + kScreenHeight / 2};
  }

  std::vector<LayoutFinding> Run() {
    CheckSharedPlaces();
    for (int option = 0; option < 2; ++option) {
      for (int category = 0; category < categories_; ++category) {
        const CategoryList& list = in_.categoryLists[option][category];
        const int n = std::clamp<int32_t>(list.Count, 0, kItemNumbers);
        At(option, category, 0, 0);
        if (n == 0) Report("MainIcon" + std::to_string(category + 1), "opens a category that lists no item");
        for (int item = 0; item < std::max(n, 1); ++item) {
          At(option, category, item, 0);
          if (item < n) CheckExecFunction(list.Items[item]);
          for (int language = 0; language < 2; ++language) {
            At(option, category, item, language);
            Place();
          }
        }
      }
    }
    return std::move(findings_);
  }

  std::vector<LayoutFinding> RunAt(const LayoutView& view) {
    if (view.category < 0 || view.category >= categories_ || view.language < 0 || view.language > 1) return {};
    At(view.noShowUmdIcon ? 1 : 0, view.category, std::max(view.item, 0), view.language);
    Place();
    return std::move(findings_);
  }

 private:
  void At(int option, int category, int item, int language) {
    at_ = {{}, {}, category, item, option == 1, language};
    option_ = option;
  }

  void Report(const std::string& element, const std::string& what) {
    if (!seen_.insert(element + " " + what).second) return;
    LayoutFinding f = at_;
    f.element = element;
    f.what = what;
    findings_.push_back(std::move(f));
  }

  // Two fields in one place of a module: the console shows the one the file keeps
  // wherever the other would apply. Told at the first position of the menu.
  void CheckSharedPlaces() {
    At(0, 0, 0, 0);
    for (const SharedPlace& s : SharedPlaceConflicts(in_.profile, l_)) {
      Report(std::string(s.overwritten->name), "is " + FieldText(l_, *s.overwritten) + ", but " + std::string(s.file) +
                                                   " keeps " + std::string(s.kept->name) + "'s " +
                                                   FieldText(l_, *s.kept) + " in the place the two share");
    }
  }

  void CheckExecFunction(int32_t item) {
    if (item < 0 || item >= kItemNumbers) return;
    if (const auto& pair = in_.unknownExecFunction[static_cast<std::size_t>(item)]) {
      Report("SubIcon1", "shows item " + std::to_string(item) + ", whose execute function (" +
                             std::to_string(pair->first) + ", " + std::to_string(pair->second) +
                             ") matches no table entry");
    }
  }

  // An icon's size at a scale; `shown` false when it is reported as scaled to
  // nothing or beyond the screen (and is not checked any further).
  struct Sized {
    Extent size;
    bool shown = false;
  };
  Sized Scale(const std::string& name, Extent picture, float scale) {
    const double w = picture.width * static_cast<double>(scale);
    const double h = picture.height * static_cast<double>(scale);
    if (!(w >= 1.0) || !(h >= 1.0)) {
      Report(name, "is scaled to nothing");
      return {};
    }
    const Extent size{static_cast<int>(std::min<double>(w, kCoordinateLimit)),
                      static_cast<int>(std::min<double>(h, kCoordinateLimit))};
    if (size.width > kScreenWidth || size.height > kScreenHeight) {
      Report(name, "is scaled beyond the screen");
      return {size, false};
    }
    return {size, true};
  }

  void CheckScreen(const Element& e) {
    if (e.role == Role::Other) return;
    if (Intersect(e.box, screen_).Empty()) {
      Report(e.name, "is outside the screen");
    } else if (e.role == Role::Focus && !Contains(screen_, e.box)) {
      Report(e.name, "is partly outside the screen");
    }
  }

  void CheckOverlaps(const std::vector<Element>& elements) {
    for (std::size_t a = 0; a < elements.size(); ++a) {
      for (std::size_t b = a + 1; b < elements.size(); ++b) {
        const Box on_screen = Intersect(Intersect(elements[a].box, screen_), Intersect(elements[b].box, screen_));
        if (!on_screen.Empty()) Report(elements[a].name, "overlaps " + elements[b].name);
      }
    }
  }

  // Every element at the current focus position.
  void Place() {
    const int c = at_.category;
    PreviewState view;
    view.CurrentCategory = c;
    view.CurrentItem = at_.item;
    view.PreviewReady = 1;
    view.Language = at_.language;
    view.MainColumnX = MainColumnCentre(l_, view);
    const LabelTexts& names = in_.names[static_cast<std::size_t>(at_.language)];
    const CategoryList& list = in_.categoryLists[option_][c];

    std::vector<Element> icons;
    for (int i = 0; i < categories_; ++i) {
      if (!in_.mainIcons[i]) continue;
      const std::string name = "MainIcon" + std::to_string(i + 1);
      const Sized s = Scale(name, *in_.mainIcons[i], i == c ? 1.0f : l_.UnfIconSize);
      if (!s.shown) continue;
      const Role role = i == c ? Role::Focus : std::abs(i - c) == 1 ? Role::Neighbour : Role::Other;
      icons.push_back({name, MakeBox(MainIconTopLeft(l_, view, view.MainColumnX, i, s.size), s.size), role});
    }

    const SubColumn column = SubIconColumn(list, at_.item);
    const SubIconSpacing spacing = SubIconSpaces(l_, in_.profile, c);
    std::array<Box, kSubPositions> controls{};  // where each sub icon control stands, for the texts
    for (int k = 0; k < kSubPositions; ++k) {
      Sized s{kDesignedIcon, false};
      const std::string name = "SubIcon" + std::to_string(k);
      const int item = column.item[k];
      if (column.shown[k] && item >= 0 && in_.subIcons[static_cast<std::size_t>(item)]) {
        s = Scale(name, *in_.subIcons[static_cast<std::size_t>(item)], l_.SubIconSize);
      }
      controls[k] = MakeBox(SubIconTopLeft(view, spacing, k, s.size), s.size);
      if (s.shown)
        CheckScreen({name, controls[k], k == 1 ? Role::Focus : k == 0 || k == 2 ? Role::Neighbour : Role::Other});
    }

    std::vector<Element> texts;
    const std::string title = Label(names, CategoryLabelEntry(c));
    if (!title.empty()) {
      const Extent e = EstimateTextExtent(title, PointsToPixels(MainTextPointSize(view)));
      texts.push_back({"MainMenutext", MakeBox(MainTextTopLeft(l_, view, e.width), e), Role::Focus});
    }
    const SubColumn captions = SubTextColumn(list, c, at_.item);
    const double sub_pixels = PointsToPixels(SubTextPointSize(view));
    const Box& focused = controls[1];
    const int left =
        SubTextLeft(l_, view, static_cast<int>(focused.left), static_cast<int>(focused.right - focused.left));
    for (int k = 0; k < kSubPositions; ++k) {
      if (!captions.shown[k]) continue;
      const std::string caption = Label(names, ItemLabelEntry(captions.item[k]));
      if (caption.empty()) continue;
      const Box& icon = controls[k];
      const int top = SubTextTop(l_, view, static_cast<int>(icon.top), static_cast<int>(icon.bottom - icon.top));
      const Role role = k == 1 ? Role::Focus : c == 0 && (k == 0 || k == 2) ? Role::Neighbour : Role::Other;
      texts.push_back(
          {"SubMenuText" + std::to_string(k), MakeBox(left, top, EstimateTextExtent(caption, sub_pixels)), role});
    }
    texts.push_back(
        {"Clock", MakeBox(ClockTopLeft(l_, view), EstimateTextExtent(kClockCaption, kClockPixels)), Role::Focus});

    std::vector<Element> status;
    if (in_.batteryIcon) {
      const Extent cell = StripCell(in_.batteryIcon->width, in_.batteryIcon->height, 1, 4);
      status.push_back({"BatteryIcon", MakeBox(BatteryTopLeft(l_, view, cell), cell), Role::Focus});
    }
    if (in_.busyIcon) {
      const Extent cell = StripCell(in_.busyIcon->width, in_.busyIcon->height, 2, 30);
      status.push_back({"BusyIcon", MakeBox(BusyTopLeft(l_, view, cell), cell), Role::Focus});
    }

    for (const auto* group : {&icons, &texts, &status}) {
      for (const Element& e : *group) CheckScreen(e);
    }
    CheckOverlaps(icons);
    CheckOverlaps(texts);
  }

  const LayoutCheckInput& in_;
  const LayoutRecord& l_;
  const int categories_;
  Box screen_;
  LayoutFinding at_;
  int option_ = 0;
  std::set<std::string> seen_;
  std::vector<LayoutFinding> findings_;
};

}  // namespace

std::string LayoutFinding::Text() const {
  return element + " " + what + " (category " + std::to_string(category) + ", item " + std::to_string(item) + ")";
}

std::vector<LayoutFinding> CheckLayout(const LayoutCheckInput& input) { return Checker(input).Run(); }

std::vector<LayoutFinding> CheckLayoutView(const LayoutCheckInput& input, const LayoutView& view) {
  return Checker(input).RunAt(view);
}

Extent EstimateTextExtent(std::string_view text, double pixels) {
  if (text.empty() || !(pixels > 0)) return {};
  double ems = 0.0;
  for (std::size_t i = 0; i < text.size();) {
    const char32_t c = NextCodePoint(text, i);
    ems += IsWide(c) ? 1.0 : (c >= 0xFF61 && c <= 0xFF9F) ? 0.5 : 0.6;
  }
  const double limit = kCoordinateLimit;
  return {static_cast<int>(std::min(std::ceil(ems * pixels), limit)),
          static_cast<int>(std::min(std::ceil(1.25 * pixels), limit))};
}

double PointsToPixels(int points) { return points * 96.0 / 72.0; }

}  // namespace qorvi
