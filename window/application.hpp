// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// What the application needs before its first window: names, version, icon,
// style, font and Qt's own Bulgarian texts.
#pragma once

class QApplication;

namespace zemvaro::window {

void SetUpApplication(QApplication& app);

}  // namespace zemvaro::window
