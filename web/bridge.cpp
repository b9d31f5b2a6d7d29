// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro in the browser: the core, the layout table and the form, compiled
// to WebAssembly and handed to the page's script through embind.
//
//   layout()          the window described once: controls in CSS pixels,
//                     captions, names, colours, tab order, the texts
//   fit(w, h)         the zoom and place of the window in a view of w × h,
//                     which the page's style sheet works out by the same rule
//                     and the page's test holds it to
//   fitInput(t, c)    the input's three-character limit, in UTF-16 as the
//                     page's strings are
//   new Window(sep)   the form: its state and its clicks, each answered with
//                     what it changed and the message boxes it brought
//
// The page computes nothing; what it knows of the window beyond these is how
// each kind of control is drawn, in its style sheet.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <vector>

#include "form/form.hpp"
#include "layout/layout.hpp"

namespace zemvaro::web {
namespace {

using emscripten::val;
using layout::Kind;

// CSS pixels are 1/96 inch, as the desktop windows' are at 100 %.
constexpr int kDotsPerInch = 96;

std::string Css(layout::Rgb rgb) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string css = "#";
    for (const std::uint8_t c : {rgb.red, rgb.green, rgb.blue}) {
        css += kHex[c >> 4];
        css += kHex[c & 15];
    }
    return css;
}

std::string Text(std::string_view text) {
    return std::string(text);
}

val Control(const layout::Control& control) {
    static constexpr const char* kKinds[] = {"label", "text", "button", "list"};
    const layout::Rect place = layout::ToPixels(control.place, layout::Unzoomed(kDotsPerInch));
    val entry = val::object();
    entry.set("id", layout::Name(control));
    entry.set("kind", kKinds[static_cast<int>(control.kind)]);
    entry.set("index", control.index);
    entry.set("left", place.left);
    entry.set("top", place.top);
    entry.set("width", place.width);
    entry.set("height", place.height);
    entry.set("caption", Text(control.caption));
    entry.set("colour", control.colour ? Css(*control.colour) : "");
    entry.set("pressed", control.colour ? Css(layout::Pressed(*control.colour)) : "");
    entry.set("hovered", control.colour ? Css(layout::Hovered(*control.colour)) : "");
    entry.set("shown", control.shown);
    // What every face's screen readers call it.
    entry.set("name",
              Text(control.accessibleName.empty() ? control.caption : control.accessibleName));
    entry.set("captionLabel", control.captionLabel >= 0
                                  ? layout::Name(layout::Find(Kind::Label, control.captionLabel))
                                  : std::string());
    return entry;
}

val Layout() {
    const layout::Rect client =
        layout::ToPixels(layout::kClientArea, layout::Unzoomed(kDotsPerInch));
    val table = val::object();
    table.set("width", client.width);
    table.set("height", client.height);
    table.set("caption", layout::Caption());
    table.set("accessibleCaption", layout::AccessibleCaption());
    table.set("inputDescription", Text(layout::kInputDescription));
    table.set("applicationName", std::string(layout::kApplicationName));
    table.set("version", std::string(layout::kVersion));
    table.set("background", Css(layout::kBackground));
    table.set("fontFamily", Text(layout::kFont.family));
    table.set("fontPixels", layout::kFont.points * kDotsPerInch / 72);
    table.set("fontWeight", layout::kFont.weight);
    table.set("borderColour", Css(layout::kBorderColour));
    table.set("focusColour", Css(layout::kFocusColour));
    table.set("frameColour", Css(layout::kFrameColour));
    table.set("fieldColour", Css(layout::kFieldColour));
    table.set("borderPixels", layout::kBorderPixels);
    table.set("focusPixels", layout::kFocusPixels);
    table.set("textMarginPixels", layout::kTextMarginPixels);
    table.set("buttonRadiusPixels", layout::kButtonRadiusPixels);
    table.set("rowInsetPixels", layout::kRowInsetPixels);
    table.set("rowPixels", layout::kRowPixels);
    table.set("overflowMessage", Text(layout::kOverflowMessage));
    table.set("messageButton", Text(layout::kMessageButton));
    table.set("applicationId", std::string(layout::kApplicationId));
    table.set("title", layout::Name(layout::kTitle));
    table.set("input", layout::Name(layout::kInput));
    table.set("report", layout::Name(layout::kReport));
    table.set("helpText", Text(HelpText));
    table.set("starting", Text(layout::kPageStarting));
    table.set("openedAsFile", Text(layout::kPageOpenedAsFile));
    table.set("browserTooOld", Text(layout::kPageBrowserTooOld));
    table.set("failed", Text(layout::kPageFailed));
    val controls = val::array();
    for (const layout::Control& control : layout::kControls) {
        controls.call<void>("push", Control(control));
    }
    table.set("controls", controls);
    val order = val::array();
    for (const layout::Control* control : layout::TabOrder()) {
        order.call<void>("push", layout::Name(*control));
    }
    table.set("tabOrder", order);
    return table;
}

// A page may be shown on a phone narrower than the window: it shrinks to fit.
val Fit(int width, int height) {
    const layout::Zoom zoom =
        layout::FitClientArea(width, height, kDotsPerInch, layout::Shrink::ToFit);
    val fitted = val::object();
    fitted.set("zoom", zoom.factor);
    fitted.set("left", zoom.originX);
    fitted.set("top", zoom.originY);
    return fitted;
}

val FitInput(std::u16string text, int cursor) {
    const std::size_t fitted = layout::FitInput(text, static_cast<std::size_t>(cursor));
    val result = val::object();
    result.set("text", text);
    result.set("cursor", static_cast<int>(fitted));
    return result;
}

val ToValue(const form::Changes& changes) {
    val lists = val::array();
    for (const bool list : changes.lists) {
        lists.call<void>("push", list);
    }
    val shown = val::object();
    shown.set("lists", lists);
    shown.set("input", changes.input);
    shown.set("report", changes.report);
    shown.set("summary", changes.summary);
    return shown;
}

// The page's one window. A page cannot wait inside a click for a box to be
// dismissed: each box the form asks for is noted with what the click had
// changed until then, and the page shows them in turn once the click
// returns, each over the window as it stood when the box came.
class Window : public form::Face {
  public:
    explicit Window(std::string separator) : separator_(std::move(separator)) {}

