// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro's one window in Qt: shows the core's FormState in the controls the
// layout table describes, and turns clicks into the core's commands. It
// computes nothing itself.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "core/zemvaro.hpp"
#include "layout/layout.hpp"

class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;

namespace zemvaro::window {

class Announcer;
class StringListModel;

class MainWindow : public QWidget, public Host {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);

    void ShowMessage(const std::string& text) override;
    std::string DecimalSeparator() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* Widget(const layout::Control& control) const;
    // Tells a screen reader the list's current row once the focus has settled
    // in it: Qt makes the row current, then names the list alone as focused.
    void SayCurrentRow(QListView* list);
    void OnCommand(std::int16_t index);
    void OnLabel(std::int16_t index);
    // Brings every control in line with state_.
    void ShowState();
    // Places, sizes and draws every control at the zoom that fits the window.
    void ApplyZoom(const layout::Zoom& zoom);

    FormState state_;
    std::array<QLabel*, 5> label_{};
    QLineEdit* input_ = nullptr;
    std::array<QPlainTextEdit*, 3> textBox_{};  // [0] stays null: the input is a line edit
    std::array<QPushButton*, 2> command_{};
    std::array<QListView*, 2> list_{};
    std::array<StringListModel*, 2> model_{};
    Announcer* announcer_ = nullptr;
    bool messageShown_ = false;  // during a click
    double styledFactor_ = 0.0;  // the zoom the style sheet was written for
};

}  // namespace zemvaro::window
