// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Zemvaro's one window in Qt: shows the form's state in the controls the
// layout table describes, and hands every click to the form, showing what
// it changed. It computes nothing itself.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "form/form.hpp"
#include "layout/layout.hpp"

class QListView;

namespace zemvaro::window {

class Announcer;

class MainWindow : public QWidget {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* Make(const layout::Control& control);
    QWidget* Widget(const layout::Control& control) const;
    // The control whose widget that is, or null.
    const layout::Control* ControlOf(const QObject* widget) const;
    // Tells a screen reader the list's current row once the focus has settled
    // in it: Qt makes the row current, then names the list alone as focused.
    void SayCurrentRow(QListView* list);
    void OnClick(const layout::Control& control);
    // Brings the controls a click changed in line with the form.
    void Show(const form::Changes& changes);
    void ShowMessage(const std::string& text);
    // Places, sizes and draws every control at the zoom that fits the window.
    void ApplyZoom(const layout::Zoom& zoom);

    form::Form form_;
    // Every control of the table, at its index in the table.
    std::array<QWidget*, layout::kControls.size()> widget_{};
    Announcer* announcer_ = nullptr;
    double styledFactor_ = 0.0;  // the zoom the style sheet was written for
};

}  // namespace zemvaro::window
