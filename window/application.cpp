// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "window/application.hpp"

#include <QAccessibleWidget>
#include <QApplication>
#include <QDirIterator>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

#include "layout/layout.hpp"
#include "window/announcer.hpp"
#include "window/main_window.hpp"

namespace zemvaro::window {
namespace {

// A plain QWidget reads to a screen reader as a nameless filler: the main
// window is a frame, and the announcer a status bar with a notification.
QAccessibleInterface* AccessibleWidget(const QString&, QObject* object) {
    if (auto* window = qobject_cast<MainWindow*>(object)) {
        return new QAccessibleWidget(window, QAccessible::Window);
    }
    if (auto* announcer = qobject_cast<Announcer*>(object)) {
        return new QAccessibleWidget(announcer, QAccessible::StatusBar);
    }
    if (auto* notification = qobject_cast<Notification*>(object)) {
        return new QAccessibleWidget(notification, QAccessible::Notification);
    }
    return nullptr;
}

}  // namespace

void SetUpApplication(QApplication& app) {
    // The name is also the X11 window class, which the desktop entry's
    // StartupWMClass matches. The display name stays unset: Qt would append
    // it to the window caption.
    QApplication::setApplicationName(layout::kApplicationName);
    QApplication::setApplicationVersion(layout::kVersion);
    QGuiApplication::setDesktopFileName(layout::kApplicationId);
    // Every size the icon is drawn at, so that no taskbar or switcher has to
    // blow up a small one.
    QIcon icon;
    for (QDirIterator file(":/zemvaro", {"*.png"}); file.hasNext();) {
        icon.addFile(file.next());
    }
    QApplication::setWindowIcon(icon);
    QAccessible::installFactory(AccessibleWidget);

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
    QFont font(QString::fromUtf8(layout::kFont.family.data(),
                                 static_cast<qsizetype>(layout::kFont.family.size())));
    font.setPointSize(layout::kFont.points);
    font.setWeight(static_cast<QFont::Weight>(layout::kFont.weight));
    QApplication::setFont(font);
}

}  // namespace zemvaro::window
