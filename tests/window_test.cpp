// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// The real window, driven offscreen.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "expected_texts.hpp"
#include "window/application.hpp"
#include "window/main_window.hpp"

using zemvaro::window::MainWindow;

namespace {

// Answers every message box that opens while it lives, remembering what it saw.
class MessageCatcher {
  public:
    struct Seen {
        QString title, text;
        QMessageBox::Icon icon;
        int buttons;
        QString okText;
        bool okHasIcon;
        int width;
        int titleWidth;  // the title's own, in the box's font
    };

    MessageCatcher() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                if (box != nullptr && box->isVisible()) {
                    QAbstractButton* ok = box->button(QMessageBox::Ok);
                    seen.push_back({box->windowTitle(), box->text(), box->icon(),
                                    static_cast<int>(box->buttons().size()),
                                    ok != nullptr ? ok->text() : QString(),
                                    ok != nullptr && !ok->icon().isNull(), box->width(),
                                    box->fontMetrics().horizontalAdvance(box->windowTitle())});
                    if (ok != nullptr) {
                        ok->click();
                    } else {
                        box->reject();
                    }
                }
            }
        });
        timer_.start(5);
    }

    QList<Seen> seen;

  private:
    QTimer timer_;
};

QStringList Rows(QListView* view) {
    QStringList rows;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        rows << view->model()->index(row, 0).data().toString();
    }
    return rows;
}

// Where each control sits at the window's smallest size: the table's twips
// at 15 to a pixel.
const std::pair<const char*, QRect> kPlaces[] = {
    {"Label1_0", QRect(16, 0, 409, 25)},    {"Label1_1", QRect(24, 40, 97, 25)},
    {"Label1_2", QRect(152, 40, 73, 25)},   {"Label1_3", QRect(248, 40, 65, 25)},
    {"Label1_4", QRect(432, 0, 9, 9)},      {"Text1_0", QRect(24, 64, 97, 33)},
    {"Command1_0", QRect(328, 40, 97, 33)}, {"Command1_1", QRect(328, 112, 97, 33)},
    {"List1_0", QRect(152, 64, 73, 80)},    {"List1_1", QRect(248, 64, 65, 80)},
    {"Text1_1", QRect(8, 152, 425, 177)},   {"Text1_2", QRect(64, 176, 425, 177)},
};

