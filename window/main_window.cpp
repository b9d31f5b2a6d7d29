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
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        std::u16string text(reinterpret_cast<const char16_t*>(input.utf16()),
                            static_cast<std::size_t>(input.size()));
        pos = static_cast<int>(layout::FitInput(text, static_cast<std::size_t>(pos)));
        if (text.size() != static_cast<std::size_t>(input.size())) {
            input = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
        }
        return Acceptable;
    }
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

// The core writes lines ending in CR LF; a text box wants bare line feeds,
// or it shows the CR as a glyph.
QString ToDisplayText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QPlainTextEdit* MakeTextBox(QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return box;
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

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QString::fromStdString(layout::Caption()));
    setAccessibleName(QString::fromStdString(layout::AccessibleCaption()));
    const QSize smallest =
        ToRect(layout::ToPixels(layout::kClientArea, layout::Unzoomed(kDotsPerInch))).size();
    setMinimumSize(smallest);
    resize(smallest);

    for (const layout::Control& control : layout::kControls) {
        const auto i = static_cast<std::size_t>(control.index);
        QWidget* widget = nullptr;
        switch (control.kind) {
            case Kind::Label:
                label_[i] = new QLabel(FromUtf8(control.caption), this);
                label_[i]->setAlignment(Qt::AlignCenter);
                label_[i]->installEventFilter(this);
                widget = label_[i];
                break;
            case Kind::Button:
                command_[i] = new QPushButton(FromUtf8(control.caption), this);
                // Neither button answers Enter or Escape.
                command_[i]->setAutoDefault(false);
                command_[i]->setDefault(false);
                connect(command_[i], &QPushButton::clicked, this,
                        [this, clicked = &control] { OnClick(*clicked); });
                widget = command_[i];
                break;
            case Kind::List:
                model_[i] = new StringListModel(form_.Rows(control), this);
                list_[i] = new QListView(this);
                list_[i]->setModel(model_[i]);
                list_[i]->setUniformItemSizes(true);
                list_[i]->setEditTriggers(QAbstractItemView::NoEditTriggers);
                list_[i]->setSelectionMode(QAbstractItemView::SingleSelection);
                list_[i]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                list_[i]->installEventFilter(this);
                widget = list_[i];
                break;
            case Kind::TextBox:
                if (&control == &layout::kInput) {
                    input_ = new QLineEdit(this);
                    input_->setAlignment(Qt::AlignCenter);
                    input_->setValidator(new InputLimit(input_));
                    input_->setAccessibleDescription(FromUtf8(layout::kInputDescription));
                    connect(input_, &QLineEdit::textChanged, this, [this](const QString& text) {
                        form_.Type(layout::kInput, text.toStdString());
                    });
                    widget = input_;
                } else {
                    textBox_[i] = MakeTextBox(this);
                    widget = textBox_[i];
                }
                break;
        }
        widget->setObjectName(ObjectName(control));
        if (!control.accessibleName.empty()) {
            widget->setAccessibleName(FromUtf8(control.accessibleName));
        }
        widget->setVisible(control.shown);
    }
    // No caption is the buddy of its control: Orca would name the control by
    // the caption ("Естествено:") instead of by the table, as the other
    // faces' readers do.
    Widget(layout::kHotSpot)->setToolTip(FromUtf8(layout::kHotSpotTip));
    Widget(layout::kHotSpot)->setCursor(Qt::PointingHandCursor);
    // Selectable and copyable, but the report is the program's to write.
    QPlainTextEdit* report = Box(layout::kReport);
    report->setReadOnly(true);
    report->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    report->setFocusPolicy(Qt::StrongFocus);
    report->setPlainText(ToDisplayText(form_.Text(layout::kReport)));
    announcer_ = new Announcer(this);
    // The spare box takes typing, should it ever be shown.
    connect(Box(layout::kSpare), &QPlainTextEdit::textChanged, this, [this] {
        form_.Type(layout::kSpare, Box(layout::kSpare)->toPlainText().toStdString());
    });

    const std::vector<const layout::Control*> order = layout::TabOrder();
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(Widget(*order[i - 1]), Widget(*order[i]));
    }

    ApplyZoom(layout::FitClientArea(width(), height(), kDotsPerInch));
    input_->setFocus();
}

QWidget* MainWindow::Widget(const layout::Control& control) const {
    const auto i = static_cast<std::size_t>(control.index);
    switch (control.kind) {
        case Kind::Label:
            return label_[i];
        case Kind::Button:
            return command_[i];
        case Kind::List:
            return list_[i];
        case Kind::TextBox:
            return &control == &layout::kInput ? static_cast<QWidget*>(input_) : textBox_[i];
    }
    return nullptr;
}

QPlainTextEdit* MainWindow::Box(const layout::Control& box) const {
    return textBox_[static_cast<std::size_t>(box.index)];
}

void MainWindow::ShowMessage(const std::string& text, const form::Changes& sofar) {
    // The box stands over what the click has done until now.
    Show(sofar);
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

std::string MainWindow::DecimalSeparator() const {
    return QLocale::system().decimalPoint().toStdString();
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
    for (QPlainTextEdit* box : textBox_) {
        if (box != nullptr) {
            box->document()->setDocumentMargin(
                layout::ScaledPixels(layout::kTextMarginPixels, zoom));
        }
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (const auto list = std::find(list_.begin(), list_.end(), watched); list != list_.end()) {
        // Only for a screen reader, and once the focus has settled.
        if (event->type() == QEvent::FocusIn && QAccessible::isActive()) {
            QTimer::singleShot(0, this, [this, view = *list] { SayCurrentRow(view); });
        }
        return false;
    }
    // A label is clicked when the left button goes down and comes up on it.
    const auto found = std::find(label_.begin(), label_.end(), watched);
    if (found == label_.end()) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    // Taking the press keeps the release coming to the same label.
    if (event->type() == QEvent::MouseButtonRelease &&
        (*found)->rect().contains(mouse->position().toPoint())) {
        OnClick(layout::Find(Kind::Label, static_cast<int>(found - label_.begin())));
    }
    return true;
}

void MainWindow::OnClick(const layout::Control& control) {
    Show(form_.Click(control));
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
    if (changes.input) {
        input_->setText(QString::fromStdString(form_.Text(layout::kInput)));
    }
    if (changes.report) {
        QPlainTextEdit* report = Box(layout::kReport);
        const QString text = ToDisplayText(form_.Text(layout::kReport));
        if (report->toPlainText() != text) {
            report->setPlainText(text);
        }
        // From its first line, where a pupil or a screen reader entering it begins.
        report->moveCursor(QTextCursor::Start);
    }
    for (std::size_t i = 0; i < model_.size(); ++i) {
        if (changes.lists[i]) {
            model_[i]->Refresh();
        }
    }
    if (!changes.summary.empty()) {
        announcer_->Say(QString::fromStdString(changes.summary));
    }
}

}  // namespace zemvaro::window
