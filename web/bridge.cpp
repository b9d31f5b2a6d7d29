// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro in the browser: the core, the layout table and the form, compiled
// to WebAssembly and handed to the page's script through embind.
//
//   layout()            the window described once: every control in CSS
//                       pixels with its caption, name, colours and facts,
//                       the tab order, the texts
//   fit(w, h)           the zoom and place of the window in a view of w × h,
//                       which the page's style sheet works out by the same
//                       rule and the page's test holds it to
//   fitInput(t, c, n)   a box's limit of n characters, in UTF-16 as the
//                       page's strings are
//   new Window(sep)     the form: its state and its clicks, each answered
//                       with the message boxes it brought and what it changed
//
// Controls go by the names every face gives them ("Text1_0"), which are the
// page's ids. The page computes nothing; what it knows of the window beyond
// these is how each role is drawn, in its style sheet.
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
    const layout::Rect place = layout::ToPixels(control.place, layout::Unzoomed(kDotsPerInch));
    val entry = val::object();
    entry.set("id", layout::Name(control));
    entry.set("role", Text(layout::RoleName(control.role)));
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
    entry.set("name", Text(layout::AccessibleName(control)));
    entry.set("description", Text(control.description));
    entry.set("tooltip", Text(control.tooltip));
    entry.set("captionLabel", control.captionLabel >= 0
                                  ? layout::Name(layout::Find(Kind::Label, control.captionLabel))
                                  : std::string());
    entry.set("multiLine", control.multiLine);
    entry.set("readOnly", control.readOnly);
    entry.set("maxLength", static_cast<int>(control.maxLength));
    if (control.kind == Kind::TextBox) {
        // What the box shows at start, the report's help text.
        static const FormState start;
        entry.set("text",
                  layout::WithLineFeeds(start.Text1[static_cast<std::size_t>(control.index)]));
    }
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
    // Where the focus starts, and the box whose text a click shows from its start.
    table.set("input", layout::Name(layout::kInput));
    table.set("report", layout::Name(layout::kReport));
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

val FitInput(std::u16string text, int cursor, int limit) {
    const std::size_t fitted =
        layout::FitInput(text, static_cast<std::size_t>(cursor), static_cast<std::size_t>(limit));
    val result = val::object();
    result.set("text", text);
    result.set("cursor", static_cast<int>(fitted));
    return result;
}

// What to show anew, by the controls' names: the lists to refill from the
// top, the text boxes whose text is new, and whether the report is shown
// from its first line.
val ToValue(const form::Changes& changes) {
    val lists = val::array();
    val texts = val::array();
    for (const layout::Control& control : layout::kControls) {
        const auto i = static_cast<std::size_t>(control.index);
        if ((control.kind == Kind::List && changes.lists[i]) ||
            (control.kind == Kind::TextBox && changes.texts[i])) {
            (control.kind == Kind::List ? lists : texts).call<void>("push", layout::Name(control));
        }
    }
    val shown = val::object();
    shown.set("lists", lists);
    shown.set("texts", texts);
    shown.set("reportFromStart", changes.reportFromStart);
    return shown;
}

// The page's one window, its controls by name; a name of no control reads
// as empty and changes nothing.
class Window {
  public:
    explicit Window(std::string separator)
        : form_([separator = std::move(separator)] { return separator; }) {}

    void Type(const std::string& id, const std::string& text) {
        if (const layout::Control* box = layout::Named(id)) {
            form_.Type(*box, text);
        }
    }
    // As the page shows it, lines ending in line feeds.
    std::string TextOf(const std::string& id) const {
        const layout::Control* box = layout::Named(id);
        return box != nullptr && box->kind == Kind::TextBox
                   ? layout::WithLineFeeds(form_.Text(*box))
                   : std::string();
    }
    int RowCount(const std::string& id) const { return Rows(id).Count(); }
    std::string Row(const std::string& id, int row) const { return Rows(id).Item(row); }

    // A click: the boxes it brought, in order, each with what the window
    // shows beneath it, and what it changed besides.
    val Click(const std::string& id) {
        const layout::Control* control = layout::Named(id);
        const form::Outcome outcome = control != nullptr ? form_.Click(*control) : form::Outcome{};
        val boxes = val::array();
        for (const form::Box& box : outcome.boxes) {
            val shown = val::object();
            shown.set("message", box.text);
            shown.set("changes", ToValue(box.beneath));
            boxes.call<void>("push", shown);
        }
        val click = val::object();
        click.set("boxes", boxes);
        click.set("changes", ToValue(outcome.changes));
        click.set("summary", outcome.summary);
        return click;
    }

  private:
    const StringList& Rows(const std::string& id) const {
        static const StringList kNone;
        const layout::Control* list = layout::Named(id);
        return list != nullptr && list->kind == Kind::List ? form_.Rows(*list) : kNone;
    }

    form::Form form_;
};

}  // namespace

EMSCRIPTEN_BINDINGS(zemvaro) {
    emscripten::function("layout", &Layout);
    emscripten::function("fit", &Fit);
    emscripten::function("fitInput", &FitInput);
    emscripten::class_<Window>("Window")
        .constructor<std::string>()
        .function("type", &Window::Type)
        .function("text", &Window::TextOf)
        .function("rowCount", &Window::RowCount)
        .function("row", &Window::Row)
        .function("click", &Window::Click);
}

}  // namespace zemvaro::web
