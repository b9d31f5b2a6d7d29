// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "window/main_window.hpp"

#include <QAccessible>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QTextDocument>
#include <QTimer>
#include <QValidator>
#include <algorithm>

#include "window/announcer.hpp"
#include "window/string_list_model.hpp"

namespace zemvaro::window {
namespace {

using layout::Kind;

// Qt's device-independent pixels are 1/96 inch; Qt scales them on dense screens.
constexpr int kDotsPerInch = 96;

QColor ToColor(layout::Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QRect ToRect(layout::Rect r) {
    return QRect(r.left, r.top, r.width, r.height);
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ObjectName(const layout::Control& control) {
    return QString::fromStdString(layout::Name(control));
}

// Counts characters, not UTF-16 units, and never keeps half of one.
class InputLimit : public QValidator {
  public:
    InputLimit(std::size_t limit, QObject* parent) : QValidator(parent), limit_(limit) {}
    State validate(QString& input, int& pos) const override {
        std::u16string text(reinterpret_cast<const char16_t*>(input.utf16()),
                            static_cast<std::size_t>(input.size()));
        pos = static_cast<int>(layout::FitInput(text, static_cast<std::size_t>(pos), limit_));
        if (text.size() != static_cast<std::size_t>(input.size())) {
            input = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
        }
        return Acceptable;
    }

  private:
    std::size_t limit_;
};

// The colours, borders and focus marks, at one zoom. Every rule names its
// control, so none reaches the message boxes, which are children too.
QString StyleSheet(const layout::Zoom& zoom) {
    const QString focus = QStringLiteral("%1px solid %2")
                              .arg(layout::ScaledPixels(layout::kFocusPixels, zoom))
                              .arg(ToColor(layout::kFocusColour).name());
    const int border = layout::ScaledPixels(layout::kBorderPixels, zoom);
    QString sheet;
    for (const layout::Control& control : layout::kControls) {
        const QString id = '#' + ObjectName(control);
        switch (control.kind) {
            case Kind::Label:
                sheet += QStringLiteral("%1 { background-color: %2; color: black; }")
                             .arg(id, ToColor(*control.colour).name());
                break;
            case Kind::Button: {
                const QColor colour = ToColor(*control.colour);
                // No outline: the style's own focus rectangle would tint the
                // button; the border alone shows the focus.
                sheet += QStringLiteral(
                             "%1 { background-color: %2; color: black; border: %3px solid %4;"
                             " border-radius: %5px; padding: %5px; outline: none; }"
                             "%1:hover { background-color: %6; }"
                             "%1:pressed { background-color: %7; }"
                             "%1:focus { border: %8; }")
                             .arg(id, colour.name())
                             .arg(border)
                             .arg(ToColor(layout::kBorderColour).name())
                             .arg(layout::ScaledPixels(layout::kButtonRadiusPixels, zoom))
                             .arg(ToColor(layout::Hovered(*control.colour)).name(),
                                  ToColor(layout::Pressed(*control.colour)).name(), focus);
                break;
            }
            case Kind::TextBox:
            case Kind::List:
                // The same width focused or not, so that the text stays put.
                sheet += QStringLiteral(
                             "%1 { border: %2px solid %3; padding: %4px; background: %5; }"
                             "%1:focus { border: %6; padding: 0px; }")
                             .arg(id)
                             .arg(border)
                             .arg(ToColor(layout::kFrameColour).name())
                             .arg(layout::ScaledPixels(layout::kFocusPixels, zoom) - border)
                             .arg(ToColor(layout::kFieldColour).name(), focus);
                break;
        }
    }
    return sheet;
}

// Window managers cut a title that is wider than the box; a message box sizes
// itself by its text alone, so it gets a strut as wide as the title needs
// with room for the title bar's buttons.
void WidenForTitle(QMessageBox& box) {
    constexpr int kTitleBarButtons = 120;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) {
        return;
    }
    const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), form_([] { return QLocale::system().decimalPoint().toStdString(); }) {
    setWindowTitle(QString::fromStdString(layout::Caption()));
    setAccessibleName(QString::fromStdString(layout::AccessibleCaption()));
    const QSize smallest =
        ToRect(layout::ToPixels(layout::kClientArea, layout::Unzoomed(kDotsPerInch))).size();
    setMinimumSize(smallest);
    resize(smallest);

    for (const layout::Control& control : layout::kControls) {
        QWidget* widget = Make(control);
        widget_[layout::IndexOf(control)] = widget;
        widget->setObjectName(ObjectName(control));
        // No caption is the buddy of its control: Orca would name the control
        // by the caption ("Естествено:") instead of by the table, as the
        // other faces' readers do.
        widget->setAccessibleName(FromUtf8(layout::AccessibleName(control)));
        widget->setAccessibleDescription(FromUtf8(control.description));
        widget->setToolTip(FromUtf8(control.tooltip));
        widget->setVisible(control.shown);
    }
    announcer_ = new Announcer(this);

    const std::vector<const layout::Control*> order = layout::TabOrder();
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(Widget(*order[i - 1]), Widget(*order[i]));
    }

    ApplyZoom(layout::FitClientArea(width(), height(), kDotsPerInch));
    Widget(layout::kInput)->setFocus();
}

QWidget* MainWindow::Make(const layout::Control& control) {
    switch (control.kind) {
        case Kind::Label: {
            auto* label = new QLabel(FromUtf8(control.caption), this);
            label->setAlignment(Qt::AlignCenter);
            label->installEventFilter(this);
            return label;
        }
        case Kind::Button: {
            auto* button = new QPushButton(FromUtf8(control.caption), this);
            // Neither button answers Enter or Escape.
            button->setAutoDefault(false);
            button->setDefault(false);
            connect(button, &QPushButton::clicked, this, [this, &control] { OnClick(control); });
            return button;
        }
        case Kind::List: {
            auto* list = new QListView(this);
            list->setModel(new StringListModel(form_.Rows(control), list));
            list->setUniformItemSizes(true);
            list->setEditTriggers(QAbstractItemView::NoEditTriggers);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            list->installEventFilter(this);
            return list;
        }
        case Kind::TextBox:
            break;
    }
    if (!control.multiLine) {
        auto* line = new QLineEdit(FromUtf8(form_.Text(control)), this);
        line->setAlignment(Qt::AlignCenter);
        line->setReadOnly(control.readOnly);
        if (control.maxLength > 0) {
            line->setValidator(new InputLimit(control.maxLength, line));
        }
        if (!control.readOnly) {
            connect(line, &QLineEdit::textChanged, this, [this, &control](const QString& text) {
                form_.Type(control, text.toStdString());
            });
        }
        return line;
    }
    auto* box = new QPlainTextEdit(this);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setPlainText(QString::fromStdString(layout::WithLineFeeds(form_.Text(control))));
    if (control.readOnly) {
        // Selectable and copyable, and a stop of the Tab key like any other.
        box->setReadOnly(true);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setFocusPolicy(Qt::StrongFocus);
    } else {
        connect(box, &QPlainTextEdit::textChanged, this,
                [this, box, &control] { form_.Type(control, box->toPlainText().toStdString()); });
    }
    return box;
}

QWidget* MainWindow::Widget(const layout::Control& control) const {
    return widget_[layout::IndexOf(control)];
}

const layout::Control* MainWindow::ControlOf(const QObject* widget) const {
    const auto found = std::find(widget_.begin(), widget_.end(), widget);
    return found != widget_.end()
               ? &layout::kControls[static_cast<std::size_t>(found - widget_.begin())]
               : nullptr;
}

void MainWindow::ShowMessage(const std::string& text) {
    QMessageBox box(this);
    box.setWindowTitle(layout::kApplicationName);
    box.setText(QString::fromStdString(text));
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    // Zoomed with the window, the button too: the window's style sheet keeps
    // children from following their parent's font.
    box.setFont(font());
    for (QWidget* child : box.findChildren<QWidget*>()) {
        child->setFont(font());
    }
    WidenForTitle(box);
    box.exec();
}

void MainWindow::paintEvent(QPaintEvent*) {
    // Painted rather than set in the palette, so that the children (scroll
    // bars above all) keep the system's colours.
    QPainter(this).fillRect(rect(), ToColor(layout::kBackground));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ApplyZoom(layout::FitClientArea(width(), height(), kDotsPerInch));
}

void MainWindow::ApplyZoom(const layout::Zoom& zoom) {
    for (const layout::Control& control : layout::kControls) {
        Widget(control)->setGeometry(ToRect(layout::ToPixels(control.place, zoom)));
    }
    if (zoom.factor == styledFactor_) {
        return;  // moved, not resized: fonts and lines stay
    }
    styledFactor_ = zoom.factor;
    setStyleSheet(StyleSheet(zoom));
    // Set on every control, not only on the window: once a style sheet has
    // polished a child, it no longer follows its parent's font.
    QFont zoomed(FromUtf8(layout::kFont.family));
    zoomed.setPointSizeF(layout::kFont.points * zoom.factor);
    zoomed.setWeight(static_cast<QFont::Weight>(layout::kFont.weight));
    setFont(zoomed);
    for (const layout::Control& control : layout::kControls) {
        Widget(control)->setFont(zoomed);
    }
    for (QWidget* widget : widget_) {
        if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
            box->document()->setDocumentMargin(
                layout::ScaledPixels(layout::kTextMarginPixels, zoom));
        }
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const layout::Control* control = ControlOf(watched);
    if (control == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    if (control->kind == Kind::List) {
        // Only for a screen reader, and once the focus has settled.
        if (event->type() == QEvent::FocusIn && QAccessible::isActive()) {
            QTimer::singleShot(
                0, this, [this, list = static_cast<QListView*>(watched)] { SayCurrentRow(list); });
        }
        return false;
    }
    // A label is clicked when the left button goes down and comes up on it.
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    // Taking the press keeps the release coming to the same label.
    if (event->type() == QEvent::MouseButtonRelease &&
        Widget(*control)->rect().contains(mouse->position().toPoint())) {
        OnClick(*control);
    }
    return true;
}

void MainWindow::OnClick(const layout::Control& control) {
    const form::Outcome outcome = form_.Click(control);
    // Each box over the window as the click had left it when the box came.
    for (const form::Box& box : outcome.boxes) {
        Show(box.beneath);
        ShowMessage(box.text);
    }
    Show(outcome.changes);
    if (!outcome.summary.empty()) {
        announcer_->Say(QString::fromStdString(outcome.summary));
    }
}

void MainWindow::SayCurrentRow(QListView* list) {
    const QModelIndex current = list->currentIndex();
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list);
    if (!list->hasFocus() || !current.isValid() || view == nullptr ||
        view->tableInterface() == nullptr) {
        return;  // an empty list is said as a list
    }
    if (QAccessibleInterface* row = view->tableInterface()->cellAt(current.row(), 0)) {
        QAccessibleEvent focused(row, QAccessible::Focus);
        QAccessible::updateAccessibility(&focused);
    }
}

void MainWindow::Show(const form::Changes& changes) {
    for (const layout::Control& control : layout::kControls) {
        if (control.kind == Kind::TextBox &&
            changes.texts[static_cast<std::size_t>(control.index)]) {
            const QString text = QString::fromStdString(layout::WithLineFeeds(form_.Text(control)));
            if (auto* box = qobject_cast<QPlainTextEdit*>(Widget(control))) {
                box->setPlainText(text);
            } else {
                static_cast<QLineEdit*>(Widget(control))->setText(text);
            }
        } else if (control.kind == Kind::List &&
                   changes.lists[static_cast<std::size_t>(control.index)]) {
            static_cast<StringListModel*>(static_cast<QListView*>(Widget(control))->model())
                ->Refresh();
        }
    }
    if (changes.reportFromStart) {
        // From its first line, where a pupil or a screen reader entering it begins.
        static_cast<QPlainTextEdit*>(Widget(layout::kReport))->moveCursor(QTextCursor::Start);
    }
}

}  // namespace zemvaro::window
