#include "window/main_window.hpp"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "window/app_info.hpp"
#include "window/string_list_model.hpp"

namespace zemvaro::window {
namespace {

// The layout is drawn in twips, 1/1440 inch, at 15 twips to a pixel. Qt's
// device-independent pixels scale it on high-density screens.
constexpr int kTwipsPerPixel = 15;

struct Twips {
    int left, top, width, height;
};

QRect ToPixels(Twips t) {
    return QRect(t.left / kTwipsPerPixel, t.top / kTwipsPerPixel, t.width / kTwipsPerPixel,
                 t.height / kTwipsPerPixel);
}

constexpr int kClientWidth = 6630 / kTwipsPerPixel;
constexpr int kClientHeight = 5040 / kTwipsPerPixel;

constexpr QColor kBackground(192, 192, 255);
constexpr QColor kLabelColour(255, 192, 128);
constexpr QColor kHotSpotColour(0, 192, 0);
constexpr QColor kComputeColour(128, 255, 128);
constexpr QColor kClearColour(255, 128, 128);

// A label or a button: where it sits, what it says, its background.
struct Captioned {
    Twips place;
    const char* caption;
    QColor colour;
};

const Captioned kLabels[] = {
    {{240, 0, 6135, 375}, "Математика - прости числа, Ератостен, Голдбах", kLabelColour},
    {{360, 600, 1455, 375}, "Естествено:", kLabelColour},
    {{2280, 600, 1095, 375}, "Ератостен", kLabelColour},
    {{3720, 600, 975, 375}, "Прости", kLabelColour},
    {{6480, 0, 135, 135}, "", kHotSpotColour},
};

const Captioned kButtons[] = {
    {{4920, 600, 1455, 495}, "Сметни", kComputeColour},
    {{4920, 1680, 1455, 495}, "Чисти", kClearColour},
};

constexpr Twips kInputPlace{360, 960, 1455, 495};
constexpr Twips kListPlaces[] = {{2280, 960, 1095, 1200}, {3720, 960, 975, 1200}};
constexpr Twips kOutputPlace{120, 2280, 6375, 2655};
// Reaches past the window's right and bottom edges, over the output box.
constexpr Twips kSparePlace{960, 2640, 6375, 2655};

constexpr int kInputLength = 3;

const char kHotSpotTip[] = "Великденско яйце";
const char kOverflowMessage[] =
    "Числото е твърде голямо: удвоено, то трябва да е между -32768 и 32767.";

QString ButtonStyle(QColor colour) {
    return QStringLiteral(
               "QPushButton { background-color: %1; color: black; border: 1px solid #404040;"
               " border-radius: 2px; padding: 2px; }"
               "QPushButton:hover { background-color: %2; }"
               "QPushButton:pressed { background-color: %3; border-color: #202020; }"
               "QPushButton:focus { border: 2px solid #202060; }")
        .arg(colour.name(), colour.lighter(108).name(), colour.darker(118).name());
}

// The core writes lines ending in CR LF; a text box wants bare line feeds,
// or it shows the CR as a glyph.
QString ToDisplayText(const std::string& text) {
    return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name, Twips place) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setGeometry(ToPixels(place));
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return box;
}

// The project's address, then what the program does.
QString Caption() {
    return QString::fromUtf8(kWebAddress) +
           QStringLiteral(" сито на Ератостен, хипотеза на Голдбах");
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(Caption());
    setFixedSize(kClientWidth, kClientHeight);

    for (std::size_t i = 0; i < label_.size(); ++i) {
        auto* label = new QLabel(QString::fromUtf8(kLabels[i].caption), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        label->setGeometry(ToPixels(kLabels[i].place));
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, kLabels[i].colour);
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
        label->installEventFilter(this);
        label_[i] = label;
    }
    label_[4]->setToolTip(QString::fromUtf8(kHotSpotTip));
    label_[4]->setAccessibleName(QString::fromUtf8(kHotSpotTip));
    label_[4]->setCursor(Qt::PointingHandCursor);

    input_ = new QLineEdit(this);
    input_->setObjectName("Text1_0");
    input_->setGeometry(ToPixels(kInputPlace));
    input_->setMaxLength(kInputLength);
    input_->setAlignment(Qt::AlignCenter);
    input_->setAccessibleName(QStringLiteral("Естествено число"));
    connect(input_, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.Text1[0] = text.toStdString(); });

