// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers

#include "window/announcer.hpp"

#include <QAccessible>
#include <QLabel>

namespace zemvaro::window {

Announcer::Announcer(QWidget* parent)
    : QWidget(parent), notification_(new Notification(this)), text_(new QLabel(notification_)) {
    hide();
}

void Announcer::Say(const QString& text) {
    text_->setText(text);
    QAccessibleEvent shown(notification_, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

}  // namespace zemvaro::window