    void ShowMessage(const std::string& text, const form::Changes& sofar) override {
        val box = val::object();
        box.set("message", text);
        box.set("changes", ToValue(sofar));
        boxes_.call<void>("push", box);
    }
    std::string DecimalSeparator() const override { return separator_; }

    void SetInput(const std::string& text) { form_.Type(layout::kInput, text); }
    std::string Input() const { return form_.Text(layout::kInput); }
    std::string Report() const { return form_.Text(layout::kReport); }
    int RowCount(int list) const { return Rows(list).Count(); }
    std::string Row(int list, int row) const { return Rows(list).Item(row); }

    // A click on the control of that id ("Command1_0"): the boxes it brought,
    // in order, and what it changed besides.
    val Click(const std::string& id) {
        boxes_ = val::array();
        form::Changes changes;
        for (const layout::Control& control : layout::kControls) {
            if (layout::Name(control) == id) {
                changes = form_.Click(control);
            }
        }
        val click = val::object();
        click.set("boxes", boxes_);
        click.set("changes", ToValue(changes));
        return click;
    }

  private:
    const StringList& Rows(int list) const {
        return form_.Rows(list == layout::kPrimesList.index ? layout::kPrimesList
                                                            : layout::kSieveList);
    }

    std::string separator_;
    form::Form form_{*this};
    val boxes_ = val::array();
};

}  // namespace

EMSCRIPTEN_BINDINGS(zemvaro) {
    emscripten::function("layout", &Layout);
    emscripten::function("fit", &Fit);
    emscripten::function("fitInput", &FitInput);
    emscripten::class_<Window>("Window")
        .constructor<std::string>()
        .function("setInput", &Window::SetInput)
        .function("input", &Window::Input)
        .function("report", &Window::Report)
        .function("rowCount", &Window::RowCount)
        .function("row", &Window::Row)
        .function("click", &Window::Click);
}

}  // namespace zemvaro::web