    for (std::size_t i = 0; i < command_.size(); ++i) {
        auto* button = new QPushButton(QString::fromUtf8(kButtons[i].caption), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setGeometry(ToPixels(kButtons[i].place));
        button->setStyleSheet(ButtonStyle(kButtons[i].colour));
        button->setAccessibleName(button->text());
        // Neither button answers Enter or Escape.
        button->setAutoDefault(false);
        button->setDefault(false);
        const auto index = static_cast<std::int16_t>(i);
        connect(button, &QPushButton::clicked, this, [this, index] { OnCommand(index); });
        command_[i] = button;
    }

    const char* const listNames[] = {"Сито на Ератостен", "Прости числа"};
    for (std::size_t i = 0; i < list_.size(); ++i) {
        model_[i] = new StringListModel(state_.List1[i], this);
        auto* view = new QListView(this);
        view->setObjectName(QStringLiteral("List1_%1").arg(i));
        view->setGeometry(ToPixels(kListPlaces[i]));
        view->setModel(model_[i]);
        view->setUniformItemSizes(true);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setAccessibleName(QString::fromUtf8(listNames[i]));
        list_[i] = view;
    }

    textBox_[1] = MakeTextBox(this, "Text1_1", kOutputPlace);
    textBox_[1]->setReadOnly(true);
    textBox_[1]->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    textBox_[1]->setFocusPolicy(Qt::StrongFocus);
    textBox_[1]->setAccessibleName(QStringLiteral("Резултат"));

    // The spare box is kept but never shown: it would cover the report and
    // run past the window's edge. It is the hot spot's source.
    textBox_[2] = MakeTextBox(this, "Text1_2", kSparePlace);
    textBox_[2]->hide();
    connect(textBox_[2], &QPlainTextEdit::textChanged, this,
            [this] { state_.Text1[2] = textBox_[2]->toPlainText().toStdString(); });

    setTabOrder(input_, command_[0]);
    setTabOrder(command_[0], list_[0]);
    setTabOrder(list_[0], list_[1]);
    setTabOrder(list_[1], textBox_[1]);
    setTabOrder(textBox_[1], command_[1]);
    setTabOrder(command_[1], textBox_[2]);

    ShowState();
    input_->setFocus();
}

void MainWindow::ShowMessage(const std::string& text) {
    // The core may ask in the middle of a command: show what it has done so far.
    ShowState();
    QMessageBox box(this);
    box.setWindowTitle(kApplicationName);
    box.setText(QString::fromStdString(text));
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

std::string MainWindow::DecimalSeparator() const {
    return QLocale::system().decimalPoint().toStdString();
}

void MainWindow::paintEvent(QPaintEvent*) {
    // Painted rather than set in the palette, so that the children (scroll
    // bars above all) keep the system's colours.
    QPainter(this).fillRect(rect(), kBackground);
}

// A label is clicked when the left button goes down and comes up on it.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
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
        OnLabel(static_cast<std::int16_t>(found - label_.begin()));
    }
    return true;
}

void MainWindow::OnCommand(std::int16_t index) {
    try {
        OnCommandClick(state_, index, *this);
    } catch (const OverflowError&) {
        // The classic program died here. Say why instead and go on: the lists
        // are empty and the report is the one from before.
        ShowMessage(kOverflowMessage);
    }
    ShowState();
}

void MainWindow::OnLabel(std::int16_t index) {
    OnLabelClick(state_, index);
    ShowState();
}

void MainWindow::ShowState() {
    const QString input = QString::fromStdString(state_.Text1[0]);
    if (input_->text() != input) {
        input_->setText(input);
    }
    for (std::size_t i = 1; i < textBox_.size(); ++i) {
        const QString text = ToDisplayText(state_.Text1[i]);
        if (textBox_[i]->toPlainText() != text) {
            textBox_[i]->setPlainText(text);
        }
    }
    for (StringListModel* model : model_) {
        model->Refresh();
    }
}

}  // namespace zemvaro::window
