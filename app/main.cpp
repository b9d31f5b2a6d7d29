// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include <QApplication>

#include "window/application.hpp"
#include "window/main_window.hpp"

int main() {
    // The program takes no command line, and Qt's own options (-reverse,
    // -stylesheet and the like) would change the fixed layout: none reach it.
    static char name[] = "zemvaro";
    static char* arguments[] = {name, nullptr};
    int count = 1;
    QApplication app(count, arguments);
    zemvaro::window::SetUpApplication(app);
    zemvaro::window::MainWindow window;
    window.show();
    return QApplication::exec();
}