QColor PixelAt(QWidget* window, QPoint at) {
    return window->grab().toImage().pixelColor(at);
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { zemvaro::window::SetUpApplication(*qApp); }

    void init() {
        window_ = std::make_unique<MainWindow>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() { window_.reset(); }

    void controlsSitWhereTheTablePutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        for (const auto& [name, pixels] : kPlaces) {
            QTest::newRow(name) << name << pixels;
        }
    }

    void controlsSitWhereTheTablePutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QCOMPARE(Find<QWidget>(name)->geometry(), pixels);
    }

    // A projector's zoom: twice the window, twice everything in it.
    void zoomScalesTheWholeLayout() {
        window_->resize(884, 672);
        for (const auto& [name, pixels] : kPlaces) {
            const QRect doubled(pixels.topLeft() * 2, pixels.size() * 2);
            QCOMPARE(Find<QWidget>(name)->geometry(), doubled);
        }
        QCOMPARE(Find<QPushButton>("Command1_0")->font().pointSizeF(), 24.0);
        QCOMPARE(Find<QListView>("List1_1")->font().pointSizeF(), 24.0);
        // Wider than it is tall: the layout is centred, at the height's zoom.
        window_->resize(1000, 672);
        QCOMPARE(Find<QWidget>("Text1_0")->geometry(), QRect(58 + 48, 128, 194, 66));
        window_->resize(442, 336);
        QCOMPARE(Find<QWidget>("Text1_0")->geometry(), QRect(24, 64, 97, 33));
        QCOMPARE(Find<QPushButton>("Command1_0")->font().pointSizeF(), 12.0);
    }

    void windowIsCaptionedAndResizable() {
        QCOMPARE(window_->size(), QSize(442, 336));
        QCOMPARE(window_->minimumSize(), QSize(442, 336));
        QVERIFY(window_->maximumWidth() > 1920);
        QVERIFY(window_->windowTitle().endsWith(" сито на Ератостен, хипотеза на Голдбах"));
        QVERIFY(window_->windowTitle().startsWith("https://"));
        QVERIFY(window_->windowTitle().contains(".example "));
        QCOMPARE(QApplication::applicationName(), QString("Zemvaro"));
        QCOMPARE(QApplication::applicationVersion(), QString("1.00"));
        const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        for (int side : {16, 32, 48, 64, 128, 256}) {
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
        }
    }

    void captionsTooltipAndFont() {
        const QStringList captions = {"Математика - прости числа, Ератостен, Голдбах",
                                      "Естествено:", "Ератостен", "Прости", ""};
        for (int i = 0; i < captions.size(); ++i) {
            auto* label = Find<QLabel>(QString("Label1_%1").arg(i));
            QCOMPARE(label->text(), captions[i]);
            QCOMPARE(label->alignment(), Qt::AlignCenter);
            QCOMPARE(label->isVisible(), i != 4);  // the hot spot is hidden with the spare box
        }
        QCOMPARE(Find<QLabel>("Label1_4")->toolTip(), QString("Великденско яйце"));
        QCOMPARE(Find<QPushButton>("Command1_0")->text(), QString("Сметни"));
        QCOMPARE(Find<QPushButton>("Command1_1")->text(), QString("Чисти"));
        const QFont font = Find<QPushButton>("Command1_0")->font();
        QCOMPARE(font.family(), QString("Times New Roman"));
        QCOMPARE(font.pointSize(), 12);
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(!Find<QPlainTextEdit>("Text1_2")->isVisible());
    }

    void coloursAreTheTables() {
        const struct {
            QPoint at;
            QColor colour;
        } samples[] = {
            {{4, 4}, QColor(192, 192, 255)},     // the window
            {{20, 3}, QColor(255, 192, 128)},    // Label1(0), left of its caption
            {{27, 42}, QColor(255, 192, 128)},   // Label1(1)
            {{436, 4}, QColor(192, 192, 255)},   // no hot spot
            {{334, 46}, QColor(128, 255, 128)},  // Сметни
            {{334, 118}, QColor(255, 128, 128)}  // Чисти
        };
        for (const auto& sample : samples) {
            QCOMPARE(PixelAt(window_.get(), sample.at), sample.colour);
        }
        // Focus shows in the border alone; the buttons keep their colours.
        for (const char* name : {"Command1_0", "Command1_1"}) {
            Find<QWidget>(name)->setFocus(Qt::TabFocusReason);
            for (const auto& sample : samples) {
                QCOMPARE(PixelAt(window_.get(), sample.at), sample.colour);
            }
        }
    }

    // Every stop shows a dark mark where its border is, and loses it with the focus.
    void focusIsMarkedOnEveryStop_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"Text1_0", "Command1_0", "List1_0", "List1_1", "Text1_1", "Command1_1"}) {
            QTest::newRow(name) << name;
        }
    }

    void focusIsMarkedOnEveryStop() {
        QFETCH(QString, name);
        auto* control = Find<QWidget>(name);
        const QColor mark(32, 32, 96);
        const QPoint top = control->geometry().topLeft() + QPoint(control->width() / 2, 1);
        control->setFocus(Qt::TabFocusReason);
        QCOMPARE(PixelAt(window_.get(), top), mark);
        Find<QWidget>(name == "Text1_1" ? "Text1_0" : "Text1_1")->setFocus(Qt::TabFocusReason);
        QVERIFY(PixelAt(window_.get(), top) != mark);
    }

    void tabFollowsTheTabIndexes() {
        QTRY_COMPARE(QApplication::focusWidget(), Find<QWidget>("Text1_0"));
        const QStringList order = {"Command1_0", "List1_0",    "List1_1",
                                   "Text1_1",    "Command1_1", "Text1_0"};
        for (const QString& next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
    }

    void inputTakesThreeCharactersTypedOrPasted_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::newRow("long paste") << "" << 0 << "98765"
                                    << "987";
        QTest::newRow("emoji fits") << "" << 0 << "12😀"
                                    << "12😀";
        QTest::newRow("emoji whole or not at all") << "" << 0 << "123😀"
                                                   << "123";
        QTest::newRow("into the middle") << "13" << 1 << "😀😀"
                                         << "1😀3";
        QTest::newRow("full box") << "123" << 3 << "4"
                                  << "123";
    }

    void inputTakesThreeCharactersTypedOrPasted() {
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        auto* input = Find<QLineEdit>("Text1_0");
        input->setText(before);
        input->setCursorPosition(cursor);
        QApplication::clipboard()->setText(pasted);
        input->paste();
        QCOMPARE(input->text(), after);
        input->clear();
        const QList<uint> typed = (before + pasted).toUcs4();
        for (char32_t character : typed) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&character, 1));
            QApplication::sendEvent(input, &key);
        }
        const QList<uint> firstThree = typed.first(std::min<qsizetype>(3, typed.size()));
        QCOMPARE(input->text().toUcs4(), firstThree);
        QCOMPARE(input->alignment(), Qt::AlignCenter);
    }

    void startsWithTheHelpTextFromItsFirstLine() {
        auto* output = Find<QPlainTextEdit>("Text1_1");
        QVERIFY(output->toPlainText().startsWith("Съществува теорема на Голдбах  (не е"));
        QVERIFY(!output->toPlainText().contains('\r'));
        QCOMPARE(output->document()->blockCount(), 18);  // 17 lines and the empty last one
        QCOMPARE(output->verticalScrollBar()->value(), 0);
        QVERIFY(output->verticalScrollBar()->isVisible());
        QVERIFY(output->verticalScrollBar()->maximum() > 0);
        QVERIFY(output->isReadOnly());
    }

    void computeSevenFillsListsAndReport() {
        QTest::keyClicks(Find<QLineEdit>("Text1_0"), "7");
        QTest::mouseClick(Find<QPushButton>("Command1_0"), Qt::LeftButton);
        QCOMPARE(
            Rows(Find<QListView>("List1_0")),
            QStringList({"1", "2", "3", "0", "5", "0", "7", "0", "0", "0", "11", "0", "13", "0"}));
        QCOMPARE(Rows(Find<QListView>("List1_1")),
                 QStringList({"1", "2", "3", "5", "7", "11", "13"}));
        QCOMPARE(Find<QPlainTextEdit>("Text1_1")->toPlainText(),
                 QString("Най-близкото по-голямо просто число е: 11\n"
                         "7 = 0.5*(1 + 13)\n"
                         "7 = 0.5*(3 + 11)\n"
                         "Въведеното число 7 е просто. \n"));
    }

    void fractionUsesTheSystemDecimalSeparator() {
        QTest::keyClicks(Find<QLineEdit>("Text1_0"), "2.5");
        QTest::mouseClick(Find<QPushButton>("Command1_0"), Qt::LeftButton);
        const QString expected = "2" + QLocale::system().decimalPoint() + "5 = 0.5*(2 + 3)";
        QVERIFY2(Find<QPlainTextEdit>("Text1_1")->toPlainText().contains(expected),
                 qPrintable(expected));
    }

    void emptyBoxSaysNGreaterThanTwo() {
        MessageCatcher catcher;
        QTest::mouseClick(Find<QPushButton>("Command1_0"), Qt::LeftButton);
        QCOMPARE(catcher.seen.size(), 1);
        const auto& seen = catcher.seen.front();
        QCOMPARE(seen.text, QString("N > 2"));
        QCOMPARE(seen.title, QString("Zemvaro"));
        QVERIFY2(seen.width >= seen.titleWidth + 100, qPrintable(QString::number(seen.width)));
        QCOMPARE(seen.icon, QMessageBox::NoIcon);
        QCOMPARE(seen.buttons, 1);
        QVERIFY(!seen.okHasIcon);
        QVERIFY2(!seen.okText.contains("OK"), qPrintable(seen.okText));  // Qt's Bulgarian text
        QCOMPARE(Find<QPlainTextEdit>("Text1_1")->toPlainText(),
                 QString("Най-близкото по-голямо просто число е: \n"));
        QCOMPARE(Find<QListView>("List1_0")->model()->rowCount(), 0);
    }

    void overflowSaysSoAndTheWindowGoesOn() {
        auto* input = Find<QLineEdit>("Text1_0");
        auto* compute = Find<QPushButton>("Command1_0");
        QTest::keyClicks(input, "7");
        QTest::mouseClick(compute, Qt::LeftButton);
        const QString reportOfSeven = Find<QPlainTextEdit>("Text1_1")->toPlainText();
        // The box takes three characters, so '-9e9' would arrive as '-9e'.
        for (const char* tooLarge : {"2e4", "9e9", "1e9"}) {
            input->clear();
            QTest::keyClicks(input, tooLarge);
            MessageCatcher catcher;
            QTest::mouseClick(compute, Qt::LeftButton);
            QCOMPARE(catcher.seen.size(), 1);
            QCOMPARE(catcher.seen.front().text, QString::fromUtf8(expected::overflow));
            QVERIFY(catcher.seen.front().width <= window_->width());
            QCOMPARE(Find<QListView>("List1_0")->model()->rowCount(), 0);
            QCOMPARE(Find<QListView>("List1_1")->model()->rowCount(), 0);
            QCOMPARE(Find<QPlainTextEdit>("Text1_1")->toPlainText(), reportOfSeven);
        }
        input->clear();
        QTest::keyClicks(input, "8");
        QTest::mouseClick(compute, Qt::LeftButton);
        QCOMPARE(Find<QListView>("List1_1")->model()->rowCount(), 7);
    }

    void clearEmptiesListsAndBothBoxes() {
        QTest::keyClicks(Find<QLineEdit>("Text1_0"), "9");
        QTest::mouseClick(Find<QPushButton>("Command1_0"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>("Command1_1"), Qt::LeftButton);
        QCOMPARE(Find<QLineEdit>("Text1_0")->text(), QString());
        QCOMPARE(Find<QPlainTextEdit>("Text1_1")->toPlainText(), QString());
        QCOMPARE(Find<QListView>("List1_0")->model()->rowCount(), 0);
        QCOMPARE(Find<QListView>("List1_1")->model()->rowCount(), 0);
    }

    void labelsAndTheHiddenHotSpotChangeNothing() {
        for (const char* name : {"Label1_0", "Label1_1", "Label1_2", "Label1_3"}) {
            QTest::mouseClick(Find<QLabel>(name), Qt::LeftButton);
        }
        QVERIFY(Find<QPlainTextEdit>("Text1_1")->toPlainText().startsWith("Съществува"));
        QVERIFY(window_->childAt(436, 4) == nullptr);  // nothing there to click
    }

    void enterAndEscapeStartNothing() {
        auto* input = Find<QLineEdit>("Text1_0");
        QTest::keyClicks(input, "7");
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            for (const char* name : {"Text1_0", "Command1_0", "Command1_1"}) {
                Find<QWidget>(name)->setFocus();
                QTest::keyClick(QApplication::focusWidget(), key);
            }
        }
        QCOMPARE(input->text(), QString("7"));
        QCOMPARE(Find<QListView>("List1_0")->model()->rowCount(), 0);
        QVERIFY(Find<QPlainTextEdit>("Text1_1")->toPlainText().startsWith("Съществува"));
        QVERIFY(window_->isVisible());
    }

    void largestInputShowsEveryRow() {
        QTest::keyClicks(Find<QLineEdit>("Text1_0"), "1e4");
        QTest::mouseClick(Find<QPushButton>("Command1_0"), Qt::LeftButton);
        auto* sieve = Find<QListView>("List1_0");
        QCOMPARE(sieve->model()->rowCount(), 20000);
        sieve->scrollToBottom();
        const QModelIndex last = sieve->model()->index(19999, 0);
        QCOMPARE(last.data().toString(), QString("0"));
        QTRY_VERIFY(sieve->viewport()->rect().contains(sieve->visualRect(last)));
    }

    // A caption changes nothing: the list keeps its place and its selection.
    void aCaptionClickKeepsTheListsPlace() {
        QTest::keyClicks(Find<QLineEdit>("Text1_0"), "1e4");
        QTest::mouseClick(Find<QPushButton>("Command1_0"), Qt::LeftButton);
        auto* report = Find<QPlainTextEdit>("Text1_1");
        QCOMPARE(report->textCursor().position(), 0);
        QCOMPARE(report->verticalScrollBar()->value(), 0);
        auto* sieve = Find<QListView>("List1_0");
        const QModelIndex row = sieve->model()->index(500, 0);
        sieve->setCurrentIndex(row);
        sieve->scrollTo(row, QAbstractItemView::PositionAtTop);
        const int scrolled = sieve->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        QTest::mouseClick(Find<QLabel>("Label1_2"), Qt::LeftButton);
        QCOMPARE(sieve->verticalScrollBar()->value(), scrolled);
        QCOMPARE(sieve->selectionModel()->selectedIndexes(), QModelIndexList{row});
    }

    void screenReadersHearBulgarianNames() {
        for (const char* name :
             {"Text1_0", "Text1_1", "List1_0", "List1_1", "Command1_0", "Command1_1"}) {
            const QString accessible =
                QAccessible::queryAccessibleInterface(Find<QWidget>(name))->text(QAccessible::Name);
            QVERIFY2(!accessible.isEmpty(), name);
            QVERIFY2(accessible.contains(QRegularExpression("[А-Яа-я]")), name);
        }
    }

  private:
    template <typename T>
    T* Find(const QString& name) {
        T* found = window_->findChild<T*>(name);
        if (found == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return found;
    }

    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
