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

class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;

namespace zemvaro::window {

class Announcer;
class StringListModel;

class MainWindow : public QWidget, public form::Face {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);

    void ShowMessage(const std::string& text, const form::Changes& sofar) override;
    std::string DecimalSeparator() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* Widget(const layout::Control& control) const;
    QPlainTextEdit* Box(const layout::Control& box) const;
    // Tells a screen reader the list's current row once the focus has settled
    // in it: Qt makes the row current, then names the list alone as focused.
    void SayCurrentRow(QListView* list);
    void OnClick(const layout::Control& control);
    // Brings the controls a click changed in line with the form.
    void Show(const form::Changes& changes);
    // Places, sizes and draws every control at the zoom that fits the window.
    void ApplyZoom(const layout::Zoom& zoom);

    form::Form form_{*this};
    std::array<QLabel*, layout::kLabels> label_{};
    QLineEdit* input_ = nullptr;
    // The multi-line boxes; the input's place stays null, being a line edit.
    std::array<QPlainTextEdit*, layout::kTextBoxes> textBox_{};
    std::array<QPushButton*, layout::kButtons> command_{};
    std::array<QListView*, layout::kLists> list_{};
    std::array<StringListModel*, layout::kLists> model_{};
    Announcer* announcer_ = nullptr;
    double styledFactor_ = 0.0;  // the zoom the style sheet was written for
};

}  // namespace zemvaro::window
