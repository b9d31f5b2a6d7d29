// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro in the browser: the core and the layout table, compiled to
// WebAssembly and handed to the page's script through embind.
//
//   layout()          the window described once: controls in CSS pixels,
//                     captions, colours, names, tab order, the texts
//   fitInput(t, c)    the input's three-character limit, in UTF-16 as the
//                     page's strings are
//   new Window(sep)   one FormState and its clicks; the page shows what it
//                     holds and the messages a click asked for
//
// The page computes nothing and repeats nothing of the table.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/zemvaro.hpp"
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
    entry.set("shown", control.shown);
    entry.set("name", Text(control.accessibleName));
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
    table.set("overflowMessage", Text(layout::kOverflowMessage));
    table.set("messageButton", Text(layout::kMessageButton));
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

val FitInput(std::u16string text, int cursor) {
    const std::size_t fitted = layout::FitInput(text, static_cast<std::size_t>(cursor));
    val result = val::object();
    result.set("text", text);
    result.set("cursor", static_cast<int>(fitted));
    return result;
}

// The page's one window: the core's state, the clicks, and the messages a
// click asked the window to show, which the page shows once it returns.
class Window : public Host {
  public:
    explicit Window(std::string separator) : separator_(std::move(separator)) {}

    void ShowMessage(const std::string& text) override {
        if (messages_.empty()) {
            reportWhenAsked_ = state_.Text1[1];
        }
        messages_.push_back(text);
    }
    std::string DecimalSeparator() const override { return separator_; }

    void SetInput(const std::string& text) { state_.Text1[0] = text; }
    std::string Input() const { return state_.Text1[0]; }
    std::string Report() const { return state_.Text1[1]; }
    // What the report said when the click's first message was asked for: a
    // desktop window shows its box over that, and the new report after it.
    std::string ReportWhenAsked() const { return reportWhenAsked_; }
    int RowCount(int list) const { return Rows(list).Count(); }
    std::string Row(int list, int row) const { return Rows(list).Item(row); }

    // A click on Command1(index): the messages it asked for, in order, and
    // what a screen reader is to be told of it after them ("": nothing).
    val ClickButton(int index) {
        messages_.clear();
        try {
            OnCommandClick(state_, static_cast<std::int16_t>(index), *this);
        } catch (const OverflowError&) {
            // The lists are empty and the report is the one from before; say
            // why and go on, as the desktop windows do.
            ShowMessage(std::string(layout::kOverflowMessage));
        }
        val shown = val::array();
        for (const std::string& message : messages_) {
            shown.call<void>("push", message);
        }
        val click = val::object();
        click.set("messages", shown);
        click.set("said", layout::ClickSummary(index, RowCount(0), RowCount(1), state_.Text1[1],
                                               !messages_.empty()));
        return click;
    }
    void ClickLabel(int index) { OnLabelClick(state_, static_cast<std::int16_t>(index)); }

  private:
    const StringList& Rows(int list) const { return state_.List1[list == 0 ? 0 : 1]; }

    FormState state_;
    std::string separator_;
    std::vector<std::string> messages_;
    std::string reportWhenAsked_;
};

}  // namespace

EMSCRIPTEN_BINDINGS(zemvaro) {
    emscripten::function("layout", &Layout);
    emscripten::function("fitInput", &FitInput);
    emscripten::class_<Window>("Window")
        .constructor<std::string>()
        .function("setInput", &Window::SetInput)
        .function("input", &Window::Input)
        .function("report", &Window::Report)
        .function("reportWhenAsked", &Window::ReportWhenAsked)
        .function("rowCount", &Window::RowCount)
        .function("row", &Window::Row)
        .function("clickButton", &Window::ClickButton)
        .function("clickLabel", &Window::ClickLabel);
}

}  // namespace zemvaro::web
