#include "window/application.hpp"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

#include "window/app_info.hpp"

namespace zemvaro::window {

void SetUpApplication(QApplication& app) {
    // The name is also the X11 window class, which the desktop entry's
    // StartupWMClass matches. The display name stays unset: Qt would append
    // it to the window caption.
    QApplication::setApplicationName(kApplicationName);
    QApplication::setApplicationVersion(kVersion);
    QGuiApplication::setDesktopFileName(kApplicationId);
    QApplication::setWindowIcon(QIcon(":/zemvaro/zemvaro-32.png"));

    // Qt's own texts (the OK button, the text boxes' context menus) in
    // Bulgarian whatever the system language, since everything else is.
    auto* translator = new QTranslator(&app);
    if (translator->load("qtbase_bg", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }

    // Fusion paints the coloured buttons the same on every desktop theme.
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    // On Linux, fontconfig maps this to Liberation Serif, which has the same
    // metrics; the fixed layout is measured for them.
    QFont font("Times New Roman");
    font.setPointSize(12);
    font.setWeight(QFont::Normal);
    QApplication::setFont(font);
}

}  // namespace zemvaro::window
