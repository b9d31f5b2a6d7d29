// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Times the Win32 window under Wine (or Windows): a compute click on '1e4'
// from a cleared window until both lists and the report are drawn, split
// into the core, the controls' own work and the rest, which is ours; and
// building and first drawing the window. Medians of REPETITIONS runs.
//
//   wine build-windows/bench/win32_bench.exe [REPETITIONS]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "tests/recording_host.hpp"
#include "win32/main_window.hpp"
#include "win32/text.hpp"

namespace {

namespace layout = zemvaro::layout;
using zemvaro::win32::ChildId;

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Median ms of `timed`, each run after `prepare`.
double Time(int repetitions, const std::function<void()>& prepare,
            const std::function<void()>& timed) {
    std::vector<double> runs;
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        const double start = Now();
        timed();
        runs.push_back(Now() - start);
    }
    return Median(runs);
}

void DrawNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Drain() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

    double start = Now();
    LoadLibraryW(L"Msftedit.dll");
    const double loadRichEdit = Now() - start;
    start = Now();
    auto window = zemvaro::win32::MainWindow::Create(GetModuleHandleW(nullptr),
                                                     zemvaro::win32::SystemContrastTheme);
    if (!window) {
        std::puts("the window could not be created");
        return 1;
    }
    const HWND main = window->Handle();
    ShowWindow(main, SW_SHOW);
    DrawNow(main);
    const double firstWindow = Now() - start;
    Drain();

    const auto control = [main](const layout::Control& c) { return GetDlgItem(main, ChildId(c)); };
    const HWND input = control(layout::kInput);
    const HWND output = control(layout::kReport);
    const auto click = [main, &control](const layout::Control& button) {
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(ChildId(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(control(button)));
    };
    const auto clearAndType = [&] {
        click(layout::kClear);
        SetWindowTextW(input, L"1e4");
        DrawNow(main);
        Drain();
    };

    // The core alone, on the same input, cleared in between as above.
    zemvaro::RecordingHost host;
    zemvaro::FormState state;
    auto& typed = state.Text1[layout::kInput.index];
    const auto command = [&](const layout::Control& button) {
        zemvaro::OnCommandClick(state, static_cast<std::int16_t>(button.index), host);
    };
    const double core = Time(
        repetitions,
        [&] {
            command(layout::kClear);
            typed = "1e4";
        },
        [&] { command(layout::kCompute); });
    const std::wstring report = zemvaro::win32::Widen(state.Text1[layout::kReport.index]);

    // The whole click, as the button sends it, until everything is drawn; and
    // what the controls take for the same result, told directly, apart and
    // together (together they take more than the sum, the window being drawn
    // once for both). Measured in turn in every round, so that the machine's
    // drift hits all alike.
    const auto setLists = [&] {
        for (const layout::Control* list : {&layout::kSieveList, &layout::kPrimesList}) {
            SendMessageW(control(*list), LB_SETCOUNT, state.List1[list->index].Count(), 0);
        }
    };
    const auto setText = [&] {
        SendMessageW(output, WM_SETREDRAW, FALSE, 0);
        SetWindowTextW(output, report.c_str());
        SendMessageW(output, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(output, nullptr, TRUE);
    };
    // What the window's own procedure in front of a control adds to each
    // message: the cheapest one, many times over.
    constexpr int kMessages = 1000;
    const double message = Time(
                               repetitions, [] {},
                               [&] {
                                   for (int i = 0; i < kMessages; ++i) {
                                       SendMessageW(input, WM_GETTEXTLENGTH, 0, 0);
                                   }
                               }) *
                           1000.0 / kMessages;

    std::vector<double> whole, lists, text, controls, ours;
    for (int i = 0; i < repetitions; ++i) {
        whole.push_back(Time(1, clearAndType, [&] {
            click(layout::kCompute);
            DrawNow(main);
        }));
        lists.push_back(Time(1, clearAndType, [&] {
            setLists();
            DrawNow(main);
        }));
        text.push_back(Time(1, clearAndType, [&] {
            setText();
            DrawNow(main);
        }));
        controls.push_back(Time(1, clearAndType, [&] {
            setLists();
            setText();
            DrawNow(main);
        }));
        ours.push_back(whole.back() - controls.back());
    }

    std::printf("Load Msftedit.dll (the report box's control):  %7.2f ms\n", loadRichEdit);
    std::printf("One message to the input box, subclassed:     %7.2f us\n", message);
    std::printf("First window built, shown and drawn:           %7.2f ms\n", firstWindow);
    std::printf("Compute click on '1e4' until drawn (median of %d):\n", repetitions);
    std::printf("  whole click                                  %7.2f ms\n", Median(whole));
    std::printf("  the controls, told directly, together        %7.2f ms\n", Median(controls));
    std::printf("    the list boxes alone, 20000 and 2263 rows  %7.2f ms\n", Median(lists));
    std::printf("    the RichEdit alone, %zu-character report  %7.2f ms\n", report.size(),
                Median(text));
    std::printf("  ours: whole click less the controls          %7.2f ms\n", Median(ours));
    std::printf("    of which the core                          %7.2f ms\n", core);
    std::printf("\ntarget: whole click <= 16 ms\n");
    return 0;
}
