// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Zemvaro developers
// Shows a list of the core's as a Qt model, reading rows only when a view
// asks for them, so twenty thousand rows cost nothing until they scroll in.
#pragma once

#include <QAbstractListModel>

#include "core/string_list.hpp"

namespace zemvaro::window {

class StringListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    explicit StringListModel(const StringList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Tells the views that the list has been rebuilt.
    void Refresh();

  private:
    const StringList& list_;
};

}  // namespace zemvaro::window
