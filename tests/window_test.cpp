// The real window, driven offscreen.
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
                                    ok != nullptr && !ok->icon().isNull()});
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
        QTest::newRow("Label1(0)") << "Label1_0" << QRect(16, 0, 409, 25);
        QTest::newRow("Label1(1)") << "Label1_1" << QRect(24, 40, 97, 25);
        QTest::newRow("Label1(2)") << "Label1_2" << QRect(152, 40, 73, 25);
        QTest::newRow("Label1(3)") << "Label1_3" << QRect(248, 40, 65, 25);
        QTest::newRow("Label1(4)") << "Label1_4" << QRect(432, 0, 9, 9);
        QTest::newRow("Text1(0)") << "Text1_0" << QRect(24, 64, 97, 33);
        QTest::newRow("Command1(0)") << "Command1_0" << QRect(328, 40, 97, 33);
        QTest::newRow("Command1(1)") << "Command1_1" << QRect(328, 112, 97, 33);
        QTest::newRow("List1(0)") << "List1_0" << QRect(152, 64, 73, 80);
        QTest::newRow("List1(1)") << "List1_1" << QRect(248, 64, 65, 80);
        QTest::newRow("Text1(1)") << "Text1_1" << QRect(8, 152, 425, 177);
        QTest::newRow("Text1(2)") << "Text1_2" << QRect(64, 176, 425, 177);
    }

    void controlsSitWhereTheTablePutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        auto* control = window_->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), pixels);
    }

    void windowIsFixedAndCaptioned() {
        QCOMPARE(window_->size(), QSize(442, 336));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(window_->windowTitle().endsWith(" сито на Ератостен, хипотеза на Голдбах"));
        QVERIFY(window_->windowTitle().startsWith("https://"));
        QVERIFY(window_->windowTitle().contains(".example "));
        QCOMPARE(QApplication::applicationName(), QString("Zemvaro"));
        QCOMPARE(QApplication::applicationVersion(), QString("1.00"));
        QVERIFY(!QApplication::windowIcon().isNull());
    }

    void captionsTooltipAndFont() {
        const QStringList captions = {"Математика - прости числа, Ератостен, Голдбах",
                                      "Естествено:", "Ератостен", "Прости", ""};
        for (int i = 0; i < captions.size(); ++i) {
            auto* label = Find<QLabel>(QString("Label1_%1").arg(i));
            QCOMPARE(label->text(), captions[i]);
            QCOMPARE(label->alignment(), Qt::AlignCenter);
            QVERIFY(label->isVisible());
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
            {{436, 4}, QColor(0, 192, 0)},       // the hot spot
            {{334, 46}, QColor(128, 255, 128)},  // Сметни
            {{334, 118}, QColor(255, 128, 128)}  // Чисти
        };
        for (const auto& sample : samples) {
            QCOMPARE(PixelAt(window_.get(), sample.at), sample.colour);
        }
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

    void inputTakesThreeCharactersTypedOrPasted() {
        auto* input = Find<QLineEdit>("Text1_0");
        QTest::keyClicks(input, "12345");
        QCOMPARE(input->text(), QString("123"));
        input->clear();
        QApplication::clipboard()->setText("98765");
        input->paste();
        QCOMPARE(input->text(), QString("987"));
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
            QVERIFY(catcher.seen.front().text.startsWith("Числото е твърде голямо"));
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

    void hotSpotCopiesTheSpareBox() {
        QTest::mouseClick(Find<QLabel>("Label1_0"), Qt::LeftButton);  // only a caption
        QVERIFY(Find<QPlainTextEdit>("Text1_1")->toPlainText().startsWith("Съществува"));
        QTest::mouseClick(Find<QLabel>("Label1_4"), Qt::LeftButton);
        QCOMPARE(Find<QPlainTextEdit>("Text1_1")->toPlainText(), QString());
    }

    void enterAndEscapeStartNothing() {
        auto* input = Find<QLineEdit>("Text1_0");
        QTest::keyClicks(input, "7");
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(input, key);
            QTest::keyClick(Find<QPushButton>("Command1_1"), key);
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

    void screenReadersHearBulgarianNames() {
        for (const char* name :
             {"Text1_0", "Text1_1", "List1_0", "List1_1", "Command1_0", "Command1_1"}) {
            const QString accessible = Find<QWidget>(name)->accessibleName();
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
