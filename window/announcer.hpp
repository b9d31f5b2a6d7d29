// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Tells a screen reader something it should say without moving the focus:
// what a click changed. Qt 6.4 has no announcement of its own (it came with
// 6.8), so this is a hidden status bar holding a hidden notification whose
// label carries the text; each announcement shows the notification to
// assistive technology by hand. Orca speaks a notification once, without a
// role word, and does not check whether it is showing on screen; the
// screen-reader test would notice if that changed.
#pragma once

#include <QWidget>

class QLabel;

namespace zemvaro::window {

// The status bar, read as one by the accessibility factory.
class Announcer : public QWidget {
    Q_OBJECT

  public:
    explicit Announcer(QWidget* parent);
    void Say(const QString& text);

  private:
    QWidget* notification_;
    QLabel* text_;
};

// The notification inside it.
class Notification : public QWidget {
    Q_OBJECT

  public:
    using QWidget::QWidget;
};

}  // namespace zemvaro::window
