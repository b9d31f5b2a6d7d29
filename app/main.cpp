#include <QApplication>

#include "window/application.hpp"
#include "window/main_window.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zemvaro::window::SetUpApplication(app);
    zemvaro::window::MainWindow window;
    window.show();
    return QApplication::exec();
}
